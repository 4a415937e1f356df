// Kelvorin - desktop workbench for vibrational calculations.
// The exports never overwrite a file: the older export moves to the first free numbered name.
#pragma once

#include <string>
#include <string_view>

namespace kel {

/// The log line of an older file moved to its free numbered name (followed by that name).
inline constexpr std::string_view OldFileRenamed = "Old file renamed as ";

struct Work;

/// Where an export goes and what was moved to make room for it.
struct FreeName {
  std::string target;   ///< the name to write
  std::string movedTo;  ///< the new name of the older export; empty when nothing was moved
};

/// Target = stem + ext. When it is taken, the first free name stem + "1" + ext, stem + "2"
/// + ext, ... is found; the older file is renamed to it and the target written anew, except
/// when the target is the file the current structure was read from: that file stays where it
/// is and the export goes to the free numbered name instead.
FreeName takeFreeName(Work& w, const std::string& stem, std::string_view ext);

/// The first free numbered name of file: its stem followed by 1, 2, ... and its extension
/// ("ethanol.mpo" gives "ethanol1.mpo", then "ethanol2.mpo", ...).
std::string numberedFreeName(const std::string& file);

/// Before target is replaced by the content of source: when target exists and its content
/// differs, it moves to its first free numbered name and the log says "Old file renamed as "
/// and that name. Returns that name; empty when nothing was moved (no target, or the same
/// content, which needs no second copy).
std::string keepOldVersion(Work& w, const std::string& target, const std::string& source);

/// True when both files exist and hold the same bytes.
bool sameContent(const std::string& a, const std::string& b);

/// True when a file (or anything else) of that name exists; never deletes.
bool nameTaken(const std::string& name);
/// True when a and b name the same file (the same file on disk, or the same path).
bool sameFile(const std::string& a, const std::string& b);

}  // namespace kel
