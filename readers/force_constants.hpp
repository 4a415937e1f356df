// Kelvorin - desktop workbench for vibrational calculations.
// Cartesian force constants: the block a Gaussian output prints under #P and the arrays of a
// formatted checkpoint (force constants, masses, frequencies and modes). Each is taken whole
// or not at all: a cut-off or mismatched block leaves Fcc and the modes as they were.
#pragma once

#include "model/model.hpp"

#include <string>
#include <vector>

namespace kel {

class BlockIndex;

/// hartree/bohr^2 to mdyn/A, the factor Fcc has always been filled with.
inline constexpr double MdynPerHartreeBohr2 = 15.5691904;

/// What a force-constant read found, for the caller to log and report.
struct ForceConstantRead {
  bool found = false;            ///< a block or array was taken into Fcc
  bool modes = false;            ///< a checkpoint gave frequencies and modes
  bool masses = false;           ///< a checkpoint gave the masses
  std::string problem;           ///< why a block was refused (the read then fails)
  std::vector<std::string> log;  ///< console lines, in order
};

/// Clears Fcc and the force-constant bookkeeping of m (FccFrom, FccFit).
void clearForceConstants(ModKel& m);

/// The last "Force constants in Cartesian coordinates" block of output f, for the NAt atoms
/// of m. The block is in the frame of the last input (or Z-matrix) orientation table before
/// it; it is turned into the frame of m's geometry by the rotation that best carries that
/// table onto Xyz, and the rms distance left by the fit goes to FccFit.
/// With the index of f, only the lines it lists are looked at between the tables.
void readOutputForceConstants(ModKel& m, const std::string& f, ForceConstantRead& out,
                              const BlockIndex* index = nullptr) noexcept;

/// The arrays "Real atomic weights", "Cartesian Force Constants", "Vib-E2" and "Vib-Modes"
/// of formatted checkpoint f for the NAt atoms of m (whichever are present).
void readCheckpointArrays(ModKel& m, const std::string& f, ForceConstantRead& out) noexcept;

/// The rotation (row-major 3 x 3) that best carries points p onto points q (both n x 3,
/// row-major) after both are centred; rms = the distance left, in the units of the points.
void fitRotation(const std::vector<double>& p, const std::vector<double>& q, double (&r)[9],
                 double& rms);

}  // namespace kel
