// Kelvorin - desktop workbench for vibrational calculations.
// The main window's "Export" menu: files for other programs.
#pragma once

class QMainWindow;

namespace kel {
struct App;
}

namespace kel::ui {

class Desktop;

/// Adds the menu to window's menu bar: "XYZ file" and "Molden file" of the current structure.
void addExportMenu(QMainWindow& window, App& app, Desktop& desk);

}  // namespace kel::ui
