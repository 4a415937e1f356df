// Kelvorin - desktop workbench for vibrational calculations.
#include "base/convert.hpp"

#include "base/basic_error.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kel {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

double detail::valGeneral(std::string_view s, std::size_t& used) {
  // Gather the characters of the number, skipping blanks, in a small buffer.
  char buf[64];
  std::size_t n = 0;
  std::size_t i = 0, lastUsed = 0;
  auto peek = [&]() -> int {
    while (i < s.size() && isBlank(s[i])) ++i;
    return i < s.size() ? static_cast<unsigned char>(s[i]) : -1;
  };
  auto take = [&](char c) {
    if (n < sizeof buf - 1) buf[n++] = c;
    ++i;
    lastUsed = i;
  };
  int c = peek();
  if (c == '+' || c == '-') {
    take(static_cast<char>(c));
    c = peek();
  }
  std::size_t mantStart = n;
  bool digits = false;
  while (c >= 0 && isDigit(static_cast<char>(c))) {
    take(static_cast<char>(c));
    digits = true;
    c = peek();
  }
  if (c == '.') {
    take('.');
    c = peek();
    while (c >= 0 && isDigit(static_cast<char>(c))) {
      take(static_cast<char>(c));
      digits = true;
      c = peek();
    }
  }
  if (!digits) {
    used = 0;
    return 0.0;
  }
  (void)mantStart;
  // Exponent: only when at least one digit follows the letter (and its sign).
  if (c == 'e' || c == 'E' || c == 'd' || c == 'D') {
    std::size_t saveI = i, saveN = n, saveUsed = lastUsed;
    take('e');
    c = peek();
    if (c == '+' || c == '-') {
      take(static_cast<char>(c));
      c = peek();
    }
    bool expDigits = false;
    while (c >= 0 && isDigit(static_cast<char>(c))) {
      take(static_cast<char>(c));
      expDigits = true;
      c = peek();
    }
    if (!expDigits) {
      i = saveI;
      n = saveN;
      lastUsed = saveUsed;
    }
  }
  buf[n] = '\0';
  const char* first = buf;
  if (*first == '+') ++first;
  double v = 0.0;
  auto res = std::from_chars(first, buf + n, v, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    // Too large: keep the sign, like an overflowing conversion would (caller decides).
    v = (*first == '-') ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();
    // Underflow gives 0.
    if (std::string_view(first).find("e-") != std::string_view::npos) v = 0.0;
  }
  used = lastUsed;
  return v;
}

double Val(std::string_view s, std::size_t& used) {
  if (double v = 0; detail::plainDecimal(s, v, used)) return v;
  return detail::valGeneral(s, used);
}

double Val(std::string_view s) {
  std::size_t used = 0;
  return Val(s, used);
}

double roundHalfEven(double x) {
  return std::nearbyint(x);
}  // default mode: to nearest even

std::int16_t CInt(double x) {
  double r = roundHalfEven(x);
  if (!(r >= -32768.0 && r <= 32767.0)) throw BasicError{6};
  return static_cast<std::int16_t>(r);
}

std::int32_t CLng(double x) {
  double r = roundHalfEven(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw BasicError{6};
  return static_cast<std::int32_t>(r);
}

std::int16_t cint16(long long x) {
  if (x < -32768 || x > 32767) throw BasicError{6};
  return static_cast<std::int16_t>(x);
}

std::string Str(long long x) {
  std::string s = std::to_string(x);
  if (x >= 0) s.insert(s.begin(), ' ');
  return s;
}

std::string Str(double x) {
  if (std::isnan(x)) return " NaN";
  if (std::isinf(x)) return x > 0 ? " Inf" : "-Inf";
  if (x == 0.0) return " 0";
  double ax = std::fabs(x);
  char buf[64];
  std::string body;
  // Locale-free conversions only: the point is never a comma.
  if (ax >= 1e15 || ax < 1e-4) {
    // Scientific form: up to 15 significant digits, "E+NN"/"E-NN".
    auto r = std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::scientific, 14);
    std::string m(buf, r.ptr);
    auto e = m.find('e');
    std::string mant = m.substr(0, e);
    int expo = std::atoi(m.c_str() + e + 1);
    while (!mant.empty() && mant.back() == '0') mant.pop_back();
    if (!mant.empty() && mant.back() == '.') mant.pop_back();
    std::string ex = std::to_string(expo < 0 ? -expo : expo);
    if (ex.size() < 2) ex.insert(ex.begin(), '0');
    body = mant + (expo < 0 ? "E-" : "E+") + ex;
  } else {
    auto r = std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::fixed, 15);
    body.assign(buf, r.ptr);
    // Keep 15 significant digits, then drop trailing zeros.
    std::size_t sig = 0, i = 0;
    for (; i < body.size(); ++i) {
      if (body[i] == '.') continue;
      if (sig > 0 || body[i] != '0') ++sig;
      if (sig > 15) break;
    }
    if (i < body.size()) {
      // Round at the 15th significant digit through a shorter fixed conversion.
      auto dot = body.find('.');
      int intDigits = int(dot);
      int decimals = 15 - (body[0] == '0' ? 0 : intDigits);
      if (body[0] == '0') {
        auto firstSig = body.find_first_not_of("0.", 0);
        decimals = int(firstSig - dot - 1) + 15;
      }
      if (decimals < 0) decimals = 0;
      r = std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::fixed, decimals);
      body.assign(buf, r.ptr);
    }
    if (body.find('.') != std::string::npos) {
      while (body.back() == '0') body.pop_back();
      if (body.back() == '.') body.pop_back();
    }
    if (body.size() > 1 && body[0] == '0' && body[1] == '.') body.erase(0, 1);
  }
  return (x < 0 ? "-" : " ") + body;
}

std::string formatPattern(double a, std::string_view pattern) {
  auto point = pattern.find('.');
  int decimals = 0;
  int minInt = 0;
  std::string_view intPart = pattern.substr(0, point);
  for (char c : intPart)
    if (c == '0') ++minInt;
  if (point != std::string_view::npos)
    for (char c : pattern.substr(point + 1))
      if (c == '0' || c == '#') ++decimals;
  if (std::isnan(a)) return "NaN";
  double scale = std::pow(10.0, decimals);
  double scaled = std::fabs(a) * scale;
  std::string digits;
  if (scaled < 9e15) {
    double r = std::floor(scaled + 0.5);  // halves away from zero, on the value as stored
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, r, std::chars_format::fixed, 0);
    digits.assign(buf, res.ptr);
  } else {
    char buf[400];
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(a), std::chars_format::fixed, decimals);
    digits.assign(buf, res.ptr);
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
  }
  if (static_cast<int>(digits.size()) <= decimals)
    digits.insert(0, std::size_t(decimals + 1 - static_cast<int>(digits.size())), '0');
  std::string ip = digits.substr(0, digits.size() - std::size_t(decimals));
  std::string fp = digits.substr(digits.size() - std::size_t(decimals));
  // Drop leading zeros the pattern does not ask for.
  while (ip.size() > 1 && ip[0] == '0' && static_cast<int>(ip.size()) > minInt) ip.erase(0, 1);
  if (ip == "0" && minInt == 0) ip.clear();
  while (static_cast<int>(ip.size()) < minInt) ip.insert(ip.begin(), '0');
  bool zero = ip.find_first_not_of('0') == std::string::npos &&
              fp.find_first_not_of('0') == std::string::npos;
  std::string out = (a < 0 && !zero) ? "-" : "";
  out += ip;
  if (decimals > 0) out += "." + fp;
  return out;
}

}  // namespace kel
