// Kelvorin - desktop workbench for vibrational calculations.
#include "app/dispatcher.hpp"

#include "app/app.hpp"

namespace kel {

void openKelWe1(App& app, int mode) {
  app.we1.mode = mode;
  app.we1.visible = true;
}

void openKelWe2(App& app, int mode) {
  app.we2.mode = mode;
  app.we2.visible = true;
}

}  // namespace kel
