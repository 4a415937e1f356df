// Kelvorin - desktop workbench for vibrational calculations.
// The main window's command dispatcher and its small handlers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kel {

/// Command 15 without a connection file name.
inline constexpr std::string_view MissingMpoName = "missing of MPO filename";

struct App;

/// The commands of ibut_Click: the nine buttons (0..8) and the further command numbers.
namespace cmd {
inline constexpr int InputGeometry = 0;  ///< "Input geometry": the structure chooser
inline constexpr int InputLog = 1;       ///< "Input  .LOG ": the output chooser; ends a break point
inline constexpr int ViewStructure = 2;  ///< "View &Structure": the viewer shown
inline constexpr int ExportPdb = 3;      ///< "&Export .PDB"
inline constexpr int CreateGjf = 4;      ///< "Create .GJF"
inline constexpr int InputMpo = 5;       ///< " &Input .MPO": the chooser for a connection file
inline constexpr int SaveKel = 6;        ///< "&Save .kel as is"
inline constexpr int Exit = 7;           ///< "E&xit": the exit dialog
inline constexpr int AddStructure = 8;   ///< "&Add .kel structure"
inline constexpr int AfterRead = 14;     ///< the main window and the viewer after a read
inline constexpr int ReadMpo = 15;       ///< reads the chosen connection file
inline constexpr int PedNotActual = 17;  ///< logs that the distribution is not actual
inline constexpr int NoAdmMatrix = 19;   ///< logs that no matrix was introduced
inline constexpr int Greeting = 21;      ///< the answer "me" to the greeting: preparation only
inline constexpr int BreakDetected = 22;  ///< logs a break unless one is asked for
inline constexpr int ScratchCheck = 25;   ///< the scratch-file size check
}  // namespace cmd

/// Runs main-window command Index (see cmd).
void ibut_Click(App& app, int Index) noexcept;
/// Shows (k != 0) or hides (k = 0) the placement controls.
void klucze(App& app, int k);
/// Opens the structure chooser: mode 1 structure (or connection file), 2 add a structure.
void openKelWe1(App& app, int mode);
/// Opens the Gaussian output chooser.
void openKelWe2(App& app, int mode);

// --- main-window handlers
/// A key in the command box: Enter (13) shows the structure while Sw(sw::MpoEnter) is off.
void Text3_KeyPress(App& app, int KeyA);
/// A click in the command box empties it and the message line.
void text3_Click(App& app);
/// A click in the file-name box empties and hides the message line.
void Text1_Click(App& app);
/// The message line changed: the answer to the greeting.
void Text4_Change(App& app);
/// Hover check: notices an externally edited connection file; j = 1 when it acted.
void poed(App& app, int& j);
/// Compares text files sy and ssy line by line: i = 0 equal, 1 different, -1 when sy is
/// missing or empty ("... error in file " in Text3).
void plpor(App& app, const std::string& sy, const std::string& ssy, int& i);
/// The main window's size check: n = length of f (-1 for an empty name); a file of length
/// 0 is deleted. Errors go to the main window's message line.
void frmKel_Splf(App& app, const std::string& f, double& n) noexcept;

}  // namespace kel
