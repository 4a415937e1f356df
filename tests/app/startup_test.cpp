// Kelvorin - desktop workbench for vibrational calculations.
// Start-up: the settings file, the command line and the working folder.
#include "app/startup.hpp"
#include "testing.hpp"

#include <cstdlib>

namespace kel::testing {
namespace {

class StartupTest : public FreshApp {
 protected:
  void SetUp() override {
    oldConfig = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    setenv("XDG_CONFIG_HOME", (dir.path() / "config").c_str(), 1);
    // Editor programs: only files of at least 2000 bytes are accepted.
    big = dir.write("big-editor", std::string(2500, 'x'));
    small = dir.write("small-editor", std::string(1999, 'x'));
  }
  void TearDown() override {
    if (oldConfig.empty())
      unsetenv("XDG_CONFIG_HOME");
    else
      setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
  }
  std::string oldConfig, big, small;
};

TEST_F(StartupTest, NoSettingsFileKeepsTheDefaults) {
  IniVe(*app, "");
  EXPECT_EQ(app->frm.EdMpo, "notepad ");
  EXPECT_EQ(app->frm.EdDd2, "notepad ");
  EXPECT_EQ(app->frm.IniFile, "");
  EXPECT_TRUE(app->we1.visible);  // no command line: the structure chooser opens
  EXPECT_EQ(app->frm.Banner, "****Kelvorin**** version 2 ");
  EXPECT_EQ(app->m.VerCap, "  Kelvorin 2.2 ");
  dir.write("kelv.ini", "");  // an empty file is passed over, and stays
  auto again = newApp();
  EdIni(*again);
  EXPECT_EQ(again->frm.IniFile, "");
  EXPECT_TRUE(std::filesystem::exists("kelv.ini"));
}

TEST_F(StartupTest, SettingsLinesCaseBlindTrimmedAndChecked) {
  // skipped: a program too short, "=" too early, an unknown extension
  dir.write("kelv.ini", "# my editors\nEDITOR.MPO =   " + big + "   \r\neditor.dd2=" + small +
                            "\neditor.xy=" + big + "\n  something editor.KOL= " + big +
                            "\neditor.abc=" + big + "\n");
  EdIni(*app);
  EXPECT_EQ(app->frm.EdMpo, big + " ");
  EXPECT_EQ(app->frm.EdDd2, "");  // not touched by EdIni itself
  EXPECT_EQ(app->frm.EdKol, big + " ");
  EXPECT_EQ(app->m.KolNam, big + " ");
  EXPECT_EQ(app->frm.Text3.text, "kelv.ini editor.mpo=" + big + " editor.kol=" + big);
}

TEST_F(StartupTest, AtMostFourSettingsAreRead) {
  dir.write("kelv.ini", "editor.mpo=" + big + "\neditor.dd2=" + big + "\neditor.kol=" + big +
                            "\neditor.vdf=" + big + "\neditor.mpo=" + small + "x\n");
  std::filesystem::rename(small, small + "x");
  std::filesystem::resize_file(small + "x", 5000);
  EdIni(*app);
  EXPECT_EQ(app->frm.EdMpo, big + " ");  // the fifth line is not read
  EXPECT_EQ(app->frm.EdVdf, big + " ");
}

TEST_F(StartupTest, UserConfigurationFolderAfterTheCurrentOne) {
  std::filesystem::create_directories(dir.path() / "config/kelvorin");
  dir.write("config/kelvorin/kelv.ini", "editor.vdf=" + big + "\n");
  EdIni(*app);
  EXPECT_EQ(app->frm.EdVdf, big + " ");
  dir.write("kelv.ini", "editor.mpo=" + big + "\n");
  auto again = newApp();
  EdIni(*again);
  EXPECT_EQ(again->frm.EdVdf, "");  // the current folder's file wins
  EXPECT_EQ(again->frm.EdMpo, big + " ");
}

TEST_F(StartupTest, CommandLineNamesTheFileReadAndTheJob) {
  struct Row {
    const char* line;
    const char* read;  // Text1.text
    const char* tag;   // Text1.tag
    const char* job;
  } rows[] = {
      {"job.ddr water.fmt", "water.fmt", "job.ddr", "water"},  // the checkpoint is read
      {"run.dd2 mol.fmu", "mol.fmu", "run.dd2", "mol"},
      {"run mol.fmu", "mol.fmu", "run.dd2", "mol"},  // a second word without a point: ".dd2"
      {"water", "water.fmv", "", "water"},           // no point: the compact extension
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.line);
    auto a = newApp();
    IniVe(*a, r.line);
    EXPECT_EQ(a->frm.Text1.text, r.read);
    EXPECT_EQ(a->frm.Text1.tag, r.tag);
    EXPECT_EQ(a->m.JobNam, r.job);
  }
  IniVe(*app, "job.ddr water.fmt");
  EXPECT_EQ(app->frm.Arg2, "job.ddr");
}

TEST_F(StartupTest, QuotedNameKeepsBlanksAndTheSecondWordFollows) {
  std::filesystem::create_directories(dir.path() / "my dir");
  IniVe(*app, "\"" + (dir.path() / "my dir/Water.XYZ").string() + "\" run.dd2");
  EXPECT_EQ(app->frm.Text1.text, (dir.path() / "my dir/Water.XYZ").string());
  EXPECT_EQ(app->frm.Arg2, "run.dd2");
  EXPECT_EQ(app->m.JobNam, (dir.path() / "my dir/Water").string());
  EXPECT_EQ(std::filesystem::current_path(), dir.path() / "my dir");
  EXPECT_EQ(app->frm.Text4.text, "directory changed to " + (dir.path() / "my dir").string());
}

TEST_F(StartupTest, BackslashSeparatesFoldersOnlyWhenNoFileHasTheLiteralName) {
  const std::string xyz = "3\n\nO 0 0 0\nH 0.96 0 0\nH -0.24 0.93 0\n";
  std::filesystem::create_directories(dir.path() / "sub");
  dir.write("sub/water.xyz", xyz);
  IniVe(*app, (dir.path() / "sub\\water.xyz").string());  // folder sub, file water.xyz
  EXPECT_EQ(std::filesystem::current_path(), dir.path() / "sub");
  EXPECT_EQ(app->m.NAt, 3) << app->frm.Text3.text;

  std::filesystem::current_path(dir.path());
  dir.write("odd\\name.xyz", xyz);  // a file whose name holds a backslash
  auto again = newApp();
  IniVe(*again, (dir.path() / "odd\\name.xyz").string());
  EXPECT_EQ(std::filesystem::current_path(), dir.path());
  EXPECT_EQ(again->m.NAt, 3) << again->frm.Text3.text;
  auto missing = newApp();  // folders that are not there
  IniVe(*missing, "nowhere\\at\\all.xyz");
  EXPECT_EQ(missing->frm.Text4.text, "directory error");
}

TEST_F(StartupTest, StemWithoutCheckpointOpensTheChooser) {
  IniVe(*app, "job.ddr");
  EXPECT_TRUE(app->we1.visible);
  EXPECT_EQ(app->m.JobNam, "job");
  dir.write("job.fmu", "x");
  auto again = newApp();
  IniVe(*again, "job.ddr");
  EXPECT_FALSE(again->we1.visible);
  EXPECT_EQ(again->frm.Text1.text, "job.fmu");
}

TEST(CommandLineWords, WordsWithBlanksAreQuoted) {
  EXPECT_EQ(joinCommandLine({"a.xyz", "b.dd2"}), "a.xyz b.dd2");
  EXPECT_EQ(joinCommandLine({"/x/my dir/a.xyz"}), "\"/x/my dir/a.xyz\"");
}

TEST(Splash, VisibilityRules) {
  auto app = newApp();
  EXPECT_TRUE(app->frm.Tulan.visible);
  EXPECT_FALSE(app->frm.Text2.visible);
  kelwin_Click(*app);
  EXPECT_FALSE(app->frm.Tulan.visible);
  Tulan_Click(*app);
  EXPECT_FALSE(app->frm.kelwin.visible);
  EXPECT_TRUE(app->frm.Text1.visible && app->frm.Text2.visible && app->frm.Text3.visible);
  form_Click(*app);
  EXPECT_EQ(app->frm.Text4.text, "Who's that ? ");
  app->frm.Text4.text.clear();
  app->m.Sw(127) = -1;
  form_Click(*app);
  EXPECT_EQ(app->frm.Text4.text, "");
}

}  // namespace
}  // namespace kel::testing
