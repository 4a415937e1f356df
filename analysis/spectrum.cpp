// Kelvorin - desktop workbench for vibrational calculations.
#include "analysis/spectrum.hpp"

#include "model/model.hpp"
#include "model/slots.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace kel {

namespace {

constexpr std::string_view NoModes = "no modes held: no spectrum";
constexpr std::string_view NoRealModes = "only imaginary modes: no spectrum";
constexpr std::string_view BadWidth = "the line width must be above 0";
constexpr std::string_view BadStep = "the step must be above 0";
constexpr std::string_view BadRange = "the range must run from a lower to a higher wavenumber";
constexpr std::string_view TooManyPoints = "more than 200001 points: take a larger step";
constexpr std::string_view NothingToFit = "no IR intensity or no measured absorbance to fit";
constexpr std::string_view CsvHeader = "wavenumber,ir,raman\n";

/// The fit's factors: 0.9000 + k * 0.0005 for k = 0..300, each formed exactly once.
constexpr int FitSteps = 300;
double fitFactor(int k) {
  return (9000.0 + 5.0 * k) / 10000.0;
}

/// Shortest text that reads back as x ("0", "12.5", "1.25e-07"), never with a comma.
void appendNumber(std::string& out, double x) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, x);
  out.append(buf, r.ptr);
}

/// Wavenumber of point i: from + i * step, rounded to the micro-cm-1 so that 0.1 steps
/// print as 0.3 and not as 0.30000000000000004.
double pointAt(double from, double step, long i) {
  return std::round((from + double(i) * step) * 1e6) / 1e6;
}

/// Sum over the sticks of intensity * line shape at x.
double broadened(const std::vector<Stick>& sticks, bool raman, LineShape shape, double fwhm,
                 double x) {
  double sum = 0;
  for (const auto& s : sticks) {
    const double i = raman ? s.raman : s.ir;
    if (i != 0) sum += i * lineShape(shape, fwhm, x - s.x);
  }
  return sum;
}

}  // namespace

Scaling heldScaling(const ModKel& m) {
  Scaling s;
  if (m.Sw(sw::Scaling) == 0) return s;
  const double f = m.Par(par::ScaleFactor), d = m.Par(par::ScaleShift);
  // "scaling factor = .97" (no "x") keeps its value in the shift slot with a zero factor
  s.factor = f != 0 ? f : d;
  s.shift = f != 0 ? d : 0;
  return s;
}

void holdScaling(ModKel& m, Scaling s) {
  m.Par(par::ScaleFactor) = s.factor;
  m.Par(par::ScaleShift) = s.shift;
  m.Sw(sw::Scaling) = s.factor != 0 ? -1 : 0;
}

double lineShape(LineShape shape, double fwhm, double dx) {
  if (shape == LineShape::Lorentz) {
    const double g = fwhm / 2;
    return (g / std::numbers::pi) / (dx * dx + g * g);
  }
  const double sigma = fwhm / (2 * std::sqrt(2 * std::numbers::ln2));
  return std::exp(-dx * dx / (2 * sigma * sigma)) / (sigma * std::sqrt(2 * std::numbers::pi));
}

std::vector<Stick> spectrumSticks(const ModKel& m, Scaling s) {
  std::vector<Stick> out;
  const bool raman = m.RaInt(0) > 0;
  for (int k = 1; k <= m.NFrq; ++k) {
    if (m.Frq(k) < 0) continue;  // imaginary
    out.push_back({k, s.factor * m.Frq(k) + s.shift, m.IrInt(k), raman ? m.RaInt(k) : 0});
  }
  return out;
}

double defaultUpper(const std::vector<Stick>& sticks) {
  double top = 0;
  for (const auto& s : sticks) top = std::max(top, s.x);
  return std::ceil((top + 200) / 100) * 100;
}

bool computeSpectrum(const ModKel& m, const SpectrumSettings& set, Spectrum& s) {
  s = {};
  s.ramanHeld = m.RaInt(0) > 0;
  auto fail = [&](std::string_view why) {
    s.message = std::string(why);
    return false;
  };
  if (m.NFrq < 1) return fail(NoModes);
  s.sticks = spectrumSticks(m, set.scaling);
  if (s.sticks.empty()) return fail(NoRealModes);
  if (!(set.fwhm > 0) || !std::isfinite(set.fwhm)) return fail(BadWidth);
  if (!(set.step > 0) || !std::isfinite(set.step)) return fail(BadStep);
  s.from = set.rangeSet ? set.from : 0;
  s.to = set.rangeSet ? set.to : defaultUpper(s.sticks);
  s.step = set.step;
  s.unitPeak = lineShape(set.shape, set.fwhm, 0);
  if (!(s.to > s.from) || !std::isfinite(s.to) || !std::isfinite(s.from)) return fail(BadRange);
  const double span = (s.to - s.from) / s.step;
  if (span >= double(MaxSpectrumPoints)) return fail(TooManyPoints);
  // a last point within a millionth of a step of the end counts (0 to 1 by 0.1)
  const long n = long(std::floor(span + 1e-6)) + 1;
  s.x.resize(std::size_t(n));
  s.ir.resize(std::size_t(n));
  s.raman.resize(std::size_t(n));
  for (long i = 0; i < n; ++i) {
    const auto k = std::size_t(i);
    s.x[k] = pointAt(s.from, s.step, i);
    s.ir[k] = broadened(s.sticks, false, set.shape, set.fwhm, s.x[k]);
    s.raman[k] = s.ramanHeld ? broadened(s.sticks, true, set.shape, set.fwhm, s.x[k]) : 0;
  }
  return true;
}

std::string spectrumCsv(const Spectrum& s) {
  std::string out(CsvHeader);
  out.reserve(out.size() + s.x.size() * 48);
  for (std::size_t i = 0; i < s.x.size(); ++i) {
    appendNumber(out, s.x[i]);
    out += ',';
    appendNumber(out, s.ir[i]);
    out += ',';
    appendNumber(out, s.raman[i]);
    out += '\n';
  }
  return out;
}

ScaleFit fitScale(const std::vector<Stick>& unscaled, LineShape shape, double fwhm,
                  std::span<const double> x, std::span<const double> y) {
  ScaleFit fit;
  double yy = 0;
  for (double v : y) yy += v * v;
  bool anyIr = false;
  for (const auto& s : unscaled) anyIr = anyIr || s.ir > 0;
  if (!(yy > 0) || !anyIr || x.size() != y.size() || !(fwhm > 0)) {
    fit.message = std::string(NothingToFit);
    return fit;
  }
  std::vector<Stick> scaled = unscaled;
  fit.similarity = -2;
  for (int k = 0; k <= FitSteps; ++k) {
    const double f = fitFactor(k);
    for (std::size_t i = 0; i < scaled.size(); ++i) scaled[i].x = f * unscaled[i].x;
    double cy = 0, cc = 0;
    for (std::size_t j = 0; j < x.size(); ++j) {
      const double c = broadened(scaled, false, shape, fwhm, x[j]);
      cy += c * y[j];
      cc += c * c;
    }
    const double cosine = cc > 0 ? cy / std::sqrt(cc * yy) : 0;
    if (cosine > fit.similarity) {
      fit.similarity = cosine;
      fit.factor = f;
    }
  }
  return fit;
}

}  // namespace kel
