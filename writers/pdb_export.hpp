// Kelvorin - desktop workbench for vibrational calculations.
// The PDB export: HETATM records and a CONECT line for every atom, laid out so that the
// program's own PDB reader reads it back, bonds included.
#pragma once

#include <ctime>
#include <string>

namespace kel {

struct Work;

/// "&Export .PDB": FilNam + ".pdb" by the free-name rule.
void PdbExp(Work& w) noexcept;
/// The remark line of an export made at time t (local time).
std::string pdbRemark(std::time_t t);

}  // namespace kel
