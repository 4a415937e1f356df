// Kelvorin - desktop workbench for vibrational calculations.
#include "app/exit_dialog.hpp"
#include "app/dispatcher.hpp"
#include "testing.hpp"

namespace kel::testing {
namespace {

constexpr const char* Head = "Files_to_be_erased:\r\n";

/// A fresh program in a fresh folder; logging to "skrK.log" is off so that only the files
/// a test makes are there.
struct Scene {
  TempDir dir;
  std::unique_ptr<App> app = newApp();
  Scene() { app->m.Sw(124) = 0; }
  void make(std::initializer_list<const char*> names) const {
    for (const char* n : names) dir.write(n, "x\n");
  }
  bool has(const char* name) const { return fs::exists(dir.path() / name); }
  KeExit& dlg() const { return app->exitDlg; }
};

/// The scene as the fixture of a test.
class SceneTest : public ::testing::Test, protected Scene {};
using Filek = SceneTest;
using ExitDialog = SceneTest;

TEST_F(Filek, NoScratchFileEndsTheProgramAsOnlyExit) {
  make({"water.xyz"});
  ibut_Click(*app, 7);
  EXPECT_FALSE(dlg().visible);
  EXPECT_TRUE(dlg().endProgram);
  EXPECT_FALSE(app->frm.visible);
  EXPECT_EQ(dlg().lastIndex, -1);
  EXPECT_EQ(dlg().Fi.text, Head);
  EXPECT_TRUE(has("water.xyz"));
}

struct ListRow {
  const char* name;
  std::vector<const char*> files;
  const char* text;  // after the head line
  int lastIndex;
};

class FilekList : public ::testing::TestWithParam<ListRow> {};

TEST_P(FilekList, ListsFourToALine) {
  const auto& row = GetParam();
  Scene s;
  for (const char* f : row.files) s.make({f});
  ibut_Click(*s.app, 7);
  EXPECT_TRUE(s.dlg().visible);
  EXPECT_FALSE(s.dlg().endProgram);
  EXPECT_FALSE(s.app->frm.visible);
  EXPECT_EQ(s.dlg().Fi.text, std::string(Head) + row.text);
  EXPECT_EQ(s.dlg().lastIndex, row.lastIndex);
  EXPECT_EQ(s.dlg().editMode, 1);
  EXPECT_EQ(s.dlg().Fi.backColour, rgb(192, 192, 192));
}

// clang-format off
const ListRow FilekListRows[] = {
  {"one", {"skrK.log"}, "  skrK.log ", 76},
  {"four", {"skrK.qq", "askrK.dd2", "skrK-3.txt", "skrK.mpo"}, " askrK.dd2  skrK-3.txt   skrK.mpo    skrK.qq \r\n", 85},
  {"five_starts_a_second_line", {"askrK.dd2", "skrK.dd2", "skrK.vd", "skrK.geo", "skrK.bb"}, " askrK.dd2   skrK.dd2    skrK.vd   skrK.geo \r\n   skrK.bb ", 81},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Files, FilekList, ::testing::ValuesIn(FilekListRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(Filek, AnEmptyScratchFileIsDeletedAndNotListed) {
  dir.write("skrK.geo", "");
  make({"skrK.txt"});
  ibut_Click(*app, 7);
  EXPECT_EQ(dlg().Fi.text, std::string(Head) + "  skrK.txt ");
  EXPECT_FALSE(has("skrK.geo"));
}

TEST_F(ExitDialog, ExitAndEraseAsFilledErasesEveryListedFileAndNothingElse) {
  make({"skrK.dd2", "eskrK.dd2", "skrK.mpo", "skrK.geo", "skrK.xyz", "water.xyz"});
  app->obr.visible = app->we1.visible = app->frq.visible = true;
  ibut_Click(*app, 7);
  make({"skrK.bb"});  // made after the list was filled
  Bu_Click(*app, 0);
  for (const char* gone : {"skrK.dd2", "eskrK.dd2", "skrK.mpo", "skrK.geo"})
    EXPECT_FALSE(has(gone)) << gone;
  EXPECT_TRUE(has("skrK.bb"));
  EXPECT_TRUE(has("skrK.xyz"));
  EXPECT_TRUE(has("water.xyz"));
  EXPECT_TRUE(dlg().endProgram);
  EXPECT_FALSE(dlg().visible);
  EXPECT_FALSE(app->obr.visible || app->we1.visible || app->frq.visible);
  EXPECT_FALSE(app->frm.visible);
}

struct EditRow {
  const char* name;
  const char* remove;  // text struck from the list (nullptr: all of it)
  std::vector<const char*> kept;
};

class EditedList : public ::testing::TestWithParam<EditRow> {};

TEST_P(EditedList, KeepsTheFilesWhoseNamesWereStruck) {
  const auto& row = GetParam();
  Scene s;
  std::vector<const char*> all = {"skrK.dd2", "skrK.mpo", "sskrK.mpo", "skrK.geo", "skrK.log"};
  for (const char* f : all) s.make({f});
  ibut_Click(*s.app, 7);
  auto& text = s.dlg().Fi.text;
  auto p = row.remove ? text.find(row.remove) : 0;
  ASSERT_NE(p, std::string::npos) << text;
  text.erase(p, row.remove ? std::string_view(row.remove).size() : text.size());
  Fi_Change(*s.app);
  EXPECT_EQ(s.dlg().editMode, -1);
  EXPECT_EQ(s.dlg().Fi.backColour, rgb(255, 255, 255));
  Bu_Click(*s.app, 0);
  for (const char* f : all) {
    bool kept = std::find_if(row.kept.begin(), row.kept.end(), [&](const char* k) {
                  return std::string_view(k) == f;
                }) != row.kept.end();
    EXPECT_EQ(s.has(f), kept) << f;
  }
}

// clang-format off
const EditRow EditedListRows[] = {
  {"whole_name", " skrK.mpo ", {"skrK.mpo"}}, {"part_of_a_name", "skrK.mp", {"skrK.mpo"}},
  {"name_without_its_blanks", "skrK.log", {"skrK.log"}},
  {"prefix_letters_only", "ss", {"sskrK.mpo"}}, {"nothing_that_matters", "Files_", {}},
  {"a_whole_line", "  skrK.dd2   skrK.geo   skrK.log   skrK.mpo \r\n", {"skrK.dd2", "skrK.geo", "skrK.log", "skrK.mpo"}},
  {"all_text", nullptr, {"skrK.dd2", "skrK.mpo", "sskrK.mpo", "skrK.geo", "skrK.log"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Strike, EditedList, ::testing::ValuesIn(EditedListRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(ExitDialog, ANameAtTheVeryEndOfTheTextStillCounts) {
  make({"skrK.mpo"});
  ibut_Click(*app, 7);
  auto& text = dlg().Fi.text;
  text.pop_back();  // the blank after the last name
  Fi_Change(*app);
  Bu_Click(*app, 0);
  EXPECT_FALSE(has("skrK.mpo"));
}

TEST(ExitDialogButtons, CancelErasesNothingOnlyEraseErasesBothGoOn) {
  for (auto [button, erased] : {std::pair{3, false}, {2, true}}) {
    SCOPED_TRACE(button);
    Scene s;
    s.make({"skrK.dd2", "skrK.mpo"});
    ibut_Click(*s.app, 7);
    Bu_Click(*s.app, button);
    EXPECT_EQ(s.has("skrK.dd2"), !erased);
    EXPECT_EQ(s.has("skrK.mpo"), !erased);
    EXPECT_TRUE(s.app->frm.visible);
    EXPECT_FALSE(s.dlg().visible);
    EXPECT_FALSE(s.dlg().endProgram);
    EXPECT_EQ(s.app->erraCount, 0);
  }
}

TEST_F(ExitDialog, ErrorsGoToTheDialogsOwnMessageLine) {
  KeExit_erra(*app, "FiFi", 75);
  EXPECT_EQ(dlg().Text4.text, "1: FiFi ERROR 75  Path/File access error   ");
  EXPECT_TRUE(dlg().Text4.visible);
  EXPECT_TRUE(app->frm.Text4.text.empty());
}

}  // namespace
}  // namespace kel::testing
