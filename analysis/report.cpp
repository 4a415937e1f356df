// Kelvorin - desktop workbench for vibrational calculations.
#include "analysis/report.hpp"

#include "analysis/mode_overlap.hpp"

#include "base/basic_error.hpp"
#include "base/convert.hpp"
#include "model/geometry.hpp"

#include <Eigen/Dense>

#include <cmath>

namespace kel {

namespace {

constexpr std::string_view Heading = "frequency report: modes held";
constexpr std::string_view ExpectedText = ", expected";
constexpr std::string_view CountDiffers = "the mode count differs from the expected";
constexpr std::string_view ImaginaryText = "imaginary modes:";
constexpr std::string_view NoImaginary = "no imaginary mode";
constexpr std::string_view OverlapText = "largest overlap of two modes (mass-weighted):";
constexpr std::string_view ModesWord = " modes";
constexpr std::string_view AndWord = " and";
constexpr std::string_view NoiseText = "; two-decimal rounding of the table explains up to";
constexpr std::string_view NotOrthogonal =
    "modes not orthogonal beyond the rounding of the table: modes";
constexpr std::string_view RigidText = "largest translation and rotation left in a mode:";
constexpr std::string_view RigidIn = "translation and rotation in mode";
constexpr std::string_view OtherGeometry = "the modes do not fit the geometry they are paired with";
constexpr std::string_view FitText = "the force constants belong to another geometry: fit rms";
constexpr std::string_view ComputedText = "computed against printed: largest frequency difference";
constexpr std::string_view SmallestOverlap = " cm-1, smallest mode overlap";
constexpr std::string_view CountsText = "computed modes:";
constexpr std::string_view PrintedText = ", printed:";
constexpr std::string_view FrequenciesDiffer =
    "computed and printed frequencies differ by more than 1 cm-1";
constexpr std::string_view ModesDiffer = "computed and printed modes differ (overlap below 0.9)";
constexpr std::string_view WarningMark = "warning: ";

/// A mode with more translation and rotation than this share does not fit its geometry.
constexpr double RigidLimit = 0.1;
/// Two modes this much overlapping are only worth a warning beyond the rounding noise.
constexpr double OverlapFloor = 0.02;
/// Fits of the force constants' table onto the geometry worse than this (A) are another one.
constexpr double FitLimit = 0.01;
/// Computed modes closer than this (cm-1) are one degenerate set.
constexpr double DegenerateWidth = 0.5;
/// Standard deviation of a displacement printed with two decimals.
constexpr double RoundingSigma = 0.01 / 3.4641016151377544;

std::string fixed(double x, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return Str(std::round(x * scale) / scale);
}

/// Column col of a printed mode, in units, mass-weighted (root: the roots of the masses per
/// coordinate) and made of unit length; its length before. The one way a mode is weighed, so
/// that every sum over such a column is the same to the last bit wherever it is made.
double weighColumn(Eigen::MatrixXd::ColXpr col, const Eigen::VectorXd& root) {
  col = col.cwiseProduct(root);
  const double length = col.norm();
  if (length > 0) col /= length;
  return length;
}

void warn(FrequencyReport& out, const std::string& text) {
  out.warnings.push_back(text);
  out.lines.push_back(std::string(WarningMark) + text);
}

void compute(const ModKel& m, const NormalModes* computed, FrequencyReport& out,
             OverlapJob* early) {
  out = FrequencyReport{};
  const int n = m.NAt, dim = 3 * n, nm = m.NFrq;
  out.expectedModes = n < 2 ? 0 : std::max(0, expectedModes(m, n, ""));
  // projected frequencies (the path taken out of the force constants) have one mode fewer
  bool path = false;
  for (int c = 1; c <= dim && hasForceConstants(m); ++c) path = path || m.FccPath(c) != 0;
  if (path && out.expectedModes > 0) --out.expectedModes;
  out.modes = nm;
  out.lines.push_back(std::string(Heading) + Str(nm) + std::string(ExpectedText) +
                      Str(out.expectedModes));
  if (nm != out.expectedModes) warn(out, std::string(CountDiffers));
  std::string imaginary;
  for (int k = 1; k <= nm; ++k)
    if (m.Frq(k) < 0) {
      out.imaginary.push_back(k);
      imaginary += Str(k);
    }
  out.lines.push_back(out.imaginary.empty() ? std::string(NoImaginary)
                                            : std::string(ImaginaryText) + imaginary);
  if (nm < 1 || n < 1) return;

  const auto masses = currentMasses(m);
  Eigen::VectorXd root(dim);
  for (int c = 0; c < dim; ++c) root(c) = std::sqrt(masses[std::size_t(c / 3)]);
  // Printed mode k, mass-weighted and of unit length, is made when needed in column k % 8 of
  // a small matrix, as rigidShares makes it: every sum over it is the same to the last bit.
  Eigen::MatrixXd cols(dim, 8);
  auto mode = [&](int k) {
    auto col = cols.col(k % 8);
    for (int a = 0; a < n; ++a)
      for (int c = 0; c < 3; ++c) col(3 * a + c) = m.ModeD(k + 1, a + 1, c + 1) / 100.0;
    weighColumn(col, root);  // its length before: lengths[k]
    return col;
  };

  // translation and rotation left in each printed mode, and the overlap check: found beside
  // the read when a check started then still fits the modes, masses and geometry
  const auto rigid = rigidMotions(m, masses, true);
  const bool earlyFits = early && early->fits(m, masses, rigid);
  ModeOverlap best;
  std::vector<double> lengths;
  if (earlyFits) {
    best = early->result();
    out.rigidShare = early->shares();
    lengths = early->lengths();
  } else {
    rigidShares(modeRuns(m), masses, rigid, out.rigidShare, lengths);
  }
  int worst = 0;
  for (int k = 0; k < nm; ++k)
    if (out.rigidShare[std::size_t(k)] > out.maxTranslationRotation) {
      out.maxTranslationRotation = out.rigidShare[std::size_t(k)];
      worst = k + 1;
    }

  if (nm >= 2) {
    if (!earlyFits) best = largestOverlap(m, masses);
    out.maxOverlap = best.value;
    out.overlapPair[0] = best.first;
    out.overlapPair[1] = best.second;
    if (out.overlapPair[0] > 0) {
      const int i = out.overlapPair[0] - 1, j = out.overlapPair[1] - 1;
      auto spread = [&](int k) { return (root.cwiseProduct(mode(k))).norm(); };
      const double li = lengths[std::size_t(i)], lj = lengths[std::size_t(j)];
      if (li > 0 && lj > 0) {
        const double sj = spread(j), si = spread(i);
        out.overlapNoise = 3 * RoundingSigma * (sj / li + si / lj);
      }
    }
    out.lines.push_back(std::string(OverlapText) + fixed(out.maxOverlap, 4) +
                        std::string(ModesWord) + Str(out.overlapPair[0]) + std::string(AndWord) +
                        Str(out.overlapPair[1]) + std::string(NoiseText) +
                        fixed(out.overlapNoise, 4));
    if (out.maxOverlap > std::max(out.overlapNoise, OverlapFloor))
      warn(out, std::string(NotOrthogonal) + Str(out.overlapPair[0]) + std::string(AndWord) +
                    Str(out.overlapPair[1]));
  }

  out.lines.push_back(std::string(RigidText) + fixed(out.maxTranslationRotation, 4) +
                      (worst > 0 ? " (mode" + Str(worst) + ")" : std::string()));
  if (out.maxTranslationRotation > RigidLimit)
    warn(out, std::string(OtherGeometry) + " (" + std::string(RigidIn) + Str(worst) + ":" +
                  fixed(out.maxTranslationRotation, 3) + ")");
  if (hasForceConstants(m) && m.FccFit > FitLimit)
    warn(out, std::string(FitText) + fixed(m.FccFit, 4) + " A");

  if (!computed || computed->count() < 1) return;
  if (computed->count() != nm) {
    out.lines.push_back(std::string(CountsText) + Str(computed->count()) +
                        std::string(PrintedText) + Str(nm));
    return;
  }
  Eigen::MatrixXd c(dim, nm);
  for (int k = 0; k < nm; ++k) {
    for (int p = 0; p < dim; ++p) c(p, k) = computed->displacements[std::size_t(k) * dim + p];
    c.col(k) = c.col(k).cwiseProduct(root).normalized();
  }
  double diff = 0, least = 1;
  for (int k = 0; k < nm; ++k) {
    const auto u = mode(k);
    const double nu = computed->frequencies[std::size_t(k)];
    diff = std::max(diff, std::fabs(m.Frq(k + 1) - nu));
    if (lengths[std::size_t(k)] == 0) continue;
    double s = 0;  // over the degenerate set of computed mode k
    for (int j = 0; j < nm; ++j)
      if (std::fabs(computed->frequencies[std::size_t(j)] - nu) <= DegenerateWidth) {
        const double d = c.col(j).dot(u);
        s += d * d;
      }
    least = std::min(least, std::sqrt(s));
  }
  out.maxFrequencyDifference = diff;
  out.minModeOverlap = least;
  out.lines.push_back(std::string(ComputedText) + fixed(diff, 4) + std::string(SmallestOverlap) +
                      fixed(least, 4));
  if (diff > 1.0) warn(out, std::string(FrequenciesDiffer));
  if (least < 0.9) warn(out, std::string(ModesDiffer));
}

}  // namespace

void rigidShares(const ModeRuns& runs, const std::vector<double>& masses,
                 const std::vector<std::vector<double>>& rigid, std::vector<double>& shares,
                 std::vector<double>& lengths) {
  const int atoms = runs.atoms, modes = runs.modes, dim = 3 * atoms;
  shares.assign(std::size_t(std::max(0, modes)), 0.0);
  lengths.assign(std::size_t(std::max(0, modes)), 0.0);
  Eigen::VectorXd root(dim);
  for (int c = 0; c < dim; ++c) root(c) = std::sqrt(masses[std::size_t(c / 3)]);
  // Mode k mass-weighted and of unit length, in column k % 8: the column starts as the one of
  // a full dim x modes matrix would, so every sum over it is the same to the last bit.
  Eigen::MatrixXd cols(dim, 8);
  std::vector<const i16*> run(std::size_t(std::max(0, dim)));  // each looked up once
  for (int r = 0; r < dim; ++r) run[std::size_t(r)] = runs.run(r / 3, r % 3 + 1);
  for (int k0 = 0; k0 < modes; k0 += 8) {  // eight modes at once: the mode varies fastest
    const int count = std::min(8, modes - k0);
    for (int r = 0; r < dim; ++r) {
      const i16* d = run[std::size_t(r)] + k0;
      for (int q = 0; q < count; ++q) cols(r, q) = d[q] / 100.0;
    }
    for (int q = 0; q < count; ++q) {
      auto col = cols.col(q);
      lengths[std::size_t(k0 + q)] = weighColumn(col, root);
      double s = 0;
      for (const auto& e : rigid) {
        const double d = Eigen::Map<const Eigen::VectorXd>(e.data(), dim).dot(col);
        s += d * d;
      }
      shares[std::size_t(k0 + q)] = std::sqrt(s);
    }
  }
}

void frequencyReport(const ModKel& m, const NormalModes* computed, FrequencyReport& out,
                     OverlapJob* early) noexcept {
  guardWith(
      [&](std::string_view name, int number) {
        out.warnings.push_back(std::string(name) + ": " + std::string(errorDescription(number)));
        out.lines.push_back(out.warnings.back());
      },
      "frequencyReport", [&] { compute(m, computed, out, early); });
}

}  // namespace kel
