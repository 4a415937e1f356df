// Kelvorin - desktop workbench for vibrational calculations.
#include "writers/export_file.hpp"

#include "base/strings.hpp"
#include "model/free_name.hpp"
#include "model/work.hpp"

namespace kel {

namespace {

constexpr std::string_view NothingToExport = "no structure to export";
constexpr std::string_view NotWritten = "file not written: ";
constexpr std::string_view Renamed = OldFileRenamed;
constexpr int ExportChannel = 8;

}  // namespace

std::pair<std::string, std::string> stemAndExt(const std::string& file) {
  std::size_t dot = file.rfind('.');
  if (dot == std::string::npos || dot < fileNameStart(file)) return {file, ""};
  return {file.substr(0, dot), file.substr(dot)};
}

bool structureHeld(Work& w, int& ier) {
  if (w.m.NAt > 0) return true;
  w.con.Text3.text = NothingToExport;
  ier = 1;
  return false;
}

void writeExport(Work& w, const std::string& stem, std::string_view ext, std::string_view logLine,
                 std::string_view text, int& ier) {
  FreeName name;
  std::string& target = name.target;
  bool opened = false;
  bool written = guard(w, "writeExport", [&] {
    name = takeFreeName(w, stem, ext);
    w.files.openOutput(ExportChannel, target);
    opened = true;
    w.files.write(ExportChannel, text);
    w.files.close(ExportChannel);
    tekst(w, std::string(logLine) + target);
    if (!name.movedTo.empty()) tekst(w, std::string(Renamed) + name.movedTo);
  });
  if (written) return;
  // Whole data or none: a file cut short by a full disc must not pass for an export.
  if (opened) deleteFile(target);
  if (!name.movedTo.empty()) tekst(w, std::string(Renamed) + name.movedTo);
  w.con.Text3.text = std::string(NotWritten) + (target.empty() ? stem + std::string(ext) : target);
  ier = 1;
}

}  // namespace kel
