// Kelvorin - desktop workbench for vibrational calculations.
// Texts that more than one file of writers/ shows.
#pragma once

#include <string_view>

namespace kel::texts {

// The program's own summary file, written here and read back by the readers.
inline constexpr std::string_view CompactTitle = "Atomic orientation and masses";
/// Count line of a compact mode block that holds fewer modes than its structure would have.
inline constexpr std::string_view ModeCountLine = "number of modes =";

}  // namespace kel::texts
