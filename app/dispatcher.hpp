// Kelvorin - desktop workbench for vibrational calculations.
// The main window's command dispatcher and the file choosers' entry points.
#pragma once

#include <cstdint>

namespace kel {

struct App;

/// Runs main-window command Index (the nine buttons and the further command numbers).
void ibut_Click(App& app, int Index) noexcept;
/// Shows (k != 0) or hides (k = 0) the placement controls.
void klucze(App& app, int k);
/// Opens the structure chooser: mode 1 structure (or connection file), 2 add a structure.
void openKelWe1(App& app, int mode);
/// Opens the Gaussian output chooser.
void openKelWe2(App& app, int mode);

}  // namespace kel
