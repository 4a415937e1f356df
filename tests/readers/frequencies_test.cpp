// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/frequencies.hpp"

#include "base/convert.hpp"
#include "gaussian_text.hpp"
#include "readers/text_scan.hpp"
#include "testing.hpp"

namespace kel::testing {
namespace {

void setModel(App& app, const std::vector<GAtom>& atoms) {
  auto& m = app.m;
  m.NAt = i16(atoms.size());
  for (std::size_t a = 0; a < atoms.size(); ++a) {
    setAtom(m, int(a + 1), atoms[a].z);
    m.Xyz(a + 1, 1) = atoms[a].x;
    m.Xyz(a + 1, 2) = atoms[a].y;
    m.Xyz(a + 1, 3) = atoms[a].zc;
  }
}

std::vector<GAtom> hcn() {
  return {{1, 0, 0, -1.6}, {6, 0, 0, -0.5}, {7, 0, 0, 0.6}};
}

// --- Gaussian frequency tables

TEST(ReMW, WaterModesReversedWithRamanAndDisplacements) {
  TempDir dir;
  auto app = newApp();
  setModel(*app, water());
  auto f = dir.write("w.log", routeLine + frequencyTable(water(), 3, true));
  int ier = 5;
  ReMW(*app, f, 3, ier);
  auto& m = app->m;
  ASSERT_EQ(ier, -1);
  EXPECT_EQ(m.NFrq, 3);
  EXPECT_NE(m.Sw(35), 0);
  // mode 1 is the last frequency of the file
  EXPECT_DOUBLE_EQ(m.Frq(1), 300.25);
  EXPECT_DOUBLE_EQ(m.Frq(3), 100.25);
  EXPECT_DOUBLE_EQ(m.IrInt(1), 3.5);
  EXPECT_DOUBLE_EQ(m.RaInt(1), 30.0);
  EXPECT_EQ(m.RaInt(0), 3);
  EXPECT_EQ(m.FrqSym(1), "A1");
  EXPECT_EQ(m.FrqSym(3), "B2");
  for (int mode = 1; mode <= 3; ++mode)
    for (int a = 1; a <= 3; ++a)
      for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(m.ModeD(mode, a, c), CInt(displacement(4 - mode, a, c) * 100))
            << mode << " " << a << " " << c;
}

TEST(ReMW, DisplacementsRoundToNearestHundredth) {
  TempDir dir;
  auto app = newApp();
  setModel(*app, {{1, 0, 0, 0}, {1, 0, 0, 0.74}});
  // one mode of a diatomic: 0.15 -> 15, -0.05 -> -5
  std::string text =
      " Harmonic frequencies (cm**-1)\n"
      "                      1\n"
      "                    SGG\n"
      " Frequencies --   4401.2100\n"
      " IR Inten    --      0.0000\n"
      "  Atom  AN      X      Y      Z\n"
      "     1   1     0.15  -0.05   0.71\n"
      "     2   1    -0.15   0.05  -0.71\n"
      " -------------------\n";
  auto f = dir.write("h2.log", text);
  int ier = 0;
  ReMW(*app, f, 1, ier);
  auto& m = app->m;
  ASSERT_EQ(ier, -1);
  ASSERT_EQ(m.NFrq, 1);
  EXPECT_DOUBLE_EQ(m.Frq(1), 4401.21);
  EXPECT_EQ(m.FrqSym(1), "SGG");
  EXPECT_EQ(m.ModeD(1, 1, 1), 15);
  EXPECT_EQ(m.ModeD(1, 1, 2), -5);
  EXPECT_EQ(m.ModeD(1, 2, 3), -71);
}

TEST(ReMW, WithoutRamanLeavesRamanCountAlone) {
  TempDir dir;
  auto app = newApp();
  setModel(*app, water());
  app->m.RaInt(0) = 77;
  auto f = dir.write("w.log", frequencyTable(water(), 3, false));
  int ier = 0;
  ReMW(*app, f, 3, ier);
  ASSERT_EQ(ier, -1);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(app->m.RaInt(i), 0);
  EXPECT_EQ(app->m.RaInt(0), 77);
}

TEST(ReMW, ElementMismatchEndsWithoutModes) {
  TempDir dir;
  auto app = newApp();
  setModel(*app, water());
  app->m.AtZ(2) = 6;
  auto f = dir.write("w.log", frequencyTable(water(), 3, true));
  int ier = 0;
  ReMW(*app, f, 3, ier);
  EXPECT_EQ(ier, 1);
  EXPECT_EQ(app->m.NFrq, 0);
  EXPECT_EQ(app->m.Sw(35), 0);
}

TEST(ReMW, NoTableIsStatusZero) {
  TempDir dir;
  auto app = newApp();
  setModel(*app, water());
  auto f = dir.write("w.log", routeLine + orientationTable("Input", water()));
  int ier = 9;
  ReMW(*app, f, 3, ier);
  EXPECT_EQ(ier, 0);
}

TEST(ReMW, MissingFileLeavesStatus) {
  TempDir dir;
  auto app = newApp();
  int ier = 9;
  ReMW(*app, (dir.path() / "none.log").string(), 3, ier);
  EXPECT_EQ(ier, 9);
}

TEST(ReMW, LinearMoleculeKeepsItsLastMode) {
  TempDir dir;
  auto app = newApp();
  setModel(*app, hcn());
  auto f = dir.write("hcn.log", frequencyTable(hcn(), 4, true));
  int ier = 0;
  ReMW(*app, f, 3 * 3 - 5, ier);
  ASSERT_EQ(ier, -1);
  EXPECT_EQ(app->m.NFrq, 4);
  EXPECT_DOUBLE_EQ(app->m.Frq(1), 400.25);
  EXPECT_DOUBLE_EQ(app->m.Frq(4), 100.25);
  EXPECT_EQ(app->m.ModeD(1, 3, 2), CInt(displacement(4, 3, 2) * 100));
}

TEST(ReMW, HighPrecisionTableIsPassedOver) {
  TempDir dir;
  auto app = newApp();
  setModel(*app, water());
  auto f = dir.write("hp.log", frequencyTable(water(), 3, false, true));
  int ier = 0;
  ReMW(*app, f, 3, ier);
  ASSERT_EQ(ier, -1);
  EXPECT_EQ(app->m.NFrq, 3);
  EXPECT_DOUBLE_EQ(app->m.Frq(3), 100.25);
  EXPECT_DOUBLE_EQ(app->m.IrInt(3), 1.5);
}

TEST(ReMW, StopsAtTheEndOfTheFirstTable) {
  TempDir dir;
  auto app = newApp();
  setModel(*app, water());
  // a second job prints another table: its modes are not added to the first
  auto f =
      dir.write("two.log", frequencyTable(water(), 3, false) + frequencyTable(water(), 3, false));
  int ier = 0;
  ReMW(*app, f, 3, ier);
  ASSERT_EQ(ier, -1);
  EXPECT_EQ(app->m.NFrq, 3);
}

TEST(ThreeValues, CutAtFourBlanks) {
  double v[3];
  EXPECT_EQ(scan::threeValues(
                " Frequencies --     85.2547               241.1418               306.5348", v),
            3);
  EXPECT_DOUBLE_EQ(v[2], 306.5348);
  EXPECT_EQ(scan::threeValues(" Raman Activ --***********            ***********", v), 2);
  EXPECT_DOUBLE_EQ(v[0], 0.0);
  EXPECT_EQ(scan::threeValues(" Frequencies -- -1407.9574", v), 1);
  EXPECT_DOUBLE_EQ(v[0], -1407.9574);
}

// --- compact blocks

struct CompactCase {
  const char* name;
  const char* text;
  int ier;
  int la;
};

class ReCooCase : public ::testing::TestWithParam<CompactCase> {};

TEST_P(ReCooCase, Status) {
  const auto& c = GetParam();
  auto app = newApp();
  // a larger model before must not hide a missing atom number
  app->m.NAt = 6;
  for (int i = 1; i <= 6; ++i) setAtom(app->m, i, 6);
  TempDir dir;
  auto f = dir.write("c.kel", c.text);
  app->files.openInput(1, f);
  int la = -1, ier = -9;
  ReCoo(*app, 1, la, ier);
  EXPECT_EQ(ier, c.ier);
  if (c.la >= 0) {
    EXPECT_EQ(la, c.la);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, ReCooCase,
    ::testing::Values(
        CompactCase{"ok", "  1   8  0 0 0  15.9949\n  2   1  0 0 1  0\n\n\nHarmonic frequencies\n",
                    0, 2},
        CompactCase{"leadingZeros", "0 0\n  1   8  0 0 0  15.9949\n", 0, 1},
        CompactCase{"gap", "1 8 0 0 0 16\n2 1 0 0 1 1\n4 1 0 1 0 1\n", 4, 3},
        CompactCase{"negative", "1 8 0 0 0 16\n-2 1 0 0 1 1\n", 2, 1},
        CompactCase{"badElement", "1 99 0 0 0 16\n", 3, 1},
        CompactCase{"empty", "\n\nHarmonic frequencies\n", 1, 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ReCoo, MassFromTheLineOrTheElementTable) {
  auto app = newApp();
  TempDir dir;
  auto f =
      dir.write("c.kel", "  1   1   0.5 -1.25 2  2.01410178\n  2   8  1,2,3\n  3 6 0 0 0 -1\n");
  app->files.openInput(1, f);
  int la = 0, ier = 0;
  ReCoo(*app, 1, la, ier);
  auto& m = app->m;
  ASSERT_EQ(ier, 0);
  EXPECT_EQ(la, 3);
  EXPECT_DOUBLE_EQ(m.AtMas(1), 2.01410178);
  EXPECT_DOUBLE_EQ(m.Xyz(1, 2), -1.25);
  EXPECT_DOUBLE_EQ(m.AtMas(2), m.ElMas(8));
  EXPECT_DOUBLE_EQ(m.Xyz(2, 3), 3.0);
  EXPECT_DOUBLE_EQ(m.AtMas(3), 12.0);
  EXPECT_EQ(m.AtLab(1), " H");
}

TEST(ReCo1, AppendsAfterTheAtomsHeld) {
  auto app = newApp();
  setModel(*app, water());
  TempDir dir;
  auto f = dir.write("c.kel", "1 6 1 1 1 12\n2 1 2 2 2 0\n\n");
  app->files.openInput(1, f);
  int la = 3, ier = 0;
  ReCo1(*app, 1, la, ier);
  ASSERT_EQ(ier, 0);
  EXPECT_EQ(la, 5);
  EXPECT_EQ(app->m.NAt, 5);
  EXPECT_EQ(app->m.AtZ(4), 6);
  EXPECT_EQ(app->m.AtZ(1), 8);
  EXPECT_DOUBLE_EQ(app->m.Xyz(5, 1), 2.0);
}

constexpr const char* TwoModes =
    "Harmonic frequencies\n"
    "F =3000.12   IR =  12.50   RA =   3.25   S = A1\n"
    "   1   2   3     -4  -5  -6   \n"
    "F =1000.00   IR =   0.00   S = B2\n"
    "   7   8   9     10  11  12   \n";

TEST(ReMv, ReadsModesAsStored) {
  TempDir dir;
  auto app = newApp();
  setModel(*app, {{1, 0, 0, 0}, {1, 0, 0, 1}});
  app->files.openInput(1, dir.write("m.kel", TwoModes));
  int lfr = 0;
  ReMv(*app, 1, 2, lfr);
  auto& m = app->m;
  ASSERT_EQ(lfr, -1);
  EXPECT_EQ(m.NFrq, 2);
  EXPECT_DOUBLE_EQ(m.Frq(1), 3000.12);
  EXPECT_DOUBLE_EQ(m.RaInt(1), 3.25);
  EXPECT_EQ(m.RaInt(0), 2);
  EXPECT_EQ(m.FrqSym(2), "B2");
  EXPECT_EQ(m.ModeD(1, 2, 3), -6);
  EXPECT_EQ(m.ModeD(2, 1, 1), 7);
}

TEST(ReMv, IncompleteAndAbsent) {
  auto app = newApp();
  TempDir dir;
  app->files.openInput(1, dir.write("m.kel", "Harmonic frequencies\nF = 1.0  S = A\n 1 2 3\n"));
  int lfr = 0;
  ReMv(*app, 1, 2, lfr);
  EXPECT_EQ(lfr, 1);
  EXPECT_EQ(app->m.NFrq, 0);
  app->files.closeAll();
  app->files.openInput(1, dir.write("n.kel", "Atomic orientation and masses\n"));
  ReMv(*app, 1, 2, lfr);
  EXPECT_EQ(lfr, 0);
}

TEST(ReMv1, AppendsModesOfTheAddedAtoms) {
  auto app = newApp();
  auto& m = app->m;
  setModel(*app, {{1, 0, 0, 0}, {1, 0, 0, 1}, {8, 0, 0, 5}, {8, 0, 0, 6}});
  m.NFrq = 1;
  m.Frq(1) = 500;
  m.ModeD(1, 3, 1) = 99;  // left from an earlier read
  m.ModeD(2, 1, 1) = 99;
  TempDir dir;
  app->files.openInput(1, dir.write("m.kel", TwoModes));
  int lfr = 0;
  ReMv1(*app, 2, 1, 4, lfr);
  ASSERT_EQ(lfr, -1);
  EXPECT_EQ(m.NFrq, 3);
  EXPECT_DOUBLE_EQ(m.Frq(1), 500);
  EXPECT_DOUBLE_EQ(m.Frq(2), 3000.12);
  EXPECT_EQ(m.ModeD(2, 3, 1), 1);
  EXPECT_EQ(m.ModeD(3, 4, 3), 12);
  EXPECT_EQ(m.ModeD(1, 3, 1), 0);
  EXPECT_EQ(m.ModeD(2, 1, 1), 0);
}

// --- masses

TEST(ReIzo, SameMassesKeepTheTable) {
  auto app = newApp();
  setModel(*app, water());
  TempDir dir;
  auto f = dir.write("w.log", routeLine + massLines(water(), {15.99491, 1.00783, 1.00783}));
  std::string route;
  int ier = 0;
  ReIzo(*app, f, route, 3, ier);
  EXPECT_EQ(ier, -1);
  EXPECT_EQ(route, " #p b3lyp/6-31g(d) opt freq");
  EXPECT_DOUBLE_EQ(app->m.AtMas(2), app->m.ElMas(1));
  auto lines = linesOf(app->frm.Text2.text);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "atomic masses in file " + f);
  EXPECT_EQ(lines.back(), "... are the same as in Kelvorin program");
}

TEST(ReIzo, OneIsotopeReplacesAllMasses) {
  auto app = newApp();
  setModel(*app, water());
  TempDir dir;
  auto f = dir.write("w.log", massLines(water(), {15.99491, 2.01410, 1.00783}));
  std::string route;
  int ier = 0;
  ReIzo(*app, f, route, 3, ier);
  EXPECT_EQ(ier, -1);
  EXPECT_DOUBLE_EQ(app->m.AtMas(2), 2.0141);
  EXPECT_DOUBLE_EQ(app->m.AtMas(3), 1.00783);
  auto lines = linesOf(app->frm.Text2.text);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "atomic masses from file " + f);
  EXPECT_EQ(lines[2], "  2   1 H      0.000000    0.757000   -0.469000    2.014100");
}

TEST(ReIzo, WrongElementAfterMassesStops) {
  auto app = newApp();
  setModel(*app, water());
  TempDir dir;
  std::string text =
      " Atom     1 has atomic number  8 and mass  15.99491\n"
      " Atom     2 has atomic number  6 and mass  12.00000\n";
  auto f = dir.write("w.log", text);
  std::string route;
  int ier = 0;
  ReIzo(*app, f, route, 3, ier);
  EXPECT_EQ(ier, 1);
  auto lines = linesOf(app->frm.Text2.text);
  EXPECT_EQ(lines.back(), " Atom     2 has atomic number  6 and mass  12.00000 ... Input Error");
}

TEST(ReIzo, NoMassLines) {
  auto app = newApp();
  setModel(*app, water());
  TempDir dir;
  auto f = dir.write("w.log", "nothing here\n");
  std::string route;
  int ier = 5;
  ReIzo(*app, f, route, 3, ier);
  EXPECT_EQ(ier, 0);
  EXPECT_TRUE(app->frm.Text2.text.empty());
}

// --- side file

TEST(ReFrq, FrequenciesAndIntensitiesReversed) {
  auto app = newApp();
  setModel(*app, water());
  TempDir dir;
  app->m.DatNam = dir.write("w.frq", frequencyTable(water(), 3, true));
  int ier = 0;
  ReFrq(*app, 3, ier);
  EXPECT_EQ(ier, -1);
  EXPECT_DOUBLE_EQ(app->m.Frq(1), 300.25);
  EXPECT_DOUBLE_EQ(app->m.IrInt(1), 3.5);
  EXPECT_DOUBLE_EQ(app->m.RaInt(3), 10.0);
  EXPECT_EQ(app->m.RaInt(0), 3);
}

}  // namespace
}  // namespace kel::testing
