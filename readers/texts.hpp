// Kelvorin - desktop workbench for vibrational calculations.
// Texts that more than one file of readers/ shows.
#pragma once

#include "writers/texts.hpp"

#include <string_view>

namespace kel::texts {

inline constexpr std::string_view ErrorInFile = "Error in file ";
inline constexpr std::string_view AllIsGood = " all is good";
inline constexpr std::string_view FileNotFound = "file not found: ";
inline constexpr std::string_view EmptyFileHead = "file ";
inline constexpr std::string_view EmptyFileTail = " is empty";
inline constexpr std::string_view TooManyAtoms =
    "  more than 480 atoms: the program holds at most 480";
inline constexpr std::string_view CoordinatesNotFound = "coordinates not found";
inline constexpr std::string_view CantFindLine = "can't find line: ";
inline constexpr std::string_view AdmRead = "atom displacement matrix ADM has been read from file ";
inline constexpr std::string_view CoordinatesOf = "Coordinates of ";

}  // namespace kel::texts
