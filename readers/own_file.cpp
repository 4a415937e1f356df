// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/own_file.hpp"

#include "app/app.hpp"

namespace kel {

void FmaKel(App&, std::string) noexcept {}

}  // namespace kel
