// Kelvorin - desktop workbench for vibrational calculations.
// The Gaussian job file: optimise the structure and compute its frequencies with Raman
// activities.
#pragma once

#include <string>

namespace kel {

struct App;

/// Writes the job file for atoms 1..n to the open channel, with title after "Title: ".
void ZaGJF(App& app, int channel, int n, const std::string& title);
/// "Create .GJF": FilNam + ".gjf" by the free-name rule, written on channel 4.
void CreateGjf(App& app) noexcept;

}  // namespace kel
