// Kelvorin - desktop workbench for vibrational calculations.
// A measured spectrum to lay over the computed one: JCAMP-DX (.jdx, .dx) or two columns of
// text (.csv, .txt), held as wavenumbers (cm-1) and absorbance.
#pragma once

#include "model/tab.hpp"

#include <span>
#include <string>
#include <string_view>

namespace kel {

struct Work;
class LineReader;

/// Most points of a measured spectrum.
inline constexpr int MaxMeasured = 131072;

struct MeasuredSpectrum {
  int n = 0;                   ///< points 1..n; 0 = none held
  Tab<double, MaxMeasured> x;  ///< cm-1
  Tab<double, MaxMeasured> y;  ///< absorbance (transmittance converted)
  bool fromTransmittance = false;
  std::string title;  ///< the file's title, when it has one

  std::span<const double> xs() { return x.run(1, n); }
  std::span<const double> ys() { return y.run(1, n); }
};

/// What a reader of one form hands back: the points as read, in the file's units.
struct SpectrumRead {
  MeasuredSpectrum& s;
  std::string why;  ///< the reason a file is refused; empty while all is well
  bool fail(std::string text) {
    if (why.empty()) why = std::move(text);
    return false;
  }
  /// Appends one point; refused beyond the capacity.
  bool add(double x, double y);
};

/// Reads file (by extension: .jdx/.dx JCAMP-DX, else two columns of text) into s. The whole
/// spectrum or nothing: ier = 1 with Text3 = the file name, ": " and the reason, s.n = 0.
void ReadMeasured(Work& w, const std::string& file, MeasuredSpectrum& s, int& ier) noexcept;

/// Reads a JCAMP-DX file; false with the reason in r.why.
bool readJcamp(LineReader& in, SpectrumRead& r);
/// Reads two columns (wavenumber, absorbance or transmittance); false with the reason.
bool readColumns(LineReader& in, SpectrumRead& r);

/// Absorbance from transmittance t (a fraction, or per cent when percent): -log10(t), with t
/// held above 1e-4 of full transmission so that a dark point stays finite.
double absorbanceOf(double t, bool percent);

}  // namespace kel
