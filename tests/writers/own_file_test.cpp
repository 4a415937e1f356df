// Kelvorin - desktop workbench for vibrational calculations.
#include "writers/own_file.hpp"

#include "readers/gaussian_output.hpp"
#include "testing.hpp"

#include <fstream>

namespace kel::testing {
namespace {

/// Three atoms (O, H, H), three modes; the viewer copy equals the model.
void threeAtoms(App& app, bool raman) {
  auto& m = app.m;
  putAtoms(m, {{8, 0, 0, 0.117}, {1, 0, 0.757, -0.469}, {1, 0, -0.757, -0.469}});
  setAtom(m, 3, 1, 2.0141);
  for (int i = 1; i <= 3; ++i)
    for (int k = 1; k <= 3; ++k) m.XyzV(i, k) = m.Xyz(i, k);
  m.NFrq = 3;
  double f[] = {3999.99, 1234.5, 98.765};
  for (int j = 1; j <= 3; ++j) {
    m.Frq(j) = f[j - 1];
    m.IrInt(j) = 10.0 * j;
    m.RaInt(j) = raman ? 0.5 * j : 0;
    m.FrqSym(j) = j == 1 ? "A1" : "B2";
    for (int a = 1; a <= 3; ++a)
      for (int k = 1; k <= 3; ++k) m.ModeD(j, a, k) = i16((j * 10 + a * 3 + k) % 23 - 11);
  }
  m.RaInt(0) = raman ? 3 : 0;
  m.FilNam = "w";
}

/// A fresh folder with the three-atom model (no Raman data) loaded.
class Kel : public ::testing::Test {
 protected:
  TempDir dir;
  std::unique_ptr<App> app = newApp();
  void SetUp() override { threeAtoms(*app, false); }
  std::vector<std::string> written(const char* name = "w.kel") {
    return linesOf(slurp(dir.path() / name));
  }
};

TEST(AppendIntField, SameAsTheLogField) {
  for (long long k : {0LL, 5LL, -5LL, 15LL, -71LL, 100LL, -100LL, 999LL, -1000LL, 32767LL}) {
    std::string s;
    appendIntField(s, k, 4);
    EXPECT_EQ(s, fieldText(double(k), "########0", 4)) << k;
  }
}

TEST_F(Kel, KelFile_LayoutOfThreeAtomsAndThreeModes) {
  threeAtoms(*app, true);
  writeKelFile(*app, "w.kel", "", false);
  auto lines = written();
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[0], "Atomic orientation and masses");
  EXPECT_EQ(lines[1], "  1   8    0.00000000    0.00000000    0.11700000     15.99491460");
  EXPECT_EQ(lines[3], "  3   1    0.00000000   -0.75700000   -0.46900000      2.01410000");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines[6], "Harmonic frequencies");
  // a four-digit frequency fills its seven characters
  EXPECT_EQ(lines[7], "F =3999.99   IR =  10.00   RA =   0.50   S = A1");
  EXPECT_EQ(lines[8], "   3   4   5      6   7   8      9  10  11   ");
  EXPECT_EQ(lines[11], "F =  98.77   IR =  30.00   RA =   1.50   S = B2");
  EXPECT_EQ(linesOf(app->frm.Text2.text).back(), "File w.kel was created");
}

TEST_F(Kel, KelFile_RouteNoRamanColumnFieldWidthsAndTheScalingLine) {
  const i16 v[] = {-99, -100, 999, 1000, -1000, 0, 7, -32768, 32767};
  for (int i = 0; i < 9; ++i) app->m.ModeD(1, 1 + i / 3, 1 + i % 3) = v[i];
  app->m.Frq(2) = 12345.678;  // widens its field
  app->m.Sw(114) = -1;
  app->m.Par(15) = 0.5;
  app->m.Par(16) = -12.25;
  writeKelFile(*app, "w.kel", " #p freq", false);
  auto lines = written();
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0], " #p freq");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[9], "F =3999.99   IR =  10.00   S = A1");
  EXPECT_EQ(lines[10], " -99 -100 999    1000 -1000   0      7 -32768 32767   ");
  EXPECT_EQ(lines[11], "F =12345.68   IR =  20.00   S = B2");
  EXPECT_EQ(lines[15], "");
  EXPECT_EQ(lines[16], "frequency scaling factor =  .5 *x - 12.25");
}

TEST_F(Kel, KelFile_WithoutModesWritesNoModeLinesAndReadsBackQuietly) {
  app->m.NFrq = 0;
  writeKelFile(*app, "w.kel", "", false);
  auto lines = written();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines.back(), "Harmonic frequencies");
  auto back = newApp();
  FmtIn(*back, (dir.path() / "w.kel").string());
  EXPECT_EQ(back->m.NAt, 3);
  EXPECT_EQ(back->m.NFrq, 0);
  EXPECT_FALSE(back->readFailed);
  EXPECT_EQ(back->frm.Text2.text.find("matrix ADM"), std::string::npos);
}

TEST_F(Kel, KelFile_LogChannelListsAtoms) {
  ZaCoo(*app, 0, 2);
  auto lines = linesOf(app->frm.Text2.text);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "  2   1    0.00000000    0.75700000   -0.46900000      1.00782504");
}

// --- "&Save .kel as is"

TEST_F(Kel, SaveKelAsIs_DeletedAtomsLeftOutAndRenumbered) {
  app->m.XyzV(2, 0) = -1;   // deleted in the viewer
  app->m.XyzV(3, 1) = 4.5;  // turned in the viewer
  SaveKelAsIs(*app);
  auto lines = written();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "Atomic orientation and masses");
  EXPECT_EQ(lines[2], "  2   1    4.50000000   -0.75700000   -0.46900000      2.01410000");
  EXPECT_EQ(lines[5], "Harmonic frequencies");
  // the displacement rows of the deleted atom go with it
  EXPECT_EQ(lines[7], "   3   4   5      9  10  11   ");
}

TEST_F(Kel, SaveKelAsIs_ReadsBackAsTheStructureShown) {
  threeAtoms(*app, true);
  app->m.XyzV(1, 0) = -1;
  SaveKelAsIs(*app);
  auto back = newApp();
  FmtIn(*back, (dir.path() / "w.kel").string());
  auto &a = app->m, &b = back->m;
  ASSERT_EQ(b.NAt, 2);
  ASSERT_EQ(b.NFrq, 3);
  EXPECT_DOUBLE_EQ(b.AtMas(2), 2.0141);
  EXPECT_DOUBLE_EQ(b.Xyz(2, 2), -0.757);
  EXPECT_DOUBLE_EQ(b.RaInt(3), 1.5);
  for (int j = 1; j <= 3; ++j)
    for (int k = 1; k <= 3; ++k) {
      EXPECT_EQ(b.ModeD(j, 1, k), a.ModeD(j, 2, k));
      EXPECT_EQ(b.ModeD(j, 2, k), a.ModeD(j, 3, k));
    }
}

TEST_F(Kel, SaveKelAsIs_CancelKeepsTheFile) {
  dir.write("w.kel", "mine\n");
  ScriptedPrompt prompt({""});
  app->prompt = &prompt;
  SaveKelAsIs(*app);
  EXPECT_EQ(slurp(dir.path() / "w.kel"), "mine\n");
  EXPECT_EQ(app->frm.Text3.text, "KEL not saved");
  ASSERT_EQ(prompt.prompts.size(), 1u);
  EXPECT_EQ(prompt.prompts[0],
            "CAUTION: alraeady exists file\rw.kel\r\r{Cancel - not save results,  OK - overwrite}\r"
            "Or New Filename [.kel]");
  EXPECT_EQ(prompt.defaults[0], "w.kel");
}

TEST_F(Kel, SaveKelAsIs_SameNameOverwrites) {
  dir.write("w.kel", "mine\n");
  ScriptedPrompt prompt({"w.kel", "w.kel"});
  app->prompt = &prompt;
  SaveKelAsIs(*app);
  EXPECT_EQ(written()[0], "Atomic orientation and masses");
  // the earlier content lasts under the first free numbered name
  EXPECT_EQ(slurp(dir.path() / "w1.kel"), "mine\n");
  EXPECT_NE(app->frm.Text2.text.find("Old file renamed as w1.kel"), std::string::npos);
  SaveKelAsIs(*app);  // the same content again: no second copy
  EXPECT_FALSE(fs::exists(dir.path() / "w2.kel"));
  EXPECT_FALSE(fs::exists(dir.path() / "w.kel.part"));
}

TEST_F(Kel, SaveKelAsIs_NewNameGetsItsExtensionAndIsCheckedAgain) {
  dir.write("w.kel", "mine\n");
  dir.write("other.kel", "theirs\n");
  ScriptedPrompt prompt({"other", "third.v2"});
  app->prompt = &prompt;
  SaveKelAsIs(*app);
  EXPECT_EQ(slurp(dir.path() / "w.kel"), "mine\n");
  EXPECT_EQ(slurp(dir.path() / "other.kel"), "theirs\n");
  ASSERT_EQ(prompt.defaults.size(), 2u);
  EXPECT_EQ(prompt.defaults[1], "other.kel");
  EXPECT_TRUE(fs::exists(dir.path() / "third.v2"));
  EXPECT_EQ(linesOf(app->frm.Text2.text).back(), "File third.v2 was created");
}

TEST_F(Kel, SaveKelAsIs_ReadOnlyFileIsNamedInThePrompt) {
  auto f = dir.write("w.kel", "mine\n");
  fs::permissions(f, fs::perms::owner_read);
  ScriptedPrompt prompt({""});
  app->prompt = &prompt;
  SaveKelAsIs(*app);
  ASSERT_EQ(prompt.prompts.size(), 1u);
  EXPECT_EQ(prompt.prompts[0],
            "CAUTION: alraeady exists file\rw.kel\r\r{Cancel - not save results, w.kel marked Read "
            "only)\rOr New Filename [.kel]");
}

}  // namespace
}  // namespace kel::testing
