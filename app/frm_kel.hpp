// Kelvorin - desktop workbench for vibrational calculations.
// The main window as plain state: its controls and the shell fields it keeps.
#pragma once

#include "app/forms.hpp"

#include <array>
#include <string>
#include <string_view>

namespace kel {

inline constexpr std::string_view BannerText = "****Kelvorin**** version 2 ";
inline constexpr std::string_view ScrDd2Name = "skrK.dd2";
inline constexpr std::string_view ScrDd2bName = "sskrK.dd2";
inline constexpr std::string_view ScrMpoName = "skrK.mpo";
inline constexpr std::string_view ScrMpobName = "sskrK.mpo";

struct FrmKel {
  std::string caption = "Kelvorin";
  bool visible = true;
  bool minimised = false;

  // --- controls
  Control Text1;                ///< file name box
  Control Text2;                ///< the log console (text lines joined by '\n')
  Control Text3;                ///< one-line command and status box
  Control Text4;                ///< message line: run-time error reports, newest first
  Control burek;                ///< "&Back": holds the cleared console text in its tag
  Control fosi;                 ///< console font-size button
  ScrollBar VScr2;              ///< the console's scroll bar
  Control Tulan;                ///< splash label
  Control kelwin;               ///< splash picture
  std::array<Control, 9> ibut;  ///< the command buttons
  Control Nowa;                 ///< placement: "where to put"
  ListBox List1;                ///< placement choices
  std::array<Control, 6> Che1;  ///< placement check boxes
  bool settingChe1 = false;     ///< the program itself sets Che1: its handler does nothing
  Control AddCon, AddNie;       ///< "CONTINUE", "cancel"

  // --- console state
  long LineCnt = 0;     ///< lines since the console was last cleared
  long ScrollPos = 0;   ///< scroll position computed for the last line
  long PageLines = 23;  ///< lines on one page of the console
  std::string FmtBuf;   ///< the last formatted field
  short PauseCnt = 0;   ///< calls of the short pause
  double PauseSum = 0;  ///< seconds spent in short pauses
  bool HoverOff = false;
  double PbTotal = 20;  ///< progress indicator total

  // --- shell strings
  std::string Banner{BannerText};
  std::string ScrDd2{ScrDd2Name}, ScrDd2b{ScrDd2bName};
  std::string ScrMpo{ScrMpoName}, ScrMpob{ScrMpobName};
  std::string EdDd2, EdMpo, EdKol, EdVdf;  ///< editor command prefixes
  std::string Arg2;                        ///< second word of the command line
  std::string IniFile;                     ///< the settings file found, if any

  FrmKel();
};

}  // namespace kel
