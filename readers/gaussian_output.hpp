// Kelvorin - desktop workbench for vibrational calculations.
// The Gaussian output reader: outputs, formatted checkpoints and the program's own layout.
#pragma once

#include <string>

namespace kel {

struct App;

/// Reads file f (dispatching structure files to fmtGeo) into the model.
void FmtIn(App& app, std::string f) noexcept;

}  // namespace kel
