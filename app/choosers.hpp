// Kelvorin - desktop workbench for vibrational calculations.
// The two file choosers as plain state: structures (kelWe1) and Gaussian outputs (kelWe2).
#pragma once

#include "app/forms.hpp"

#include <array>
#include <string>

namespace kel {

struct KelWe1 {
  bool visible = false;
  int mode = 1;            ///< 1 structure (or connection file, by Par(50)), 2 add a structure
  std::string title;
  std::string patterns;
  Control Label;           ///< its tag remembers the last name chosen
};

struct KelWe2 {
  bool visible = false;
  int mode = 1;
  std::string title;
  std::string patterns;
  Control Label;
  std::array<Control, 3> La2;  ///< "First Geometry", "Last Geometry", "Emin Geometry"

  KelWe2() {
    La2[0].text = "First Geometry";
    La2[1].text = "Last Geometry";
    La2[2].text = "Emin Geometry";
    La2[1].value = 1;
  }
};

}  // namespace kel
