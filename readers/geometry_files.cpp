// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/geometry_files.hpp"

#include "app/app.hpp"

namespace kel {

void fmtGeo(App& app, std::string f) noexcept {
  app.readFailed = true;
  app.frm.Text3.text = f + "  cannot be read by this build";
}

}  // namespace kel
