// Kelvorin - desktop workbench for vibrational calculations.
// Makes the manual page: the template docs/kelvorin.1.in with its options filled from the
// usage text that batch mode prints, so that the page lists what the option table holds.
//
//   man_page TEMPLATE OUTPUT
//
// The usage text lays an option out as "  --name VALUE" with its help at column 30 (or on
// the next lines when the name is long) and continuation lines indented to that column;
// unindented lines ending in ':' head a group; other unindented lines are notes.
#include "app/batch.hpp"
#include "base/strings.hpp"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::string_view OptionsMark = "@OPTIONS@";
constexpr std::string_view VersionMark = "@VERSION@";
constexpr std::string_view UsageHelp = "this text";
constexpr std::string_view ManHelp = "print the usage text with every option";
constexpr std::string_view InformationGroup = ".SS Information";

/// Text for roff: backslashes escaped, no line starting as a request.
std::string roff(std::string_view s) {
  std::string out;
  for (char c : s) out += c == '\\' ? std::string("\\e") : std::string(1, c);
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
  return out;
}

/// Option names and values: hyphens as minus signs, so that they can be copied.
std::string literal(std::string_view s) {
  std::string out;
  for (char c : roff(s)) out += c == '-' ? std::string("\\-") : std::string(1, c);
  return out;
}

struct Entry {
  std::string name, value, help;
};

void flush(Entry& e, std::string& out) {
  if (e.name.empty()) return;
  if (e.help == UsageHelp) e.help = ManHelp;
  out += ".TP\n\\fB" + literal(e.name) + "\\fR";
  if (!e.value.empty()) out += " \\fI" + literal(e.value) + "\\fR";
  out += "\n" + roff(e.help) + "\n";
  e = {};
}

std::string optionsSection(const std::string& usage) {
  std::istringstream in(usage);
  std::string line, out, notes;
  Entry e;
  bool information = false, started = false;
  while (std::getline(in, line)) {
    // The synopsis lines before the first group are the template's own.
    started = started || (!line.empty() && line[0] != ' ' && line.ends_with(":"));
    if (!started || line.empty()) continue;
    if (line.starts_with("  --")) {
      flush(e, out);
      std::size_t gap = line.find("  ", 2);
      std::string head = kel::trim(line.substr(2, gap == std::string::npos ? gap : gap - 2));
      std::size_t blank = head.find(' ');
      e.name = head.substr(0, blank);
      if (blank != std::string::npos) e.value = head.substr(blank + 1);
      if (gap != std::string::npos) e.help = kel::trim(line.substr(gap));
      if ((e.name == "--help" || e.name == "--version") && !information) {
        out += std::string(InformationGroup) + "\n";
        information = true;
      }
    } else if (line.starts_with(" ")) {
      if (!e.help.empty()) e.help += ' ';
      e.help += kel::trim(line);
    } else if (line.ends_with(":")) {
      flush(e, out);
      out += ".SS " + roff(line.substr(0, line.size() - 1)) + "\n";
    } else {
      flush(e, out);
      notes += (notes.empty() ? "" : " ") + line;
    }
  }
  flush(e, out);
  if (!notes.empty()) out += ".PP\n" + roff(notes) + "\n";
  return out;
}

std::string version() {
  kel::BatchOptions o;
  o.version = true;
  std::ostringstream out, err;
  kel::runBatch(o, out, err);
  std::string v = out.str();
  while (!v.empty() && (v.back() == '\n' || v.back() == ' ')) v.pop_back();
  return v;
}

void replace(std::string& text, std::string_view mark, const std::string& by) {
  std::size_t at = text.find(mark);
  if (at != std::string::npos) text.replace(at, mark.size(), by);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: man_page TEMPLATE OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream page;
  page << in.rdbuf();
  std::string text = page.str();
  if (!in || text.find(OptionsMark) == std::string::npos) {
    std::cerr << "man_page: " << argv[1] << " is no manual page template\n";
    return 1;
  }
  std::string options = optionsSection(kel::batchUsage());
  if (!options.empty() && options.back() == '\n') options.pop_back();
  replace(text, OptionsMark, options);
  replace(text, VersionMark, version());
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) {
    std::cerr << "man_page: " << argv[2] << " not written\n";
    return 1;
  }
  return 0;
}
