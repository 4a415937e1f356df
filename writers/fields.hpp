// Kelvorin - desktop workbench for vibrational calculations.
// Fixed-point fields of the exports for other programs: always a decimal point, whatever
// locale the desktop runs in, and never "-0.000".
#pragma once

#include <charconv>
#include <cmath>
#include <string>

namespace kel {

/// Appends a right-aligned to `decimals` places in a field of at least `width` characters.
inline void appendFixed(std::string& out, double a, int width, int decimals) {
  if (std::fabs(a) < 0.5 * std::pow(10.0, -decimals)) a = 0.0;  // rounds to zero: no sign
  char buf[400];  // the widest double in fixed notation (309 digits) with its decimals
  auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::fixed, decimals);
  const auto len = static_cast<int>(r.ptr - buf);
  if (len < width) out.append(std::size_t(width - len), ' ');
  out.append(buf, r.ptr);
}

}  // namespace kel
