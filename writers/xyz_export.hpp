// Kelvorin - desktop workbench for vibrational calculations.
// The .xyz export of the current structure: the atom count, a title line, then one line of
// symbol and x, y, z in angstrom per atom.
#pragma once

#include <string>

namespace kel {

struct Work;

/// "Export .xyz": FilNam + ".xyz" by the free-name rule. ier = 1 when no structure is held
/// (Text3 says so) or the file could not be written (nothing is left behind).
void XyzExp(Work& w, int& ier) noexcept;

/// One period of the mode in n frames as one multi-frame .xyz file (file, ".xyz" added to a
/// name without extension; FilNam + "_mode" + number + ".xyz" when empty) by the free-name
/// rule: each frame a block of the atom count, a comment naming the mode, the frame and its phase,
/// and the atoms moved as the animation moves them (frame 0 = the structure). ier = 1 when nothing
/// was written.
void XyzMovie(Work& w, const std::string& file, int mode, int n, int& ier) noexcept;

}  // namespace kel
