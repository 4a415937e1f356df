// Kelvorin - desktop workbench for vibrational calculations.
//
// 3
// water
// O      0.000000    0.000000    0.119262
// H      0.000000    0.763239   -0.477047
// H      0.000000   -0.763239   -0.477047
#include "writers/xyz_export.hpp"

#include "base/strings.hpp"
#include "model/work.hpp"
#include "writers/export_file.hpp"
#include "writers/fields.hpp"

#include <algorithm>

namespace kel {

namespace {

constexpr std::string_view ExportLine = "export XYZ file ";
constexpr std::string_view XyzExt = ".xyz";

}  // namespace

void XyzExp(Work& w, int& ier) noexcept {
  if (!guard(w, "XyzExp", [&] {
        if (!structureHeld(w, ier)) return;
        const auto& m = w.m;
        std::string text = std::to_string(m.NAt) + "\n";
        text += m.FilNam.substr(fileNameStart(m.FilNam)) + "\n";
        for (int i = 1; i <= m.NAt; ++i) {
          // Deuterium keeps its "D": the program's own reader takes its mass from it.
          std::string sym = m.AtSym(i);
          sym.resize(std::max<std::size_t>(sym.size(), 2), ' ');
          text += sym;
          for (int k = 1; k <= 3; ++k) appendFixed(text, m.Xyz(i, k), 12, 6);
          text += '\n';
        }
        writeExport(w, m.FilNam, XyzExt, ExportLine, text, ier);
      }))
    ier = 1;
}

}  // namespace kel
