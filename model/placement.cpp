// Kelvorin - desktop workbench for vibrational calculations.
#include "model/placement.hpp"

#include "app/app.hpp"

namespace kel {

void FmaCon(App&, std::string&) noexcept {}
void AddCon_Click(App&) {}
void AddNie_Click(App&) {}
void Che1_Click(App&, int) {}
void List1_Click(App&, int) {}

}  // namespace kel
