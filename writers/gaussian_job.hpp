// Kelvorin - desktop workbench for vibrational calculations.
// The Gaussian job file: optimise the structure and compute its frequencies with Raman
// activities.
#pragma once

#include <string>

namespace kel {

struct Work;

/// Writes the job file for atoms 1..n to the open channel, with title after "Title: ".
void ZaGJF(Work& w, int channel, int n, const std::string& title);
/// "Create .GJF": FilNam + ".gjf" by the free-name rule, written on channel 4.
void CreateGjf(Work& w) noexcept;

}  // namespace kel
