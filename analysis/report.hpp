// Kelvorin - desktop workbench for vibrational calculations.
// The frequency integrity report: what a chemist should know before trusting a mode table.
#pragma once

#include "analysis/mode_overlap.hpp"
#include "analysis/normal_modes.hpp"
#include "model/model.hpp"

#include <optional>
#include <string>
#include <vector>

namespace kel {

struct FrequencyReport {
  int expectedModes = 0;              ///< 3N - 6, or 3N - 5 for a linear structure
  int modes = 0;                      ///< modes held
  std::vector<int> imaginary;         ///< mode numbers with a negative frequency
  double maxOverlap = 0;              ///< largest |cos| between two printed modes, mass-weighted
  int overlapPair[2] = {0, 0};        ///< the two modes of maxOverlap
  double overlapNoise = 0;            ///< what two-decimal rounding alone explains there
  std::vector<double> rigidShare;     ///< per mode: share of translation and rotation
  double maxTranslationRotation = 0;  ///< the largest of rigidShare
  std::optional<double> maxFrequencyDifference;  ///< printed against computed, cm-1
  std::optional<double> minModeOverlap;          ///< printed against computed modes
  std::vector<std::string> warnings;
  std::vector<std::string> lines;  ///< the log lines, warnings among them
};

/// The report on the model's modes; computed (may be null) are the modes of Fcc with the
/// current masses, compared with the printed ones when both are present.
/// The share of translation and rotation left in each printed mode k of runs (shares[k]) and
/// the length of its mass-weighted displacements (lengths[k]); rigid as rigidMotions gives
/// them, weighted.
void rigidShares(const ModeRuns& runs, const std::vector<double>& masses,
                 const std::vector<std::vector<double>>& rigid, std::vector<double>& shares,
                 std::vector<double>& lengths);

/// early: an overlap check started on these modes beforehand, taken when it still fits them.
void frequencyReport(const ModKel& m, const NormalModes* computed, FrequencyReport& out,
                     OverlapJob* early = nullptr) noexcept;

}  // namespace kel
