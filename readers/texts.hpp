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

// Keys of the Gaussian output's blocks (lower case, found case-blind).
inline constexpr std::string_view OrientKey = "orient";
inline constexpr std::string_view EnergyKey = "a.u";
inline constexpr std::string_view HarmonicKey = "harmonic freq";
inline constexpr std::string_view AtomKey = "atom";
inline constexpr std::string_view NumberKey = "number ";
inline constexpr std::string_view MassKey = "mass ";
inline constexpr std::string_view ScalingKey = "scaling factor";
inline constexpr std::string_view RenumKey = "renum atoms";
inline constexpr std::string_view ForcesTitle = "forces (hartrees/bohr)";
inline constexpr std::string_view ForceConstantsTitle = "force constants in cartesian coordinates";

}  // namespace kel::texts
