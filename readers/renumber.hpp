// Kelvorin - desktop workbench for vibrational calculations.
// Renumbering and frequency-scaling instructions written anywhere in a structure or output file.
#pragma once

#include "model/model.hpp"

#include <string>
#include <vector>

namespace kel {

struct Work;
class BlockIndex;

/// Scans file f for "scaling factor" lines and "renum atoms" blocks and applies each checked
/// block to the n atoms of the model (Par(par::ScaleFactor), Par(par::ScaleShift) and
/// Sw(sw::Scaling) are set anew).
/// With the index of f, only the lines it lists as instructions are looked at.
void RenDef(Work& w, const std::string& f, int n, const BlockIndex* index = nullptr) noexcept;

/// Applies a checked permutation: map[i] (i = 1..n, map[0] unused) is the old number of the
/// atom that gets number i. Every per-atom table follows; RenDone = 1 when done.
void Renum(Work& w, const std::vector<int>& map, int n) noexcept;

/// Exchanges atoms a and b (rows and columns 3a-2..3a with 3b-2..3b) in a Cartesian matrix of
/// 3n x 3n entries.
void RenFt(Work& w, Tab<double, MaxFrq, MaxFrq>& f, int n, int a, int b) noexcept;

}  // namespace kel
