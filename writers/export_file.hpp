// Kelvorin - desktop workbench for vibrational calculations.
// What the exports for other programs share: the check that there is something to export
// and the write of the whole text by the free-name rule.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace kel {

struct Work;

/// A file name split into its stem and extension (with the dot; "" when it has none).
std::pair<std::string, std::string> stemAndExt(const std::string& file);

/// True when the model holds atoms; otherwise Text3 says there is nothing to export and
/// ier = 1.
bool structureHeld(Work& w, int& ier);

/// Writes text to stem + ext by the free-name rule (an older file there moves to its free
/// numbered name) and logs logLine followed by the name written. When the write fails,
/// ier = 1, Text3 names the file not written and nothing of it is left behind.
void writeExport(Work& w, const std::string& stem, std::string_view ext, std::string_view logLine,
                 std::string_view text, int& ier);

}  // namespace kel
