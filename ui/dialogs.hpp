// Kelvorin - desktop workbench for vibrational calculations.
// The file choosers and the exit dialog as modal Qt dialogs over the logic's plain state.
#pragma once

class QWidget;

namespace kel {
struct App;
}

namespace kel::ui {

/// Shows the chooser or the exit dialog that the last event opened (kelWe1, kelWe2,
/// KeExit visible) and hands the user's choice to the logic. Call it after every event that
/// may open one. True when the exit dialog chose to end the program.
bool runPendingDialogs(App& app, QWidget* parent);

}  // namespace kel::ui
