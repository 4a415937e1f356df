// Kelvorin - desktop workbench for vibrational calculations.
#include "writers/pdb_export.hpp"
#include "readers/geometry_files.hpp"
#include "testing.hpp"

#include <cstdlib>

namespace kel::testing {
namespace {

using PdbExport = FreshApp;

/// Methane with a chlorine atom far away (no bonds).
void methaneAndChlorine(App& app) {
  auto& m = app.m;
  putAtoms(m, {{6, 0, 0, 0},
               {1, 0.629, 0.629, 0.629},
               {1, -0.629, -0.629, 0.629},
               {1, -0.629, 0.629, -0.629},
               {1, 0.629, -0.629, -0.629},
               {17, 5, 5, 5}});
  for (int h = 2; h <= 5; ++h) bond(m, 1, h);
  m.NDof(1) = 6;
  m.FilNam = "methane";
}

TEST_F(PdbExport, RecordsAndColumns) {
  methaneAndChlorine(*app);
  PdbExp(*app);
  ASSERT_EQ(app->erraCount, 0) << app->frm.Text4.text;
  auto lines = linesOf(slurp(dir.path() / "methane.pdb"));
  ASSERT_EQ(lines.size(), 15u);  // header, remark, 6 atoms, 6 CONECT, END
  EXPECT_EQ(lines[0], "HEADER");
  // "REMARK  KEL  EXPORTED   mm-dd-yyyy   hh:mm:ss": digits where the layout has 9
  std::string shape = lines[1];
  for (char& c : shape)
    if (c >= '0' && c <= '9') c = '9';
  EXPECT_EQ(shape, "REMARK  KEL  EXPORTED   99-99-9999   99:99:99") << lines[1];
  EXPECT_EQ(lines[2], "HETATM    1  C           1      0.000    0.000    0.000");
  EXPECT_EQ(lines[4], "HETATM    3  H           1     -0.629   -0.629    0.629");
  EXPECT_EQ(lines[7], "HETATM    6 Cl           1      5.000    5.000    5.000");
  // Columns: label 13-14, residue number 26, x 29-37, z 47-55.
  EXPECT_EQ(lines[7].substr(12, 2), "Cl");
  EXPECT_EQ(lines[7][25], '1');
  EXPECT_EQ(lines[4].substr(28, 9), "   -0.629");
  EXPECT_EQ(lines[4].substr(46, 9), "    0.629");
  EXPECT_EQ(lines[4].size(), 55u);
  EXPECT_EQ(lines[8], "CONECT    1    2    3    4    5");  // four-bonded carbon: 5 numbers
  EXPECT_EQ(lines[9], "CONECT    2    1");                 // hydrogen: 2
  EXPECT_EQ(lines[13], "CONECT    6");                     // isolated atom: its own only
  EXPECT_EQ(lines[14], "END");
  EXPECT_EQ(linesOf(app->frm.Text2.text).front(), "eksport PDB plik methane.pdb");
}

TEST_F(PdbExport, ALargeNegativeCoordinateWidensItsField) {
  methaneAndChlorine(*app);
  app->m.Xyz(6, 1) = -1000;
  PdbExp(*app);
  auto line = linesOf(slurp(dir.path() / "methane.pdb"))[7];
  EXPECT_EQ(line, "HETATM    6 Cl           1   -1000.000    5.000    5.000");
  EXPECT_EQ(line.substr(28, 10), " -1000.000");  // touches the blanks before it
}

TEST_F(PdbExport, RemarkHoldsDateAndTime) {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  EXPECT_EQ(pdbRemark(1780000000), "REMARK  KEL  EXPORTED   05-28-2026   20:26:40");
  EXPECT_EQ(pdbRemark(0), "REMARK  KEL  EXPORTED   01-01-1970   00:00:00");
}

TEST_F(PdbExport, AnAtomBondedToManyKeepsThemOnOneLine) {
  auto& m = app->m;
  m.NAt = 12;
  for (int i = 1; i <= 12; ++i) setAtom(m, i, 6);
  for (int i = 2; i <= 12; ++i) bond(m, 1, i);
  m.FilNam = "star";
  PdbExp(*app);
  auto lines = linesOf(slurp(dir.path() / "star.pdb"));
  EXPECT_EQ(lines[14], "CONECT    1    2    3    4    5    6    7    8    9   10   11   12");
}

TEST_F(PdbExport, ReadsBackWithTheSameAtomsOrderElementsAndBonds) {
  auto& out = app;
  methaneAndChlorine(*out);
  PdbExp(*out);
  auto in = newApp();
  fmtGeo(*in, (dir.path() / "methane.pdb").string());
  ASSERT_EQ(in->m.NAt, 6);
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(in->m.AtZ(i), out->m.AtZ(i)) << "atom " << i;
    for (int j = 1; j <= 6; ++j)
      EXPECT_EQ(in->m.Mpo(i, j) != 0, out->m.Mpo(i, j) != 0) << i << "-" << j;
  }
  // The reader centres the structure: compare distances from the carbon.
  auto d2 = [](const ModKel& m, int a, int b) {
    double s = 0;
    for (int k = 1; k <= 3; ++k) s += (m.Xyz(a, k) - m.Xyz(b, k)) * (m.Xyz(a, k) - m.Xyz(b, k));
    return s;
  };
  for (int i = 2; i <= 6; ++i) EXPECT_NEAR(d2(in->m, 1, i), d2(out->m, 1, i), 1e-6) << i;
}

}  // namespace
}  // namespace kel::testing
