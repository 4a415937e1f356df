// Kelvorin - desktop workbench for vibrational calculations.
// Texts that more than one file of writers/ shows.
#pragma once

#include <string_view>

namespace kel::texts {

inline constexpr std::string_view OldFileRenamed = "Old file renamed as ";

}  // namespace kel::texts
