// Kelvorin - desktop workbench for vibrational calculations.
// The exit dialog with the scratch files.
#pragma once

#include "app/forms.hpp"

namespace kel {

struct KeExit {
  bool visible = false;
  std::string caption = "  Kelv  Exit";
};

}  // namespace kel
