// Kelvorin - desktop workbench for vibrational calculations.
// The two file choosers as plain state: structures (kelWe1) and Gaussian outputs (kelWe2).
// Their browsing belongs to the windowing layer; what happens to a chosen name is here, so
// that the desktop choosers and batch mode take the same path.
#pragma once

#include "base/forms.hpp"

#include <array>
#include <string>

namespace kel {

struct App;

struct KelWe1 {
  bool visible = false;
  int mode =
      1;  ///< 1 structure (or connection file, by Par(par::ChooserPurpose)), 2 add a structure
  std::string title;
  std::string patterns;  ///< file list patterns, ';' between them
  std::string prompt;    ///< caption of the name box
  Colour backColour = LightGrey;
  Control Label;  ///< its tag remembers a companion name for the after-read step
};

struct KelWe2 {
  bool visible = false;
  int mode = 1;
  std::string title;
  std::string patterns;
  std::string prompt;
  Colour backColour = LightGrey;
  Control Label;
  std::array<Control, 3> La2;  ///< "First Geometry", "Last Geometry", "Emin Geometry"

  KelWe2() {
    La2[0].text = "First Geometry";
    La2[1].text = "Last Geometry";
    La2[2].text = "Emin Geometry";
    La2[1].value = 1;
  }
};

/// What the structure chooser serves: a structure, a connection file or an added structure.
enum class We1Purpose { Structure, Connections, AddStructure };
/// The purpose of kelWe1 as opened (mode 2 adds; otherwise Par(par::ChooserPurpose) = 1 is a
/// connection file).
We1Purpose we1Purpose(const App& app);

/// Acceptance of a name in the structure chooser (a click on a file or Enter in the name
/// box): connection file -> MpoNam and command 15; add -> FmaKel; structure -> fmtGeo and
/// command 14. An empty file is reported and deleted and the chooser stays open. True when
/// the name was passed on (the chooser has then closed).
bool kelWe1_Accept(App& app, const std::string& name) noexcept;
/// Acceptance of a name in the output chooser: FmtIn and command 14.
bool kelWe2_Accept(App& app, const std::string& name) noexcept;
/// Closes the chooser without a choice; the log console is shown again.
void kelWe1_Cancel(App& app);
void kelWe2_Cancel(App& app);

}  // namespace kel
