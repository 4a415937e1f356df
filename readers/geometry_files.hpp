// Kelvorin - desktop workbench for vibrational calculations.
// Structure file readers: orientation tables, PDB, molfile, mol2, job files, coordinate lists.
#pragma once

#include <string>

namespace kel {

struct App;

/// Reads the structure file f into the model (".kel" names go to FmtIn).
void fmtGeo(App& app, std::string f) noexcept;

}  // namespace kel
