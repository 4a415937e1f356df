// Kelvorin - desktop workbench for vibrational calculations.
// The exports never overwrite a file: the older export moves to the first free numbered name.
#pragma once

#include <string>
#include <string_view>

namespace kel {

struct App;

/// Where an export goes and what was moved to make room for it.
struct FreeName {
  std::string target;   ///< the name to write
  std::string movedTo;  ///< the new name of the older export; empty when nothing was moved
};

/// Target = stem + ext. When it is taken, the first free name stem + "1" + ext, stem + "2"
/// + ext, ... is found; the older file is renamed to it and the target written anew, except
/// when the target is the file the current structure was read from: that file stays where it
/// is and the export goes to the free numbered name instead.
FreeName takeFreeName(App& app, const std::string& stem, std::string_view ext);

/// True when a file (or anything else) of that name exists; never deletes.
bool nameTaken(const std::string& name);
/// True when a and b name the same file (the same file on disk, or the same path).
bool sameFile(const std::string& a, const std::string& b);

}  // namespace kel
