// Kelvorin - desktop workbench for vibrational calculations.
// Texts that more than one file of viewer/ shows.
#pragma once

#include <string_view>

namespace kel::texts {

inline constexpr std::string_view VibrationsCaption = "Vibrations";
inline constexpr std::string_view CurrentDistance = "current distance:";
inline constexpr std::string_view StopClose = "STOP vibration  and  CLOSE";

}  // namespace kel::texts
