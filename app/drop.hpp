// Kelvorin - desktop workbench for vibrational calculations.
// A file dropped on the main window: opened as if chosen in the matching chooser.
#pragma once

#include <string>
#include <string_view>

namespace kel {

struct App;

/// True for the names the output chooser serves first: Gaussian outputs and checkpoint
/// dumps (".log", ".out", ".fmt", ".fmu", ".fmv", ".fchk", ".fch"), extension case-blind.
bool isOutputName(std::string_view name);

/// Opens a dropped file: an output through the output chooser's path, any other file
/// through the structure chooser's path, as if the user had pressed the button and chosen
/// it. Ignored (false) while a read, build or edit runs. When the name is refused (an empty
/// file), the report stays in the log and no chooser is left open. True when it was read.
bool openDroppedFile(App& app, const std::string& name) noexcept;

}  // namespace kel
