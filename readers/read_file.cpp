// Kelvorin - desktop workbench for vibrational calculations.
// The two entries of a read and the one rule between them: the end of the name decides.
// Neither reader calls the other, so a name such as "x.kel.xyz" cannot go to and fro.
#include "base/strings.hpp"
#include "readers/gaussian_output.hpp"
#include "readers/geometry_files.hpp"

namespace kel {

void FmtIn(Work& w, std::string f) noexcept {
  if (structureName(f))
    readStructureFile(w, std::move(f));
  else
    readOutputFile(w, std::move(f));
}

void fmtGeo(Work& w, std::string f) noexcept {
  // The program's own files go to the output reader unless they end as a structure file.
  const std::string name = rtrim(f);
  if (containsCi(std::string_view(name).substr(fileNameStart(name)), ".kel"))
    FmtIn(w, std::move(f));
  else
    readStructureFile(w, std::move(f));
}

}  // namespace kel
