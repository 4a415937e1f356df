// Kelvorin - desktop workbench for vibrational calculations.
// The tests' one Qt application: widgets on the offscreen platform, settings kept apart.
#pragma once

#include <QApplication>
#include <QStandardPaths>

#include <cstdlib>

namespace kel::testing {

inline void needQt() {
  if (QApplication::instance()) return;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QStandardPaths::setTestModeEnabled(true);
  static int argc = 1;
  static char name[] = "test_ui";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives until the process ends
}

}  // namespace kel::testing
