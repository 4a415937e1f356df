// Kelvorin - desktop workbench for vibrational calculations.
#include "testing.hpp"
#include "writers/gaussian_job.hpp"
#include "writers/pdb_export.hpp"

#include <map>

namespace kel::testing {
namespace {

using FreeName = FreshApp;

void oneAtom(App& app) {
  app.m.NAt = 1;
  setAtom(app.m, 1, 6);
  app.m.NDof(1) = 1;
  app.m.FilNam = "mol";
}

void runExport(App& app, const std::string& ext) {
  if (ext == ".gjf")
    CreateGjf(app);
  else
    PdbExp(app);
}

bool isNewExport(const std::string& text, const std::string& ext) {
  return text.rfind(ext == ".gjf" ? "%nproc=1\n" : "HEADER\n", 0) == 0;
}

/// Every file of the folder with its content.
std::map<std::string, std::string> folder(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (auto& e : fs::directory_iterator(dir))
    if (e.path().filename() != "skrK.log") files[e.path().filename().string()] = slurp(e.path());
  return files;
}

struct FreeNameRow {
  const char* name;
  const char* ext;
  std::vector<std::string> existing;  // numbers after "mol" ("" = the target itself)
  const char* movedTo;                // "" when nothing moves
};

class FreeNameRule : public FreshApp, public ::testing::WithParamInterface<FreeNameRow> {};

TEST_P(FreeNameRule, NeverOverwritesAndLogsTheRename) {
  const auto& row = GetParam();
  oneAtom(*app);
  std::map<std::string, std::string> before;
  for (const auto& k : row.existing) {
    std::string name = "mol" + k + row.ext;
    std::string content = k == "empty" ? "" : "older " + name + "\n";
    if (k == "empty") name = std::string("mol") + row.ext;
    dir.write(name, content);
    before[name] = content;
  }
  runExport(*app, row.ext);
  auto after = folder(dir.path());
  std::string target = std::string("mol") + row.ext;
  ASSERT_TRUE(after.count(target));
  EXPECT_TRUE(isNewExport(after[target], row.ext));
  // Every older file is still there with its content: under its name, or moved.
  for (auto& [name, content] : before) {
    if (name == target) {
      ASSERT_TRUE(after.count(row.movedTo)) << row.movedTo;
      EXPECT_EQ(after[row.movedTo], content);
    } else {
      EXPECT_EQ(after[name], content) << name;
    }
  }
  EXPECT_EQ(after.size(), before.size() + 1);  // the new export, nothing lost
  std::string log = app->frm.Text2.text;
  std::string renamed = std::string("Old file renamed as ") + row.movedTo;
  if (*row.movedTo)
    EXPECT_NE(log.find(renamed), std::string::npos) << log;
  else
    EXPECT_EQ(log.find("Old file renamed as"), std::string::npos) << log;
  EXPECT_EQ(app->erraCount, 0) << app->frm.Text4.text;
}

INSTANTIATE_TEST_SUITE_P(
    Exports, FreeNameRule,
    ::testing::Values(FreeNameRow{"gjf_free", ".gjf", {}, ""},
                      FreeNameRow{"gjf_taken", ".gjf", {""}, "mol1.gjf"},
                      FreeNameRow{"gjf_taken_and_1", ".gjf", {"", "1"}, "mol2.gjf"},
                      FreeNameRow{"gjf_first_gap", ".gjf", {"", "2"}, "mol1.gjf"},
                      FreeNameRow{"gjf_other_numbers_only", ".gjf", {"1", "2"}, ""},
                      FreeNameRow{"pdb_free", ".pdb", {}, ""},
                      FreeNameRow{"pdb_taken", ".pdb", {""}, "mol1.pdb"},
                      FreeNameRow{"pdb_taken_1_2", ".pdb", {"", "1", "2"}, "mol3.pdb"},
                      FreeNameRow{"pdb_empty_file_kept", ".pdb", {"empty"}, "mol1.pdb"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(FreeName, TheGjfRenameIsLoggedOnALineOfItsOwn) {
  oneAtom(*app);
  dir.write("mol.gjf", "mine\n");
  tekst(*app, "before");
  CreateGjf(*app);
  auto lines = linesOf(app->frm.Text2.text);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "Old file renamed as mol1.gjf");
  EXPECT_EQ(lines[2], "saved as file mol.gjf");
}

TEST_F(FreeName, ThreePdbExportsKeepTheNewestUnderThePlainName) {
  oneAtom(*app);
  for (int k = 1; k <= 3; ++k) {
    app->m.Xyz(1, 1) = k;
    PdbExp(*app);
  }
  auto x = [&](const char* name) { return linesOf(slurp(dir.path() / name))[2].substr(28, 9); };
  EXPECT_EQ(x("mol.pdb"), "    3.000");
  EXPECT_EQ(x("mol1.pdb"), "    1.000");
  EXPECT_EQ(x("mol2.pdb"), "    2.000");
}

// The structure read from mol.gjf or mol.pdb is never moved by its own export.
class ExportOfTheInput : public ::testing::TestWithParam<const char*> {};

TEST_P(ExportOfTheInput, LeavesTheInputAndWritesTheNextFreeName) {
  std::string ext = GetParam();
  for (bool byTextBox : {false, true}) {
    TempDir dir;
    auto app = newApp();
    oneAtom(*app);
    std::string input = dir.write("mol" + ext, "the user's own input\n");
    dir.write("mol1" + ext, "an older export\n");
    if (byTextBox)
      app->frm.Text1.text = input;
    else
      app->m.GeoFile = input;
    runExport(*app, ext);
    EXPECT_EQ(slurp(dir.path() / ("mol" + ext)), "the user's own input\n");
    EXPECT_EQ(slurp(dir.path() / ("mol1" + ext)), "an older export\n");
    EXPECT_TRUE(isNewExport(slurp(dir.path() / ("mol2" + ext)), ext));
    std::string log = app->frm.Text2.text;
    EXPECT_EQ(log.find("Old file renamed as"), std::string::npos) << log;
    std::string line = ext == ".gjf" ? "saved as file mol2.gjf" : "eksport PDB plik mol2.pdb";
    EXPECT_NE(log.find(line), std::string::npos) << log;
  }
}

INSTANTIATE_TEST_SUITE_P(Exports, ExportOfTheInput, ::testing::Values(".gjf", ".pdb"),
                         [](const auto& row) { return std::string(row.param + 1); });

}  // namespace
}  // namespace kel::testing
