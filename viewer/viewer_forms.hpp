// Kelvorin - desktop workbench for vibrational calculations.
// The viewer's forms as plain state: the viewer, the frequency list, the distance dialog.
#pragma once

#include "app/forms.hpp"

#include <string>

namespace kel {

struct FrmObr {
  bool visible = false;
  bool minimised = false;
  std::string caption = "Kelv  view";
};

struct KelFrq {
  bool visible = false;
  std::string caption = "gaussian vibrations";
};

struct Odleg {
  bool visible = false;
};

}  // namespace kel
