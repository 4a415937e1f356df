// Kelvorin - desktop workbench for vibrational calculations.
// The placement controls of an added structure: "where to put", "CONTINUE", "cancel".
#pragma once

#include <string>

namespace kel {

struct App;

/// Runs the placement of the added part and the follow-up steps ("CONTINUE").
void FmaCon(App& app, std::string& name) noexcept;
void AddCon_Click(App& app);            ///< "CONTINUE"
void AddNie_Click(App& app);            ///< "cancel"
void Che1_Click(App& app, int index);   ///< a placement check box changed
void List1_Click(App& app, int index);  ///< a placement list item clicked

}  // namespace kel
