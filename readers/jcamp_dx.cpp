// Kelvorin - desktop workbench for vibrational calculations.
// JCAMP-DX spectra: labelled header lines "##LABEL= value", then the data table of
// ##XYDATA=(X++(Y..Y)) in any ASDF form (AFFN, PAC, SQZ, DIF, DUP) or of ##XYPOINTS= /
// ##PEAK TABLE=(XY..XY), ended by ##END=. Only the first data block of a file is read.
#include "base/convert.hpp"
#include "base/line_reader.hpp"
#include "base/strings.hpp"
#include "readers/measured_spectrum.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace kel {

namespace {

constexpr std::string_view NoData = "no ##XYDATA, ##XYPOINTS or ##PEAK TABLE found";
constexpr std::string_view NoEnd = "cut off: no ##END= after the data";
constexpr std::string_view NotYTable = "only ##XYDATA=(X++(Y..Y)) tables are read, not ";
constexpr std::string_view NotXyPairs = "only (XY..XY) point tables are read, not ";
constexpr std::string_view NoNtuples = "##NTUPLES tables are not read";
constexpr std::string_view NoFirstLast = "##FIRSTX or ##LASTX missing";
constexpr std::string_view CountMismatch = "##NPOINTS promises";
constexpr std::string_view PointsRead = " points, the table holds";
constexpr std::string_view AtLine = " at line ";
constexpr std::string_view BadCharacter = "unexpected character '";
constexpr std::string_view MissingValue = "a missing value '?'";
constexpr std::string_view DifFirst = "a difference with no value before it";
constexpr std::string_view DupFirst = "a repeat count with no value before it";
constexpr std::string_view DupZero = "a repeat count below 1";
constexpr std::string_view CheckFailed = "the y check value differs from the line before";
constexpr std::string_view XOutOfStep = "the abscissa is out of step";
constexpr std::string_view PackedPair = "a compressed value in a point table";
constexpr std::string_view OddPairs = "an x without its y";
constexpr std::string_view BadXUnits = "x units not read: ";
constexpr std::string_view BadWavelength = "a wavelength not above 0";

/// Label without blanks, hyphens, slashes and underscores, in capitals ("PEAKTABLE").
std::string labelKey(std::string_view s) {
  std::string k;
  for (char c : s) {
    if (c == ' ' || c == '-' || c == '/' || c == '_' || c == '\t') continue;
    k += char(c >= 'a' && c <= 'z' ? c - 32 : c);
  }
  return k;
}

enum class Kind { Abs, Dif, Dup };

struct Token {
  Kind kind = Kind::Abs;
  double v = 0;
};

/// Value of an ASDF pseudo-digit: SQZ '@' 'A'..'I' 'a'..'i', DIF '%' 'J'..'R' 'j'..'r', DUP
/// 'S'..'Z' 's'; false for any other character.
bool pseudoDigit(char c, Kind& kind, int& d) {
  if (c == '@' || (c >= 'A' && c <= 'I'))
    return kind = Kind::Abs, d = c == '@' ? 0 : c - 'A' + 1, true;
  if (c >= 'a' && c <= 'i') return kind = Kind::Abs, d = -(c - 'a' + 1), true;
  if (c == '%' || (c >= 'J' && c <= 'R'))
    return kind = Kind::Dif, d = c == '%' ? 0 : c - 'J' + 1, true;
  if (c >= 'j' && c <= 'r') return kind = Kind::Dif, d = -(c - 'j' + 1), true;
  if (c >= 'S' && c <= 'Z') return kind = Kind::Dup, d = c - 'S' + 1, true;
  if (c == 's') return kind = Kind::Dup, d = 9, true;
  return false;
}

bool digit(char c) {
  return c >= '0' && c <= '9';
}

/// Splits one data line into tokens; false with the reason on a character no form allows.
/// AFFN numbers may carry an exponent ("1.5E+03"); a letter E after the digits of a
/// compressed value starts the next value instead.
bool tokenise(std::string_view s, std::vector<Token>& out, std::string& why) {
  out.clear();
  std::size_t i = 0;
  std::string text;
  while (i < s.size()) {
    const char c = s[i];
    if (c == ' ' || c == '\t' || c == ',' || c == ';') {
      ++i;
      continue;
    }
    Token t;
    int d = 0;
    text.clear();
    if (c == '+' || c == '-' || c == '.' || digit(c)) {
      const std::size_t start = i++;
      while (i < s.size() && (digit(s[i]) || s[i] == '.')) ++i;
      if (i + 1 < s.size() && (s[i] == 'E' || s[i] == 'e') &&
          ((s[i + 1] == '+' || s[i + 1] == '-') && i + 2 < s.size() && digit(s[i + 2]))) {
        i += 2;
        while (i < s.size() && digit(s[i])) ++i;
      }
      text = std::string(s.substr(start, i - start));
      if (text.find_first_of("0123456789") == std::string::npos) {
        why = std::string(BadCharacter) + c + "'";
        return false;
      }
      t.v = Val(text);
    } else if (pseudoDigit(c, t.kind, d)) {
      text = std::to_string(d < 0 ? -d : d);
      ++i;
      while (i < s.size() && (digit(s[i]) || (t.kind != Kind::Dup && s[i] == '.'))) text += s[i++];
      t.v = Val(text) * (d < 0 ? -1 : 1);
    } else if (c == '?') {
      why = std::string(MissingValue);
      return false;
    } else {
      why = std::string(BadCharacter) + c + "'";
      return false;
    }
    out.push_back(t);
  }
  return true;
}

/// The state of an ##XYDATA table between its lines.
struct YTable {
  bool checkNext = false;  ///< the last line ended in DIF form: the next line repeats its last y
  bool haveY = false;
  double lastY = 0;
  bool lastDif = false;
  double lastStep = 0;
  bool stepKnown = false;  ///< firstX, delta and the factor are known: each line's X is checked
  double firstX = 0, delta = 0, xFactor = 1;
};

// 3998.0@jJ%kTJ1           (X, then y values in SQZ, DIF and DUP form)
// 3991.0A2                 (after a DIF line: the first y repeats the last one, a check)
/// Reads one line of an ##XYDATA=(X++(Y..Y)) table into r (raw y values, no factor).
bool yLine(std::string_view line, YTable& t, SpectrumRead& r, std::vector<Token>& tokens) {
  std::string why;
  if (!tokenise(line, tokens, why)) return r.fail(why);
  if (tokens.empty()) return true;
  if (tokens[0].kind != Kind::Abs) return r.fail(std::string(BadCharacter) + line.front() + "'");
  const double x = tokens[0].v;
  bool check = t.checkNext && t.haveY;
  t.checkNext = false;
  // The X of the line belongs to its first y (the check value's point when there is one).
  const long first = long(r.s.n) - (check ? 1 : 0);
  if (t.stepKnown && tokens.size() > 1) {
    const double expected = t.firstX + double(first) * t.delta;
    // X is written in units of XFACTOR, rounded or cut: a lost point is a whole step off
    const double slack = std::max(0.5 * std::fabs(t.delta), std::fabs(t.xFactor)) * (1 + 1e-6) +
                         1e-9 * std::fabs(expected);
    if (std::fabs(x * t.xFactor - expected) > slack) return r.fail(std::string(XOutOfStep));
  }
  for (std::size_t k = 1; k < tokens.size(); ++k) {
    const Token& tok = tokens[k];
    if (tok.kind == Kind::Abs) {
      if (check) {
        check = false;
        if (std::fabs(tok.v - t.lastY) > 1e-9 * std::max(1.0, std::fabs(tok.v)))
          return r.fail(std::string(CheckFailed));
        t.lastDif = false;
        continue;
      }
      if (!r.add(0, tok.v)) return false;
      t.lastY = tok.v;
      t.haveY = true;
      t.lastDif = false;
    } else if (tok.kind == Kind::Dif) {
      if (!t.haveY) return r.fail(std::string(DifFirst));
      check = false;
      t.lastY += tok.v;
      t.lastStep = tok.v;
      t.lastDif = true;
      if (!r.add(0, t.lastY)) return false;
    } else {
      if (!t.haveY) return r.fail(std::string(DupFirst));
      if (tok.v < 1) return r.fail(std::string(DupZero));
      for (double n = 1; n < tok.v; ++n) {
        if (t.lastDif) t.lastY += t.lastStep;
        if (!r.add(0, t.lastY)) return false;
      }
    }
  }
  t.checkNext = t.lastDif;
  return true;
}

// 450.0, 12.5; 451.0, 13.0      (or blank-separated pairs; XYW triples keep x and y)
/// Reads one line of an (XY..XY) table; a pair may run over the line end.
bool pairLine(std::string_view line, int per, std::vector<double>& pending, SpectrumRead& r,
              std::vector<Token>& tokens) {
  std::string why;
  if (!tokenise(line, tokens, why)) return r.fail(why);
  for (const auto& t : tokens) {
    if (t.kind != Kind::Abs) return r.fail(std::string(PackedPair));
    pending.push_back(t.v);
    if (int(pending.size()) == per) {
      if (!r.add(pending[0], pending[1])) return false;
      pending.clear();
    }
  }
  return true;
}

/// Header values that the data need.
struct Header {
  double xFactor = 1, yFactor = 1;
  bool haveFirst = false, haveLast = false;
  double firstX = 0, lastX = 0;
  long nPoints = -1;
  std::string xUnits, yUnits;
};

/// Wavenumbers and absorbance from the values as read.
bool finish(const Header& h, bool yTable, SpectrumRead& r) {
  MeasuredSpectrum& s = r.s;
  if (h.nPoints >= 0 && h.nPoints != s.n)
    return r.fail(std::string(CountMismatch) + Str(double(h.nPoints)) + std::string(PointsRead) +
                  Str(s.n));
  if (yTable) {
    if (!h.haveFirst || !h.haveLast) return r.fail(std::string(NoFirstLast));
    const double step = s.n > 1 ? (h.lastX - h.firstX) / (s.n - 1) : 0;
    for (int i = 1; i <= s.n; ++i) {
      s.x(i) = h.firstX + (i - 1) * step;
      s.y(i) *= h.yFactor;
    }
  } else {
    for (int i = 1; i <= s.n; ++i) {
      s.x(i) *= h.xFactor;
      s.y(i) *= h.yFactor;
    }
  }
  const std::string xu = labelKey(h.xUnits), yu = labelKey(h.yUnits);
  double toWavenumber = 0;  // 0: already cm-1
  if (xu.find("MICRO") != std::string::npos || xu == "UM")
    toWavenumber = 1e4;
  else if (xu.find("NANO") != std::string::npos || xu == "NM")
    toWavenumber = 1e7;
  else if (!xu.empty() && xu != "1CM" && xu != "CM1" && xu != "CM^1" && xu != "WAVENUMBERS" &&
           xu != "WAVENUMBER")
    return r.fail(std::string(BadXUnits) + h.xUnits);
  if (toWavenumber != 0)
    for (int i = 1; i <= s.n; ++i) {
      if (!(s.x(i) > 0)) return r.fail(std::string(BadWavelength));
      s.x(i) = toWavenumber / s.x(i);
    }
  if (yu.find("TRANSMIT") != std::string::npos) {
    bool percent = yu.find('%') != std::string::npos || yu.find("PERCENT") != std::string::npos;
    for (int i = 1; i <= s.n && !percent; ++i) percent = s.y(i) > 1.5;
    for (int i = 1; i <= s.n; ++i) s.y(i) = absorbanceOf(s.y(i), percent);
    s.fromTransmittance = true;
  }
  return true;
}

}  // namespace

bool readJcamp(LineReader& in, SpectrumRead& r) {
  enum class Mode { Header, YData, Pairs, Done };
  Mode mode = Mode::Header;
  Header h;
  YTable t;
  int per = 2;
  bool yTable = false;
  std::vector<double> pending;
  std::vector<Token> tokens;
  std::string line;
  while (mode != Mode::Done && in.getLine(line)) {
    if (auto c = line.find("$$"); c != std::string::npos) line.erase(c);
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) continue;
    std::string_view l = std::string_view(line).substr(start);
    if (!l.starts_with("##")) {
      bool ok = mode == Mode::YData   ? yLine(l, t, r, tokens)
                : mode == Mode::Pairs ? pairLine(l, per, pending, r, tokens)
                                      : true;  // text between labels
      if (!ok) {
        r.why += std::string(AtLine) + std::to_string(in.lineNumber());
        return false;
      }
      continue;
    }
    const auto eq = l.find('=');
    const std::string key = labelKey(l.substr(2, eq == std::string_view::npos ? l.npos : eq - 2));
    const std::string value = eq == std::string_view::npos ? "" : trim(l.substr(eq + 1));
    if (mode != Mode::Header) {
      if (!pending.empty()) return r.fail(std::string(OddPairs));
      mode = key == "END" ? Mode::Done : Mode::Header;
      if (mode == Mode::Done) break;
      return r.fail(std::string(NoEnd));
    }
    if (key == "XYDATA") {
      if (labelKey(value) != "(X++(Y..Y))") return r.fail(std::string(NotYTable) + value);
      mode = Mode::YData;
      yTable = true;
      t.stepKnown = h.haveFirst && h.haveLast && h.nPoints > 1;
      if (t.stepKnown) {
        t.firstX = h.firstX;
        t.delta = (h.lastX - h.firstX) / double(h.nPoints - 1);
        t.xFactor = h.xFactor;
      }
    } else if (key == "XYPOINTS" || key == "PEAKTABLE") {
      const std::string form = labelKey(value);
      if (form == "(XYW..XYW)")
        per = 3;
      else if (form != "(XY..XY)")
        return r.fail(std::string(NotXyPairs) + value);
      mode = Mode::Pairs;
    } else if (key == "NTUPLES") {
      return r.fail(std::string(NoNtuples));
    } else if (key == "TITLE") {
      if (r.s.title.empty()) r.s.title = value;
    } else if (key == "XFACTOR") {
      h.xFactor = Val(value);
    } else if (key == "YFACTOR") {
      h.yFactor = Val(value);
    } else if (key == "FIRSTX") {
      h.firstX = Val(value), h.haveFirst = true;
    } else if (key == "LASTX") {
      h.lastX = Val(value), h.haveLast = true;
    } else if (key == "NPOINTS") {
      h.nPoints = long(std::clamp(Val(value), -1.0, 1e9));
    } else if (key == "XUNITS") {
      h.xUnits = value;
    } else if (key == "YUNITS") {
      h.yUnits = value;
    }
  }
  if (mode != Mode::Done) return r.fail(std::string(r.s.n > 0 || yTable ? NoEnd : NoData));
  if (r.s.n == 0) return r.fail(std::string(NoData));
  return finish(h, yTable, r);
}

}  // namespace kel
