// Kelvorin - desktop workbench for vibrational calculations.
#include "viewer/viewer.hpp"

#include "app/app.hpp"

namespace kel {

void Start(App&) noexcept {}

}  // namespace kel
