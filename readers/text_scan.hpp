// Kelvorin - desktop workbench for vibrational calculations.
// Small line-scanning helpers of the Gaussian readers: case-blind search without copying
// the line, and the "three values after --" rule of the frequency tables.
#pragma once

#include <cstddef>
#include <string_view>

namespace kel::scan {

/// Case-blind search of needle (written in lower case) in line; npos when absent.
inline std::size_t findLow(std::string_view line, std::string_view lowNeedle) {
  const std::size_t n = lowNeedle.size();
  if (n == 0) return 0;
  if (line.size() < n) return std::string_view::npos;
  const char first = lowNeedle[0];
  const std::size_t last = line.size() - n;
  for (std::size_t i = 0; i <= last; ++i) {
    char c = line[i];
    if (c >= 'A' && c <= 'Z') c = char(c + ('a' - 'A'));
    if (c != first) continue;
    std::size_t k = 1;
    for (; k < n; ++k) {
      char d = line[i + k];
      if (d >= 'A' && d <= 'Z') d = char(d + ('a' - 'A'));
      if (d != lowNeedle[k]) break;
    }
    if (k == n) return i;
  }
  return std::string_view::npos;
}

/// True when line holds lowNeedle, letters compared case-blind.
inline bool hasLow(std::string_view line, std::string_view lowNeedle) {
  return findLow(line, lowNeedle) != std::string_view::npos;
}

/// The route line rule: shorter than 321 characters with '#' in its first four columns.
inline bool isRouteLine(std::string_view line) {
  return line.size() < 321 && line.substr(0, 4).find('#') != std::string_view::npos;
}

/// Up to three values after "--": the text is left-trimmed, a value read, the text cut at
/// the next run of four blanks and left-trimmed again. Returns how many were read.
int threeValues(std::string_view line, double (&v)[3]);

/// Finds the starts of orientation tables: a line holding "orient" counts only when the
/// column header (" x " and " y ") follows within four lines.
class TableSpotter {
 public:
  /// Feeds the next line; true when it is the header line that starts a table.
  bool feed(std::string_view line);
  /// The header of the last table found has the atomic-type column.
  bool typeColumn() const { return type_; }

 private:
  int ahead_ = 0;
  bool type_ = false;
};

}  // namespace kel::scan
