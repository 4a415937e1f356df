// Kelvorin - desktop workbench for vibrational calculations.
// The main window as plain state: its controls and the shell fields it keeps.
#pragma once

#include "base/forms.hpp"
#include "model/work.hpp"

#include <array>
#include <string>
#include <string_view>

namespace kel {

/// The main window: its console (the part every procedure reports into) and its own controls.
struct FrmKel : Console {
  bool visible = true;
  bool minimised = false;

  // --- controls
  Control Tulan;                ///< splash label
  Control kelwin;               ///< splash picture
  std::array<Control, 9> ibut;  ///< the command buttons
  Control Nowa;                 ///< placement: "where to put"
  ListBox List1;                ///< placement choices
  std::array<Control, 6> Che1;  ///< placement check boxes
  bool settingChe1 = false;     ///< the program itself sets Che1: its handler does nothing
  Control AddCon, AddNie;       ///< "CONTINUE", "cancel"

  // --- console state
  bool HoverOff = false;

  // --- shell strings
  std::string EdDd2, EdMpo, EdKol, EdVdf;  ///< editor command prefixes
  std::string Arg2;                        ///< second word of the command line
  std::string IniFile;                     ///< the settings file found, if any

  FrmKel();
};

}  // namespace kel
