// Kelvorin - desktop workbench for vibrational calculations.
// The structure viewer's entry points used by the rest of the program.
#pragma once

namespace kel {

struct App;

/// Initialises the viewer for the current model and draws the first frame.
void Start(App& app) noexcept;

}  // namespace kel
