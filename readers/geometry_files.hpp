// Kelvorin - desktop workbench for vibrational calculations.
// Structure file readers: orientation tables, PDB, molfile, mol2, job files, coordinate lists.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kel {

struct Work;

/// Reads the structure file f into the model (".kel" names go to FmtIn). Text3 ends with
/// " all is good" after a clean read and holds the message after a failed one
/// (w.readFailed is then set).
void fmtGeo(Work& w, std::string f) noexcept;
/// The structure reader itself: f is read as a structure file whatever its name.
void readStructureFile(Work& w, std::string f) noexcept;

/// File patterns of the structure chooser. Linux matches "*.mol" only to ".mol", so ".mol2"
/// has its own pattern; ".com" is the other usual name of a job file.
inline constexpr std::array<std::string_view, 12> StructurePatterns = {
    "*.geo", "*.orn", "*.pdb",  "*.ent", "*.gjf", "*.com",
    "*.kel", "*.mol", "*.mol2", "*.xyz", "*.log", "*.out"};

/// Name of the scratch copy that every read of a foreign format writes in the working folder.
inline constexpr std::string_view ScratchGeo = "skrK.geo";

}  // namespace kel
