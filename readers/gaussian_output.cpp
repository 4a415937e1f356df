// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/gaussian_output.hpp"

#include "app/app.hpp"
#include "app/strings.hpp"
#include "readers/geometry_files.hpp"

#include <array>

namespace kel {

namespace {
// Structure-file extensions, tested in this order on the name's last seven characters.
constexpr std::array<std::string_view, 7> StructureExtensions = {".orn", ".pdb", ".geo", ".mol",
                                                                 ".gjf", ".ent", ".xyz"};
}  // namespace

void FmtIn(App& app, std::string f) noexcept {
  guard(app, "FmtIn", [&] {
    f = rtrim(f);
    std::string_view ext = tail(f, 7);
    app.frm.Text1.text = f;
    for (auto e : StructureExtensions)
      if (containsCi(ext, e)) {
        fmtGeo(app, f);
        return;
      }
    app.readFailed = true;
    app.frm.Text3.text = f + "  cannot be read by this build";
  });
}

}  // namespace kel
