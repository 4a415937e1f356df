// Kelvorin - desktop workbench for vibrational calculations.
//
// HEADER
// REMARK  KEL  EXPORTED   12-06-2026   11:52:07
// HETATM    1  C           1     0.000    0.000    0.000
// ...
// CONECT    1    2    3    4    5
// END
//
// Columns of an atom record: "HETATM" 1-6, serial 7-11, blank 12, label 13-14, residue
// number 15-26, blanks 27-28, x 29-37, y 38-46, z 47-55 (a wider value widens its field).
#include "writers/pdb_export.hpp"

#include "model/free_name.hpp"
#include "model/work.hpp"
#include "writers/texts.hpp"

#include <cstdio>

namespace kel {

namespace {

constexpr std::string_view ExportLine = "eksport PDB plik ";
constexpr std::string_view Renamed = OldFileRenamed;
constexpr std::string_view Header = "HEADER";
constexpr std::string_view RemarkHead = "REMARK  KEL  EXPORTED   ";
constexpr std::string_view Atom = "HETATM";
constexpr std::string_view Conect = "CONECT";
constexpr std::string_view End = "END";
constexpr int PdbChannel = 7;

}  // namespace

std::string pdbRemark(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d-%02d-%04d   %02d:%02d:%02d", tm.tm_mon + 1, tm.tm_mday,
                tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec);
  return std::string(RemarkHead) + buf;
}

void PdbExp(Work& w) noexcept {
  guard(w, "PdbExp", [&] {
    auto& m = w.m;
    auto& f = w.files;
    FreeName name = takeFreeName(w, m.FilNam, ".pdb");
    tekst(w, std::string(ExportLine) + name.target);
    if (!name.movedTo.empty()) tekst(w, std::string(Renamed) + name.movedTo);
    // The atoms held (NDof(1) may lag behind NAt after a deletion).
    int n = m.NAt;
    f.openOutput(PdbChannel, name.target);
    f.writeLine(PdbChannel, Header);
    f.writeLine(PdbChannel, pdbRemark(std::time(nullptr)));
    for (int i = 1; i <= n; ++i) {
      std::string label = m.AtLab(i);
      if (label.size() < 2) label.insert(0, 2 - label.size(), ' ');
      f.write(PdbChannel, Atom);
      fomi(w, PdbChannel, 5, i);
      f.write(PdbChannel, " " + label);
      fomi(w, PdbChannel, 12, 1);
      f.write(PdbChannel, "  ");
      for (int k = 1; k <= 3; ++k) fom3(w, PdbChannel, 9, m.Xyz(i, k));
      f.writeLine(PdbChannel, "");
    }
    for (int i = 1; i <= n; ++i) {
      f.write(PdbChannel, Conect);
      fomi(w, PdbChannel, 5, i);
      for (int j = 1; j <= n; ++j)
        if (j != i && m.Mpo(i, j) != 0) fomi(w, PdbChannel, 5, j);
      f.writeLine(PdbChannel, "");
    }
    f.writeLine(PdbChannel, End);
    f.close(PdbChannel);
  });
}

}  // namespace kel
