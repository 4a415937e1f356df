// Kelvorin - desktop workbench for vibrational calculations.
#include "writers/gaussian_job.hpp"
#include "testing.hpp"

namespace kel::testing {
namespace {

using GaussianJob = FreshApp;

void water(App& app, const std::string& stem) {
  putAtoms(app.m, {{8, 0, 0, 0.1173}, {1, 0, 0.7572, -0.4692}, {1, 0, -0.7572, -0.4692}});
  app.m.NDof(1) = 3;
  app.m.FilNam = stem;
}

TEST_F(GaussianJob, WaterHasSevenHeaderLinesThreeAtomsAndATwoBlankLine) {
  water(*app, "water");
  CreateGjf(*app);
  std::string text = slurp(dir.path() / "water.gjf");
  EXPECT_EQ(text,
            "%nproc=1\n"
            "%chk= kelvorin.chk\n"
            "# opt rb3lyp/6-311+g(d,p)  freq=raman\n"
            "\n"
            "Title: Kelvorin Job water\n"
            "\n"
            "0 1\n"
            " O                  0.000000    0.000000    0.117300\n"
            " H                  0.000000    0.757200   -0.469200\n"
            " H                  0.000000   -0.757200   -0.469200\n"
            "  \n");
  EXPECT_EQ(app->erraCount, 0);
  EXPECT_EQ(linesOf(app->frm.Text2.text).back(), "saved as file water.gjf");
}

TEST_F(GaussianJob, TwoLetterSymbolsAndWideValuesKeepTheirFields) {
  auto& m = app->m;
  m.NAt = 1;
  setAtom(m, 1, 17);
  m.Xyz(1, 1) = -12345.25;
  m.Xyz(1, 2) = 1.0000006;  // rounds up in the sixth decimal
  m.Xyz(1, 3) = -0.25;
  m.FilNam = "cl";
  CreateGjf(*app);
  auto lines = linesOf(slurp(dir.path() / "cl.gjf"));
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[7], " Cl              -12345.250000    1.000001   -0.250000");
}

TEST_F(GaussianJob, NoAtomsGivesTheHeaderAndTheLastLineAnUnwritableFolderAnError) {
  app->m.FilNam = "empty";
  CreateGjf(*app);
  auto lines = linesOf(slurp(dir.path() / "empty.gjf"));
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[6], "0 1");
  EXPECT_EQ(lines[7], "  ");
  // a folder that cannot be written is reported, not crashed on
  water(*app, (dir.path() / "no-such-folder" / "water").string());
  CreateGjf(*app);
  EXPECT_EQ(app->erraCount, 1);
  EXPECT_NE(app->frm.Text4.text.find("ZaGJF ERROR"), std::string::npos) << app->frm.Text4.text;
  EXPECT_FALSE(app->files.isOpen(4));
}

}  // namespace
}  // namespace kel::testing
