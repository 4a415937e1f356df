// Kelvorin - desktop workbench for vibrational calculations.
// Motion along a normal mode: the phases of the animation over one period, and a step of the
// structure along a mode.
#pragma once

#include "model/model.hpp"

namespace kel {

/// The animation's phase swings between -PeakPhase and +PeakPhase; its offset of atom i along
/// axis c is ModeD(mode, i, c) / ModeDivisor * phase * VibAmp angstrom.
inline constexpr int PeakPhase = 6;
inline constexpr double ModeDivisor = 3000.0;
/// The animation runs 1, 2, ..., 6, 5, ..., -6, ..., 0: one period in 4 * PeakPhase frames.
inline constexpr int AnimationPeriod = 4 * PeakPhase;

/// Phase of frame k of one period cut into n frames (frame 0 = the structure at rest): the
/// animation's zig-zag 0 -> +6 -> 0 -> -6 -> 0, so that with n = 24 the frames are its
/// own integer phases.
double periodPhase(int k, int n);

/// Offset of atom i along model axis c at that phase, as the animation stores it (single
/// precision).
float modeOffset(const ModKel& m, int mode, int i, int c, double phase);

/// Length of the largest atom displacement of the mode (in ModeD units); 0 when it does not
/// move any atom.
double largestDisplacement(const ModKel& m, int mode);

/// Moves atoms 1..NAt along the mode: x = x0 + step * d / |d|max, so that the atom that moves
/// most moves by step angstrom (a negative step goes the other way). False, with nothing
/// changed, when the mode is not held or moves no atom.
bool displaceAlongMode(ModKel& m, int mode, double step);

}  // namespace kel
