// Kelvorin - desktop workbench for vibrational calculations.
// The desktop program: Qt widgets that mirror the forms and forward their events.
#pragma once

#include "app/batch.hpp"

namespace kel::ui {

/// Runs the desktop program with its command line; returns the exit status.
int runDesktop(int argc, char** argv);
/// What batch mode needs from Qt (rendering a picture, on the offscreen platform).
BatchHooks batchHooks();

}  // namespace kel::ui
