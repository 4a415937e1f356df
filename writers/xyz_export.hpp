// Kelvorin - desktop workbench for vibrational calculations.
// The .xyz export of the current structure: the atom count, a title line, then one line of
// symbol and x, y, z in angstrom per atom.
#pragma once

namespace kel {

struct Work;

/// "Export .xyz": FilNam + ".xyz" by the free-name rule. ier = 1 when no structure is held
/// (Text3 says so) or the file could not be written (nothing is left behind).
void XyzExp(Work& w, int& ier) noexcept;

}  // namespace kel
