// Kelvorin - desktop workbench for vibrational calculations.
// Placing an added second structure beside the first.
#pragma once

#include <string>

namespace kel {

struct App;

/// Places atoms n1+1..n beside atoms 1..n1 along the checked directions, then re-centres.
void seta_xyz(App& app, int n1, int n);
/// Centres atoms 1..m at their unweighted centre and recomputes Box over them.
void set_xyz(App& app, int m);
/// Adds shift to coordinate k (1..3) of atoms n1+1..n.
void Kopnij(App& app, int n1, int n, double shift, int k);
/// Runs the placement of the added part and the follow-up steps ("CONTINUE").
void FmaCon(App& app, std::string& name) noexcept;
void AddCon_Click(App& app);            ///< "CONTINUE"
void AddNie_Click(App& app);            ///< "cancel"
void Che1_Click(App& app, int index);   ///< a placement check box changed
void List1_Click(App& app, int index);  ///< a placement list item clicked

}  // namespace kel
