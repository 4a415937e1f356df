// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/read_helpers.hpp"

#include "base/convert.hpp"
#include "base/files.hpp"
#include "base/strings.hpp"
#include "model/work.hpp"
#include "readers/texts.hpp"

#include <cmath>

namespace kel {

namespace {

constexpr std::string_view LogCaption = "LOG";

bool isBlankChar(char c) {
  return c == ' ' || c == '\t';
}
bool isDigitChar(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

int exactElement(const ModKel& m, std::string_view cand) {
  std::string c = upper(trim(cand));
  if (c.empty()) return 0;
  for (int z = 1; z <= MaxEl; ++z)
    if (upper(m.ElSym(z)) == c) return z;
  return 0;
}

int containingElement(const ModKel& m, std::string_view cand) {
  std::string c = upper(cand.substr(0, 2));
  for (int z = 1; z <= MaxEl; ++z) {
    const std::string& s = m.ElSym(z);
    if (s.size() == 2 && contains(c, upper(s))) return z;
  }
  for (int z = 1; z <= MaxEl; ++z) {
    const std::string& s = m.ElSym(z);
    if (s.size() == 1 && contains(c, upper(s))) return z;
  }
  return 0;
}

bool threeDots(std::string_view s, std::size_t* third) {
  std::size_t p = 0;
  for (int k = 0; k < 3; ++k) {
    p = s.find('.', k == 0 ? 0 : p + 1);
    if (p == std::string_view::npos || p + 1 >= s.size()) return false;
  }
  if (third) *third = p;
  return true;
}

bool splitTwoBlanks(std::string_view s, std::string& first, std::string& rest) {
  auto p = s.find("  ");
  if (p == std::string_view::npos) {
    first = std::string(s);
    rest.clear();
    return false;
  }
  first = std::string(s.substr(0, p));
  rest = ltrim(s.substr(p + 2));
  return true;
}

std::vector<std::string> splitFields(std::string_view s) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && isBlankChar(s[i])) ++i;
    std::size_t b = i;
    while (i < s.size() && !isBlankChar(s[i])) ++i;
    if (i > b) out.emplace_back(s.substr(b, i - b));
  }
  return out;
}

bool isDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!isDigitChar(c)) return false;
  return true;
}

bool isNumber(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (isBlankChar(c)) return false;
  std::size_t used = 0;
  Val(s, used);
  return used == s.size();
}

int readCoordinates(std::string_view s, double xyz[3]) {
  int found = 0;
  std::size_t i = 0;
  while (found < 3 && i < s.size()) {
    while (i < s.size() && isBlankChar(s[i])) ++i;
    if (i >= s.size()) break;
    std::size_t b = i++;
    while (i < s.size() && !isBlankChar(s[i])) {
      bool signAfterDigit = (s[i] == '-' || s[i] == '+') && isDigitChar(s[i - 1]);
      if (signAfterDigit) break;
      ++i;
    }
    std::string_view token = s.substr(b, i - b);
    if (!isNumber(token)) break;
    xyz[found++] = Val(token);
  }
  return found;
}

long long roundField(double v) {
  if (!(v > -1e9)) return -1000000000LL;
  if (!(v < 1e9)) return 1000000000LL;
  return static_cast<long long>(roundHalfEven(v));
}

void showNames(Work& w) {
  auto& m = w.m;
  m.ShowNam = znaU(m.FilNam);
  w.con.caption = m.ShowNam + m.VerCap + std::string(LogCaption);
  if (w.hooks.namesChanged) w.hooks.namesChanged();
}

void listAtom(Work& w, int i) {
  const ModKel& m = w.m;
  tekst(w, "");
  fomi(w, 0, 3, i);
  fomi(w, 0, 4, m.AtZ(i));
  TekUl(w, "  " + m.AtLab(i));
  for (int k = 1; k <= 3; ++k) fom6(w, 0, 12, m.Xyz(i, k));
  fom6(w, 0, 12, m.AtMas(i));
}

std::string emptyOrMissing(const std::string& f, std::string_view missing) {
  return fileExists(f) ? std::string(texts::EmptyFileHead) + f + std::string(texts::EmptyFileTail)
                       : std::string(missing) + f;
}

}  // namespace kel
