// Kelvorin - desktop workbench for vibrational calculations.
// A structure in a folder the user may read but not write: the scratch files and the side
// files of the structure go to a per-user working folder instead.
#pragma once

#include <string>

namespace kel {

struct Work;

/// The per-user working folder: $XDG_STATE_HOME/kelvorin/work, else
/// ~/.local/state/kelvorin/work (no trailing separator).
std::string userWorkFolder();

/// True when files can be made in folder ("" is the current one), and for a folder that does
/// not exist (nothing is read from it). The program's own probe (App::writableProbe) answers
/// for an existing folder when it is set.
bool folderWritable(const Work& w, const std::string& folder);

/// Called once the working folder follows the file of the command line: when that folder
/// cannot be written, the per-user working folder is made, becomes the current directory
/// and the log says so (once). True when the folder was changed.
bool leaveReadOnlyFolder(Work& w);

/// Where a side file of the structure (FilNam + extension) is written: the name itself, or
/// the same file name in the working folder when its own folder cannot be written (the log
/// then says once where the files go).
std::string sideFile(Work& w, const std::string& name);

}  // namespace kel
