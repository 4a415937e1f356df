// Kelvorin - desktop workbench for vibrational calculations.
// The Molden-format export: the structure with its normal modes, frequencies and IR
// intensities, for the other viewers chemists pass results to.
#pragma once

#include <string>

namespace kel {

struct Work;

/// The structure and its modes in Molden format, written to file by the free-name rule
/// (FilNam + ".molden" when file is empty). ier = 1 when no structure is held (Text3 says
/// so) or the file could not be written (nothing is left behind).
void MoldenExp(Work& w, const std::string& file, int& ier) noexcept;

}  // namespace kel
