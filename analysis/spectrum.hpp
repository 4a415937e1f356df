// Kelvorin - desktop workbench for vibrational calculations.
// IR and Raman spectra of the modes held: sticks at the scaled frequencies and a curve
// broadened with unit-area line shapes; the fit of the frequency scale factor to a measured
// spectrum.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace kel {

struct ModKel;

/// Frequency scaling x0 = factor * frequency + shift.
struct Scaling {
  double factor = 1;
  double shift = 0;
};

/// The scaling instruction held in the settings (a "scaling factor" line of the file read):
/// factor 1 and shift 0 when none. A line without "x" holds its one value as the shift slot
/// with a zero factor; that value is the factor.
Scaling heldScaling(const ModKel& m);
/// Holds s as the scaling instruction (the settings slots and the scaling switch), as a
/// "scaling factor = F *x + S" line read from a file would.
void holdScaling(ModKel& m, Scaling s);

enum class LineShape { Lorentz, Gauss };

/// Most points of one computed spectrum.
inline constexpr long MaxSpectrumPoints = 200001;

struct SpectrumSettings {
  LineShape shape = LineShape::Lorentz;
  double fwhm = 10;       ///< cm-1, full width at half maximum
  bool rangeSet = false;  ///< false: 0 to the highest scaled frequency + 200, up to 100
  double from = 0, to = 0;
  double step = 1;
  Scaling scaling;
};

/// One mode of the spectrum: its number, scaled frequency and intensities.
struct Stick {
  int mode = 0;
  double x = 0;      ///< cm-1, scaled
  double ir = 0;     ///< km/mol
  double raman = 0;  ///< A^4/amu (0 when no Raman data are held)
};

struct Spectrum {
  std::vector<Stick> sticks;  ///< modes of real (non-negative) frequency, in mode order
  std::vector<double> x, ir, raman;
  bool ramanHeld = false;
  double from = 0, to = 0, step = 1;
  double unitPeak = 0;  ///< height of the line shape of unit intensity at its centre
  std::string message;  ///< why no spectrum was made; empty on success
};

/// Unit-area line shape of full width fwhm at distance dx from its centre.
double lineShape(LineShape shape, double fwhm, double dx);

/// The sticks of the modes held with scaling s applied once; negative (imaginary)
/// frequencies are left out.
std::vector<Stick> spectrumSticks(const ModKel& m, Scaling s);

/// The default upper end of the range: the highest stick + 200, rounded up to 100.
double defaultUpper(const std::vector<Stick>& sticks);

/// The spectrum of the modes held. False, with the reason in s.message, when there is
/// nothing to show or the settings ask for too many points.
bool computeSpectrum(const ModKel& m, const SpectrumSettings& set, Spectrum& s);

/// The spectrum as CSV: "wavenumber,ir,raman", then one line per point (LF, no locale).
std::string spectrumCsv(const Spectrum& s);

/// Result of the scale fit.
struct ScaleFit {
  double factor = 1;
  double similarity = 0;  ///< cosine similarity at that factor
  std::string message;    ///< why no fit was made; empty on success
};

/// The factor of 0.9000, 0.9005, ..., 1.0500 (no shift) whose broadened IR spectrum of the
/// unscaled sticks has the largest cosine similarity with the measured absorbance y at the
/// measured points x.
ScaleFit fitScale(const std::vector<Stick>& unscaled, LineShape shape, double fwhm,
                  std::span<const double> x, std::span<const double> y);

}  // namespace kel
