// Kelvorin - desktop workbench for vibrational calculations.
#include "writers/own_file.hpp"

#include "app/app.hpp"

namespace kel {

void ZaCoo(App&, int, int) {}
void ZaCo1(App&, int, int) {}
void ZaMW(App&, int, int, int) {}
void SaveKelAsIs(App&) noexcept {}

}  // namespace kel
