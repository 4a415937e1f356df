// Kelvorin - desktop workbench for vibrational calculations.
// What batch mode needs from Qt: the picture of the viewer, drawn offscreen.
#include "ui/desktop.hpp"

namespace kel::ui {

BatchHooks batchHooks() { return {}; }

}  // namespace kel::ui
