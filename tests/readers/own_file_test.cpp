// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/own_file.hpp"

#include "gaussian_text.hpp"
#include "testing.hpp"

namespace kel::testing {
namespace {

/// A model of five atoms with two modes.
void fiveAtoms(App& app) {
  auto& m = app.m;
  m.NAt = 5;
  for (int i = 1; i <= 5; ++i) {
    setAtom(m, i, i == 1 ? 6 : 1);
    m.Xyz(i, 1) = i;
  }
  m.NFrq = 2;
  m.FilNam = "first";
}

/// A fresh folder and a program holding the five atoms.
struct AddKel : FreshApp {
  AddKel() { fiveAtoms(*app); }
};

constexpr const char* ThreeAtomKel =
    " #p freq\n\nAtomic orientation and masses\n"
    "  1   8    0.00000000    0.00000000    0.11700000     15.99491460\n"
    "  2   1    0.00000000    0.75700000   -0.46900000      1.00782504\n"
    "  3   1    0.00000000   -0.75700000   -0.46900000      2.01410000\n"
    "\n\nHarmonic frequencies\n"
    "F =3000.00   IR =  10.00   S = A1\n"
    "   1   2   3      4   5   6      7   8   9   \n"
    "F =1600.00   IR =   5.00   S = A1\n"
    "   0   1   0      0   2   0      0   3   0   \n"
    "F =1500.00   IR =   5.00   S = B2\n"
    "   0   0   1      0   0   2      0   0   3   \n";

TEST_F(AddKel, AppendsThreeAtomsToFive) {
  auto f = dir.write("w.kel", ThreeAtomKel);
  FmaKel(*app, f);
  auto& m = app->m;
  ASSERT_EQ(m.NAt, 8);
  EXPECT_EQ(m.NAtFirst, 5);
  EXPECT_EQ(m.NFrqFirst, 2);
  EXPECT_EQ(m.AtZ(6), 8);
  EXPECT_DOUBLE_EQ(m.AtMas(8), 2.0141);
  EXPECT_EQ(m.NDof(24), 18);
  EXPECT_EQ(m.NFrq, 5);
  EXPECT_EQ(m.ModeD(3, 7, 1), 4);
  EXPECT_EQ(m.ModeD(3, 1, 1), 0);
  EXPECT_EQ(app->frm.Text3.text, f + " all is good");
  auto lines = linesOf(app->frm.Text2.text);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Coordinates of  3 atoms have been add"),
            lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "all coordinates: 8"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "  8   1   H    0.000000   -0.757000   -0.469000    2.014100"),
            lines.end());
  EXPECT_EQ(lines.back(), "to add the stucture press CONTINUE ...");
  EXPECT_TRUE(app->frm.AddCon.visible);
  EXPECT_TRUE(app->frm.List1.visible);
}

TEST_F(AddKel, AddsAGaussianOutputsCompactLookalike) {
  // any file with an "orient" line and a coordinate block after it
  auto f = dir.write("x.fmv", "title\nsome orientation\n 1 6 0 0 0\n 2 1 0 0 1.09\n\n");
  FmaKel(*app, f);
  EXPECT_EQ(app->m.NAt, 7);
  EXPECT_DOUBLE_EQ(app->m.AtMas(6), 12.0);
}

TEST_F(AddKel, AddsTheFirstTableOfAGaussianOutput) {
  auto f = dir.write("g.log", routeLine + orientationTable("Input", water(2.5)) +
                                  orientationTable("Standard", water()) +
                                  frequencyTable(water(), 3, false));
  FmaKel(*app, f);
  auto& m = app->m;
  ASSERT_EQ(m.NAt, 8) << app->frm.Text3.text;
  EXPECT_EQ(m.AtZ(6), 8);
  EXPECT_DOUBLE_EQ(m.Xyz(6, 1), 2.5);
  EXPECT_DOUBLE_EQ(m.Xyz(7, 2), 0.757);
  EXPECT_DOUBLE_EQ(m.Xyz(8, 3), -0.469);
  EXPECT_DOUBLE_EQ(m.AtMas(7), m.ElMas(1));
  EXPECT_EQ(m.NFrq, 2);  // no compact modes in a Gaussian output
  EXPECT_TRUE(app->frm.AddCon.visible);
}

TEST_F(AddKel, GaussianTableWithoutTypeColumn) {
  FmaKel(*app, dir.write("g.log", orientationTable("Standard", water(), false)));
  ASSERT_EQ(app->m.NAt, 8);
  EXPECT_DOUBLE_EQ(app->m.Xyz(7, 2), 0.757);
}

TEST_F(AddKel, RealGaussianOutput) {
  auto src = shared("generated/gen_n12_raman_masses.log");
  KEL_NEED_SHARED(src);
  FmaKel(*app, dir.copy(src));
  auto& m = app->m;
  ASSERT_EQ(m.NAt, 17);
  // the first table of the file: "1  6  0  -0.436848  0.425079  1.074667"
  EXPECT_DOUBLE_EQ(m.Xyz(6, 1), -0.436848);
  EXPECT_DOUBLE_EQ(m.Xyz(6, 3), 1.074667);
  EXPECT_DOUBLE_EQ(m.AtMas(6), 12.0);
  EXPECT_EQ(m.AtZ(10), 8);
}

TEST_F(AddKel, WithoutOrientOrFileNothingChanges) {
  auto f = dir.write("n.kel", "nothing\n");
  FmaKel(*app, f);
  EXPECT_EQ(app->m.NAt, 5);
  EXPECT_EQ(app->frm.Text3.text, f + "  missing of line orient");
  EXPECT_EQ(app->frm.Text4.text, "can't find line: Atomic orientation and masses");
  EXPECT_FALSE(app->frm.AddCon.visible);
  FmaKel(*app, "none.kel");
  EXPECT_EQ(app->frm.Text3.text, "file not found: none.kel");
  EXPECT_EQ(app->m.NAt, 5);
}

TEST_F(AddKel, BadOrEmptyBlockKeepsTheFirstStructure) {
  auto f = dir.write("b.kel", "Atomic orientation and masses\n 1 8 0 0 0 16\n 3 1 0 0 1 1\n\n");
  FmaKel(*app, f);
  EXPECT_EQ(app->m.NAt, 5);
  EXPECT_EQ(app->frm.Text3.text, f + "  Error while Coordinates reading");
  EXPECT_TRUE(app->readFailed);
  EXPECT_FALSE(app->frm.AddCon.visible);
  FmaKel(*app, dir.write("e.kel", "Atomic orientation and masses\n\nHarmonic frequencies\n"));
  EXPECT_EQ(app->m.NAt, 5);
  EXPECT_EQ(linesOf(app->frm.Text2.text).back(), "coordinates not found");
}

}  // namespace
}  // namespace kel::testing
