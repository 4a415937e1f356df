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
inline std::string Str(int x) { return Str(static_cast<long long>(x)); }
inline std::string Str(std::int16_t x) { return Str(static_cast<long long>(x)); }

/// Formats a with a numeric pattern of '#', '0', ',' and '.' ("########0.00", "0.00000",
/// "###0.000"): no leading blanks, the pattern's decimals with halves rounded away from zero,
/// at least as many integer digits as the pattern has zeros before its point, and always a
/// decimal point, never a comma.
std::string formatPattern(double a, std::string_view pattern);

}  // namespace kel
