// Kelvorin - desktop workbench for vibrational calculations.
// The exit dialog: lists the scratch files that exist, lets the user strike names from the
// list, erases the listed files and/or ends the program.
#pragma once

#include "base/forms.hpp"

#include <array>
#include <string>
#include <vector>

namespace kel {

struct App;

struct KeExit {
  bool visible = false;
  std::string caption = "  Kelv  Exit";
  Control Fi;                      ///< the list: multi-line text, Courier New
  Control Text4;                   ///< message line of the dialog
  std::array<Control, 4> Bu;       ///< " EXIT and ERASE scratch files" .. "CANCEL"
  std::vector<std::string> names;  ///< the scratch names as fixed when the dialog was filled
  std::vector<bool> listed;        ///< names[k] existed (and was listed) at filling
  int lastIndex = -1;              ///< index of the last listed file; -1 none
  int editMode = 0;                ///< 0 before filling, 1 as filled, -1 edited by the user
  bool endProgram = false;         ///< a button chose to end the program

  KeExit();
};

/// The 86 scratch names of the working folder, in listing order.
std::vector<std::string> scratchNames();

/// Fills the dialog: closes the open files, hides the main window, stops the animation and
/// lists the scratch files that exist; with none, acts as "only EXIT Not Erase".
void Filek(App& app) noexcept;
/// Builds the list text and state of the dialog only. With removeEmpty, files of length 0
/// are deleted on the way (as the dialog's size check does); without, nothing is touched.
void fillScratchList(App& app, bool removeEmpty);
/// Erases the files the list still names.
void FiFi(App& app) noexcept;
/// The four buttons: 0 exit and erase, 1 exit only, 2 erase only, 3 cancel.
void Bu_Click(App& app, int Ind) noexcept;
/// Size of file f in bytes (-1 when the name is empty); a file of length 0 is deleted.
/// Errors go to the dialog's message line.
void Splf(App& app, const std::string& f, double& n) noexcept;

// --- small handlers
void Fi_Change(App& app);
void Fi_Click(App& app);
void KeExit_Text4_Change(App& app);
/// The dialog's error report: as the main window's, into the dialog's Text4.
void KeExit_erra(App& app, std::string_view u, int number);

}  // namespace kel
