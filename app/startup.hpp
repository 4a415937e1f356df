// Kelvorin - desktop workbench for vibrational calculations.
// Start-up: constants, parameter and switch vectors, editors from "kelv.ini", command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kel {

struct App;

/// The start-up sequence; cmdLine is the whole command line after the program name.
void IniVe(App& app, std::string_view cmdLine);
/// Steps 1 to 5 of the start-up: names, constants, parameters, switches and tables; the
/// editors from "kelv.ini" only when editors is set.
void startValues(App& app, bool editors);
/// Reads the editor settings from the first non-empty "kelv.ini" of the searched folders.
void EdIni(App& app);
/// The folders searched for "kelv.ini", in order, each ending in a separator (or empty).
std::vector<std::string> iniFolders();
/// A path of the command line as one file: a backslash separates folders only when no file
/// has the literal name (then every backslash becomes '/'); otherwise the name stays as given.
std::string oneFile(std::string_view path);
/// oneFile made absolute from the current folder (FILE and ARG2 before the folder changes).
std::string commandPath(std::string_view word);
/// Builds a command line from words: a word holding a blank is put in double quotes.
std::string joinCommandLine(const std::vector<std::string>& words);

// --- splash and window events
void Tulan_Click(App& app);
void kelwin_Click(App& app);
void form_Click(App& app);

}  // namespace kel
