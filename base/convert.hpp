// Kelvorin - desktop workbench for vibrational calculations.
// The one text-to-number and number-to-text conversion used by every reader and writer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kel {

/// Text to number: blanks and tabs anywhere are ignored, the longest leading part that forms
/// a decimal number (sign, digits, one point, exponent E or D) is converted; no number gives 0.
/// Never depends on the locale.
double Val(std::string_view s);

/// As Val, and tells how many characters of s the number used (0 when none).
double Val(std::string_view s, std::size_t& used);

namespace detail {

/// Val without its short cut for plain decimal fields (the two must always agree).
double valGeneral(std::string_view s, std::size_t& used);

/// Exact powers of ten up to 1e22 (every one is a double without rounding).
inline constexpr double Pow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

/// A plain decimal field "[-]ddd.ddd": its digits as one integer, and its decimals.
struct PlainField {
  std::uint64_t digits = 0;  ///< at most 2^53
  std::size_t decimals = 0;  ///< at most 22
  bool negative = false;
  std::size_t used = 0;  ///< characters of the field
};

/// The plain decimal field at the start of s, whatever follows it. False when the field
/// needs the general path (more than 2^53 as an integer, more than 22 decimals, more than
/// 40 characters, no digits).
inline bool plainField(std::string_view s, PlainField& f) {
  constexpr std::uint64_t Limit = std::uint64_t(1) << 53;
  constexpr std::size_t MaxChars = 40;  // far below what the general path keeps
  const std::size_t n = s.size() < MaxChars ? s.size() : MaxChars;
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  // The sign is taken without a branch: signs of neighbouring fields follow no pattern.
  const bool negative = n > 0 && s[0] == '-';
  std::size_t i = std::size_t(negative || (n > 0 && s[0] == '+'));
  std::uint64_t m = 0;
  const std::size_t intStart = i;
  while (i < n && digit(s[i])) {
    m = m * 10 + std::uint64_t(s[i] - '0');
    if (m > Limit) return false;
    ++i;
  }
  bool digits = i > intStart;
  std::size_t decimals = 0;
  if (i < n && s[i] == '.') {
    ++i;
    const std::size_t fracStart = i;
    while (i < n && digit(s[i])) {
      m = m * 10 + std::uint64_t(s[i] - '0');
      if (m > Limit) return false;
      ++i;
    }
    decimals = i - fracStart;
    digits = digits || decimals > 0;
  }
  if (!digits || decimals > 22 || (i == MaxChars && i < s.size())) return false;
  f.digits = m;
  f.decimals = decimals;
  f.negative = negative;
  f.used = i;
  return true;
}

/// The value of a plain field, as Val gives it: the integer and the power of ten are both
/// exact, so the one division is correctly rounded, just as the general conversion is.
inline double plainValue(const PlainField& f) {
  const double x = f.decimals == 0 ? double(f.digits) : double(f.digits) / Pow10[f.decimals];
  return f.negative ? -x : x;
}

/// The plain decimal field at the start of s as a number; used = its characters.
inline bool plainDecimalPrefix(std::string_view s, double& v, std::size_t& used) {
  PlainField f;
  if (!plainField(s, f)) return false;
  v = plainValue(f);
  used = f.used;
  return true;
}

/// Val's short cut: a plain decimal field that ends the text or is followed by a character
/// that can neither continue a number nor be a blank inside one.
inline bool plainDecimal(std::string_view s, double& v, std::size_t& used) {
  double x = 0;
  std::size_t i = 0;
  if (!plainDecimalPrefix(s, x, i)) return false;
  if (i < s.size()) {
    const char c = s[i];
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || (c >= '0' && c <= '9') || c == '.' ||
        c == 'e' || c == 'E' || c == 'd' || c == 'D')
      return false;
  }
  v = x;
  used = i;
  return true;
}

}  // namespace detail

/// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double x);

/// Rounded (halves to even) 16-bit integer; outside -32768..32767 is error 6 (Overflow).
std::int16_t CInt(double x);
/// Rounded (halves to even) 32-bit integer; out of range is error 6.
std::int32_t CLng(double x);
/// Narrowing of an integer to 16 bits; out of range is error 6.
std::int16_t cint16(long long x);

/// Number as decimal text for messages: a blank before non-negative values, no leading zero
/// before the point below 1 (" .5", "-.25", " 12", " 1E-05").
std::string Str(double x);
/// The same for integers (" 12", "-3").
std::string Str(long long x);
inline std::string Str(int x) {
  return Str(static_cast<long long>(x));
}
inline std::string Str(std::int16_t x) {
  return Str(static_cast<long long>(x));
}

/// Formats a with a numeric pattern of '#', '0', ',' and '.' ("########0.00", "0.00000",
/// "###0.000"): no leading blanks, the pattern's decimals with halves rounded away from zero,
/// at least as many integer digits as the pattern has zeros before its point, and always a
/// decimal point, never a comma.
std::string formatPattern(double a, std::string_view pattern);

}  // namespace kel
