// Kelvorin - desktop workbench for vibrational calculations.
#include "viewer/viewer_fixture.hpp"

namespace kel::testing {
namespace {

struct Picture : ::testing::Test {
  TempDir dir;
  ViewerApp va;
  ScriptedPrompt* prompt = nullptr;
  std::unique_ptr<ScriptedPrompt> owned;
  void SetUp() override {
    buildWater(*va);
    va->m.FilNam = "Water";
    Start(*va);
  }
  void answers(std::vector<std::string> a) {
    owned = std::make_unique<ScriptedPrompt>(std::move(a));
    va->prompt = owned.get();
  }
};

TEST_F(Picture, FreeNameIsSavedAtOnceAnEmptyFileCountsAsFree) {
  answers({});
  obut_Click(*va, 0);
  EXPECT_EQ(va->obr.wynik.text, "saved");
  ASSERT_EQ(va.surface.saved.size(), 1u);
  EXPECT_EQ(va.surface.saved[0], "Water.bmp");  // the case of the name is kept
  dir.write("Water.bmp", "");
  obut_Click(*va, 0);
  EXPECT_EQ(va->obr.wynik.text, "saved");
  EXPECT_TRUE(owned->prompts.empty());
}

TEST_F(Picture, CancelPutsThePictureOnTheClipboard) {
  dir.write("Water.bmp", "old");
  answers({""});
  obut_Click(*va, 0);
  EXPECT_EQ(va->obr.wynik.text, "clipboard");
  EXPECT_EQ(va.clipboard.clears, 1);
  EXPECT_EQ(va.clipboard.pictures, 1);
  EXPECT_TRUE(va.surface.saved.empty());
  EXPECT_EQ(slurp("Water.bmp"), "old");
  ASSERT_EQ(owned->prompts.size(), 1u);
  const std::string& p = owned->prompts[0];
  EXPECT_NE(p.find("CAUTION: already exists file\rWater.bmp\r"), std::string::npos);
  EXPECT_NE(p.find("{Cancel - to clipboard,  OK - overwrite}"), std::string::npos);
  EXPECT_NE(p.find("or new filename "), std::string::npos);
  EXPECT_EQ(owned->defaults[0], "Water.bmp");
}

TEST_F(Picture, SameNameOverwrites) {
  dir.write("Water.bmp", "old");
  answers({"default"});
  obut_Click(*va, 0);
  EXPECT_EQ(va->obr.wynik.text, "saved");
  EXPECT_EQ(slurp("Water.bmp"), "BM");
}

TEST_F(Picture, NameWithoutExtensionGetsBmp) {
  dir.write("Water.bmp", "old");
  answers({"Other"});
  obut_Click(*va, 0);
  ASSERT_EQ(va.surface.saved.size(), 1u);
  EXPECT_EQ(va.surface.saved[0], "Other.bmp");
  EXPECT_EQ(slurp("Water.bmp"), "old");
}

TEST_F(Picture, NewNameThatExistsIsAskedAgain) {
  dir.write("Water.bmp", "old");
  dir.write("b.BMP", "kept");
  answers({"b.BMP", "c.png"});
  obut_Click(*va, 0);
  EXPECT_EQ(owned->prompts.size(), 2u);
  EXPECT_EQ(owned->defaults[1], "b.BMP");
  ASSERT_EQ(va.surface.saved.size(), 1u);
  EXPECT_EQ(va.surface.saved[0], "c.png");
  EXPECT_EQ(slurp("b.BMP"), "kept");
}

TEST_F(Picture, FailedSaveIsReportedInTheErrorBox) {
  answers({});
  va->m.FilNam = "no/such/folder/x";
  obut_Click(*va, 0);
  EXPECT_TRUE(va->obr.Teker.visible);
  EXPECT_EQ(va->obr.Teker.text, "Bitmapa ERROR 75  " + std::string(errorDescription(75)));
  EXPECT_NE(va->obr.wynik.text, "saved");
}

TEST_F(Picture, ColourFileIsWrittenOnceAndNamed) {
  va->m.KolNam = "eskrK.kol";
  Ima1_Click(*va);
  EXPECT_EQ(va->obr.wynik.text, "eskrK.kol");
  EXPECT_FALSE(va->obr.Ima1[0].visible);
  EXPECT_TRUE(va->obr.Ima1[1].visible);
  auto lines = linesOf(slurp("eskrK.kol"));
  EXPECT_EQ(lines[8], "  8    255  60  60      0 195 195");
  dir.write("eskrK.kol", "6 1 2 3 4 5 6\n");
  Ima1_Click(*va);
  EXPECT_EQ(slurp("eskrK.kol"), "6 1 2 3 4 5 6\n");
  EXPECT_TRUE(va->obr.Ima1[0].visible);
}

}  // namespace
}  // namespace kel::testing
