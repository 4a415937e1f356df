// Kelvorin - desktop workbench for vibrational calculations.
#include "topology/connections.hpp"

#include "app/app.hpp"

namespace kel {

void MpoDef(App&, std::string&) noexcept {}

}  // namespace kel
