// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/own_file.hpp"

#include "base/convert.hpp"
#include "base/strings.hpp"
#include "model/bookkeeping.hpp"
#include "model/geometry.hpp"
#include "model/work.hpp"
#include "readers/frequencies.hpp"
#include "readers/gaussian_output.hpp"
#include "readers/read_helpers.hpp"
#include "readers/text_scan.hpp"
#include "readers/texts.hpp"

#include <algorithm>
#include <cmath>

namespace kel {

namespace {

constexpr std::string_view FileNotFound = texts::FileNotFound;
constexpr std::string_view ErrorInFile = texts::ErrorInFile;
constexpr std::string_view MissingLine = "  missing of line ";
constexpr std::string_view CantFindLine = texts::CantFindLine;
constexpr std::string_view OrientKey = "orient";
constexpr std::string_view TitleCompact = texts::CompactTitle;
constexpr std::string_view CoordinatesNotFound = texts::CoordinatesNotFound;
constexpr std::string_view CoordinatesReading = "  Error while Coordinates reading";
constexpr std::string_view TooManyAtoms = texts::TooManyAtoms;
constexpr std::string_view Separator = "##########";
constexpr std::string_view CoordinatesOf = texts::CoordinatesOf;
constexpr std::string_view AtomsAdded = " atoms have been add";
constexpr std::string_view AllIsGood = texts::AllIsGood;
constexpr std::string_view AllCoordinates = "all coordinates:";
constexpr std::string_view AdmRead = texts::AdmRead;
constexpr std::string_view ToAdd = "to add the stucture press CONTINUE ...";

constexpr int InChannel = 1;

}  // namespace

void FmaKel(Work& w, std::string f) noexcept {
  guard(w, "FmaKel", [&] {
    auto& m = w.m;
    auto& frm = w.con;
    double len = 0;
    int state = 0;
    SplW(f, len, state);
    if (state != 0) {
      tekst(w, std::string(ErrorInFile) + f);
      w.readFailed = true;
      return;
    }
    if (len <= 0) {
      frm.Text3.text = emptyOrMissing(f, FileNotFound);
      w.readFailed = true;
      return;
    }
    auto& in = w.files.openInput(InChannel, f);
    std::string line;
    bool found = false;
    while (in.getLine(line)) {
      if (scan::hasLow(line, OrientKey)) {
        found = true;
        break;
      }
    }
    if (!found) {
      frm.Text3.text = f + std::string(MissingLine) + std::string(OrientKey);
      frm.Text4.text = std::string(CantFindLine) + std::string(TitleCompact);
      frm.Text4.visible = true;
      w.files.closeAll();
      w.readFailed = true;
      return;
    }
    const int first = m.NAt;
    m.NAtFirst = m.NAt;
    m.NFrqFirst = m.NFrq;
    m.Par(par::ViewerState) = 1;
    int total = first, ier = 1;
    const int reports = w.erraCount;
    // A Gaussian orientation table (its column header within four lines) is read by its
    // columns; the program's own block by the compact reader.
    scan::TableSpotter spot;
    spot.feed(line);
    bool gaussianTable = false;
    for (int k = 0; k < 4 && !gaussianTable && in.getLine(line); ++k)
      gaussianTable = spot.feed(line);
    if (gaussianTable) {
      int added = 0;
      std::string message;
      if (!readOrientationRows(w, in, spot.typeColumn(), first, added, message)) {
        m.NAt = cint16(first);
        frm.Text3.text = f + message;
        w.files.closeAll();
        w.readFailed = true;
        return;
      }
      total = first + added;
      ier = added > 0 ? 0 : 1;
    } else {
      // back to the line after "orient"
      w.files.close(InChannel);
      auto& again = w.files.openInput(InChannel, f);
      while (again.getLine(line) && !scan::hasLow(line, OrientKey)) {
      }
      ReCo1(w, InChannel, total, ier);
    }
    if (ier < 0 || w.erraCount != reports) {
      w.files.closeAll();
      m.Par(par::ViewerState) = 0;
      m.NAt = cint16(first);
      w.readFailed = true;
      return;
    }
    if (ier == 1) {
      tekst(w, CoordinatesNotFound);
      w.files.closeAll();
      m.NAt = cint16(first);
      w.readFailed = true;
      return;
    }
    if (ier != 0) {
      // Keep the first structure as it was: an added atom without a valid element or
      // number never joins the model.
      m.NAt = cint16(first);
      frm.Text3.text = f + std::string(ier == 5 ? TooManyAtoms : CoordinatesReading);
      tekst(w, frm.Text3.text);
      w.files.closeAll();
      w.readFailed = true;
      return;
    }
    setScroll(w, 0);
    m.Sw(sw::ReadDone) = -1;
    m.Sw(sw::MatrixDefined) = 0;
    tekst(w, "");
    TekLog(w, Separator, 1);
    tekst(w, std::string(CoordinatesOf) + Str(total - first) + std::string(AtomsAdded));
    if (total == first) {
      w.files.closeAll();
      return;
    }
    frm.Text3.text = f + std::string(AllIsGood);
    showNames(w);
    frm.burek.visible = false;
    setCounts(m, total);
    for (int k = 0; k <= 4; ++k) m.NDof(20 + k) = m.NDof(k);
    tekst(w, std::string(AllCoordinates) + Str(total));
    setDofWeights(m, total);
    for (int i = 1; i <= total; ++i) listAtom(w, i);
    // The modes of the added structure, from the start of the file again.
    w.files.close(InChannel);
    w.files.openInput(InChannel, f);
    int lfr = 0;
    ModeRead result;
    ReMv1(w, first, expectedModes(m, total - first, {}, first), total, lfr, &result);
    w.files.closeAll();
    if (lfr == 1) {
      // The atoms join the structure; modes only whole, so none of this file's.
      frm.Text3.text = f + "  " + result.problem;
      tekst(w, frm.Text3.text);
      w.readFailed = true;
    }
    if (lfr == -1) {
      tekst(w, std::string(AdmRead) + f);
      m.Sw(sw::MassesRead) = -1;
      setInverseMasses(m, total);
      cutZeros(m, total);
      for (int i = 1; i <= total; ++i)
        for (int k = 1; k <= 3; ++k) m.XyzCopy(i, k) = m.Xyz(i, k);
      const ModesReplaced replaced(w);
      PbIni(w);
    }
    m.Par(par::ViewerState) = 1;
    if (w.hooks.placementControls) w.hooks.placementControls(true);
    tekst(w, "...");
    tekst(w, ToAdd);
  });
}

}  // namespace kel
