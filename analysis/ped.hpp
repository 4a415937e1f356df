// Kelvorin - desktop workbench for vibrational calculations.
// Mode assignment over the program's own internal coordinates (IcTab): the potential energy
// distribution of each computed mode, or, without force constants, the internal-coordinate
// character of each printed mode.
#pragma once

#include "analysis/normal_modes.hpp"
#include "model/model.hpp"

#include <array>
#include <string>
#include <vector>

namespace kel {

/// One row of the Wilson B-matrix: the derivatives of a coordinate by its atoms' positions.
struct BRow {
  int count = 0;                             ///< atoms 2..4
  std::array<int, 4> atoms{};                ///< 1-based
  std::array<std::array<double, 3>, 4> d{};  ///< A/A for a stretch, rad/A otherwise
};

/// The B-matrix rows of IcTab rows 1..IcRows at the geometry Xyz of m.
std::vector<BRow> wilsonB(const ModKel& m);

struct PedEntry {
  int coordinate = 0;  ///< 1-based row of IcTab
  double percent = 0;
};

struct Ped {
  bool fromForceConstants = false;  ///< a distribution; otherwise the character
  /// Per mode (the order of the modes given), the coordinates of at least 1 %, decreasing.
  std::vector<std::vector<PedEntry>> modes;
  std::string message;  ///< why nothing was computed; empty on success
};

/// The distribution of the computed modes (F(i,i) of the force constants in internal
/// coordinates), or, when computed is null, the character of the model's printed modes
/// (F(i,i) = 1). Needs the internal coordinates of the current structure (IcRows > 0).
void computePed(const ModKel& m, const NormalModes* computed, Ped& out) noexcept;

/// "STRE C1–H2 46 %, BEND H2–C1–H3 31 %": the entries above the given percentage.
std::string pedSummary(const ModKel& m, const std::vector<PedEntry>& entries, double above = 10.0);

}  // namespace kel
