// Kelvorin - desktop workbench for vibrational calculations.
// Small line-scanning helpers of the Gaussian readers: case-blind search without copying
// the line, and the "three values after --" rule of the frequency tables.
#pragma once

#include "base/convert.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace kel::scan {

/// Eight characters at a time: each byte of a 64-bit word, without a branch per character.
namespace bytes8 {
constexpr std::uint64_t Ones = 0x0101010101010101ULL, High = 0x8080808080808080ULL;
constexpr std::uint64_t Low7 = 0x7F7F7F7F7F7F7F7FULL;
/// The high bit of each byte of x that equals c (exact for every byte, no carries across).
constexpr std::uint64_t equal(std::uint64_t x, unsigned char c) {
  const std::uint64_t t = x ^ (Ones * c);
  return ~(((t & Low7) + Low7) | t) & High;
}
}  // namespace bytes8

/// Case-blind search of needle (written in lower case) in line; npos when absent. The first
/// letter is looked for with memchr in both cases; each case's next place is remembered until
/// the search passes it, so a long line is scanned once per case, never once per candidate.
inline std::size_t findLow(std::string_view line, std::string_view lowNeedle) {
  const std::size_t n = lowNeedle.size();
  if (n == 0) return 0;
  if (line.size() < n) return std::string_view::npos;
  auto low = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c; };
  const char first = lowNeedle[0];
  const char other = (first >= 'a' && first <= 'z') ? char(first - ('a' - 'A')) : first;
  const char* data = line.data();
  const char* end = data + (line.size() - n) + 1;  // one past the last start position
  auto next = [end](const char* from, char c) {
    return static_cast<const char*>(std::memchr(from, c, std::size_t(end - from)));
  };
  const char* p1 = next(data, first);
  const char* p2 = other == first ? nullptr : next(data, other);
  while (p1 || p2) {
    const char* p = !p2 || (p1 && p1 < p2) ? p1 : p2;
    std::size_t k = 1;
    while (k < n && low(p[k]) == lowNeedle[k]) ++k;
    if (k == n) return std::size_t(p - data);
    if (p + 1 >= end) break;
    if (p == p1)
      p1 = next(p + 1, first);
    else
      p2 = next(p + 1, other);
  }
  return std::string_view::npos;
}

/// True when line holds lowNeedle, letters compared case-blind.
inline bool hasLow(std::string_view line, std::string_view lowNeedle) {
  return findLow(line, lowNeedle) != std::string_view::npos;
}

/// x rounded (halves to even) to an integer, kept within +-1e9 so that no conversion
/// overflows: counts, atom and atomic numbers read from a file.
inline long long clampedInt(double x) {
  if (!(x > -1e9)) return -1000000000LL;
  if (!(x < 1e9)) return 1000000000LL;
  return static_cast<long long>(std::nearbyint(x));
}

/// CInt(x * 100) for the value x of a plain field with at most two decimals: its digits
/// times 100, 10 or 1, with the same error 6 outside the 16-bit range. Exact because the
/// rounding errors of x and of the product stay far below a half for fewer than 2^40
/// hundredths. False (nothing done) for other fields.
inline bool plainHundredths(const detail::PlainField& f, std::int16_t& h) {
  if (f.decimals > 2 || f.digits >= (std::uint64_t(1) << 40)) return false;
  const long long scale = f.decimals == 0 ? 100 : (f.decimals == 1 ? 10 : 1);
  const long long v = static_cast<long long>(f.digits) * scale;
  h = cint16(f.negative ? -v : v);
  return true;
}

/// The route line rule: shorter than 321 characters with '#' in its first four columns.
inline bool isRouteLine(std::string_view line) {
  return line.size() < 321 && line.substr(0, 4).find('#') != std::string_view::npos;
}

/// The frequency line of a normal three-column group of a mode table ("Frequencies --"; the
/// high-precision table's "Frequencies ---" is not one).
inline bool isFreqLine(std::string_view line) {
  auto p = line.find("--");
  return p != std::string_view::npos && hasLow(line.substr(0, p), "freq") &&
         (p + 2 >= line.size() || line[p + 2] != '-');
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
  /// The lines after an "orient" line are being looked at for the column header.
  bool armed() const { return ahead_ > 0; }
  /// The header of the last table found has the atomic-type column.
  bool typeColumn() const { return type_; }

 private:
  int ahead_ = 0;
  bool type_ = false;
};

}  // namespace kel::scan
