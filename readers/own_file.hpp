// Kelvorin - desktop workbench for vibrational calculations.
// Adding a second structure from an own structure file (or any file with an orientation).
#pragma once

#include <string>

namespace kel {

struct Work;

/// Appends the atoms (and modes) of file f after the atoms held and shows the placement
/// controls.
void FmaKel(Work& w, std::string f) noexcept;

}  // namespace kel
