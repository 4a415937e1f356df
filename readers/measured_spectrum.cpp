// Kelvorin - desktop workbench for vibrational calculations.
// The entry of the measured-spectrum readers, and the two-column text form.
#include "readers/measured_spectrum.hpp"

#include "base/convert.hpp"
#include "base/files.hpp"
#include "base/line_reader.hpp"
#include "base/strings.hpp"
#include "model/work.hpp"
#include "readers/read_helpers.hpp"
#include "readers/texts.hpp"

#include <algorithm>
#include <cmath>

namespace kel {

namespace {

constexpr std::string_view TooManyPoints =
    "more than 131072 points: the program holds at most 131072";
constexpr std::string_view TwoNumbers = "two numbers expected at line ";
constexpr std::string_view NoPoints = "no lines of two numbers";
constexpr std::string_view NotFinite = "a value that is not a finite number";
constexpr std::string_view PointsFrom = "measured spectrum: ";
constexpr std::string_view PointsFromTail = " points from file ";

/// True for a JCAMP-DX name (.jdx, .dx, any case).
bool jcampName(const std::string& file) {
  const std::size_t dot = file.rfind('.');
  if (dot == std::string::npos || dot < fileNameStart(file)) return false;
  const std::string ext = lower(std::string_view(file).substr(dot));
  return ext == ".jdx" || ext == ".dx";
}

/// The fields of a text line: "1234.5;0,12" (decimal commas) splits at the semicolons,
/// "1234.5,0.12" at the comma, "1234,5\t0,12" at the tab, "1234.5 0.12" at the blanks.
std::vector<std::string> columnFields(std::string_view line) {
  std::vector<std::string> fields;
  const bool semicolons = line.find(';') != std::string_view::npos;
  const bool tabs = line.find('\t') != std::string_view::npos;
  const bool decimalComma = semicolons || (tabs && line.find('.') == std::string_view::npos);
  std::string cur;
  auto push = [&] {
    std::string t = trim(cur);
    if (!t.empty()) fields.push_back(t);
    cur.clear();
  };
  for (char c : line) {
    const bool sep = semicolons ? c == ';' : (c == '\t' || c == ' ' || (!decimalComma && c == ','));
    if (sep) {
      push();
    } else {
      cur += c == ',' && decimalComma ? '.' : c;
    }
  }
  push();
  return fields;
}

}  // namespace

bool SpectrumRead::add(double xv, double yv) {
  if (s.n >= MaxMeasured) return fail(std::string(TooManyPoints));
  if (!std::isfinite(xv) || !std::isfinite(yv)) return fail(std::string(NotFinite));
  ++s.n;
  s.x(s.n) = xv;
  s.y(s.n) = yv;
  return true;
}

double absorbanceOf(double t, bool percent) {
  const double fraction = percent ? t / 100 : t;
  return -std::log10(std::max(fraction, 1e-4));
}

// wavenumber,absorbance          (header lines: any line whose first field is not a number)
// 4000.0,0.012
/// Two columns of text: wavenumber (cm-1) and absorbance, or transmittance when a header
/// says so ("Transmittance", "%T"); per cent when a header has '%' or a value exceeds 1.5.
bool readColumns(LineReader& in, SpectrumRead& r) {
  std::string line;
  bool transmittance = false, percent = false;
  while (in.getLine(line)) {
    auto fields = columnFields(line);
    if (fields.empty()) continue;
    if (!isNumber(fields[0])) {
      const std::string low = lower(line);
      if (low.find("transm") != std::string::npos || low.find("%t") != std::string::npos)
        transmittance = true;
      percent = percent || (transmittance && low.find('%') != std::string::npos);
      continue;
    }
    if (fields.size() < 2 || !isNumber(fields[1]))
      return r.fail(std::string(TwoNumbers) + std::to_string(in.lineNumber()));
    if (!r.add(Val(fields[0]), Val(fields[1]))) return false;
  }
  MeasuredSpectrum& s = r.s;
  if (s.n == 0) return r.fail(std::string(NoPoints));
  if (transmittance) {
    for (int i = 1; i <= s.n && !percent; ++i) percent = s.y(i) > 1.5;
    for (int i = 1; i <= s.n; ++i) s.y(i) = absorbanceOf(s.y(i), percent);
    s.fromTransmittance = true;
  }
  return true;
}

void ReadMeasured(Work& w, const std::string& file, MeasuredSpectrum& s, int& ier) noexcept {
  ier = 0;
  s.n = 0;
  s.title.clear();
  s.fromTransmittance = false;
  const bool done = guard(w, "ReadMeasured", [&] {
    if (spl(file) <= 0) {
      w.con.Text3.text = emptyOrMissing(file, texts::FileNotFound);
      ier = 1;
      return;
    }
    LineReader in(file);
    SpectrumRead r{s, {}};
    if (!(jcampName(file) ? readJcamp(in, r) : readColumns(in, r))) {
      w.con.Text3.text = file + ": " + r.why;
      s.n = 0;
      ier = 1;
      return;
    }
    tekst(w, std::string(PointsFrom) + std::to_string(s.n) + std::string(PointsFromTail) + file);
  });
  if (!done) {
    s.n = 0;
    ier = 1;
  }
}

}  // namespace kel
