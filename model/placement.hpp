// Kelvorin - desktop workbench for vibrational calculations.
// Placing an added second structure beside the first.
#pragma once

#include <array>
#include <string>

namespace kel {

struct Work;

/// Places atoms n1+1..n beside atoms 1..n1 along the checked directions (0 right, 1 left,
/// 2 top, 3 bottom, 4 above, 5 under), then re-centres.
void seta_xyz(Work& w, int n1, int n, const std::array<bool, 6>& checked);
/// Centres atoms 1..m at their unweighted centre and recomputes Box over them.
void set_xyz(Work& w, int m);
/// Adds shift to coordinate k (1..3) of atoms n1+1..n.
void Kopnij(Work& w, int n1, int n, double shift, int k);
/// Runs the placement of the added part and the follow-up steps ("CONTINUE").
void FmaCon(Work& w, std::string& name) noexcept;
void AddCon_Click(Work& w);            ///< "CONTINUE"
void AddNie_Click(Work& w);            ///< "cancel"
void Che1_Click(Work& w, int index);   ///< a placement check box changed
void List1_Click(Work& w, int index);  ///< a placement list item clicked

}  // namespace kel
