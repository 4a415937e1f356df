// Kelvorin - desktop workbench for vibrational calculations.
#include "app/batch.hpp"
#include "readers/gaussian_output.hpp"
#include "testing.hpp"

#include <sstream>

namespace kel::testing {
namespace {

using BatchExports = FreshApp;

constexpr std::string_view Water =
    "3\nwater\nO 0.000000 0.000000 0.117300\nH 0.000000 0.757200 -0.469200\n"
    "H 0.000000 -0.757200 -0.469200\n";

struct Batch {
  BatchOptions options;
  std::ostringstream out, err;
  BatchHooks hooks;
  BatchContext ctx{options, out, err, hooks};
  bool run(App& app, const char* option) {
    bool ok = true;
    EXPECT_TRUE(batchExports(app, {option, ""}, ctx, ok)) << option;
    return ok;
  }
};

TEST_F(BatchExports, ListScratchPrintsTheListAndTouchesNothing) {
  app->m.Sw(124) = 0;
  dir.write("skrK.mpo", "m\n");
  dir.write("skrK.dd2", "d\n");
  dir.write("skrK.geo", "");  // empty: not listed, and not deleted either
  Batch b;
  EXPECT_TRUE(b.run(*app, "--list-scratch"));
  EXPECT_EQ(b.out.str(), "Files_to_be_erased:\n  skrK.dd2   skrK.mpo \n");
  EXPECT_TRUE(fs::exists(dir.path() / "skrK.geo"));
  EXPECT_TRUE(fs::exists(dir.path() / "skrK.mpo"));
  EXPECT_TRUE(app->frm.visible);
}

TEST_F(BatchExports, EraseRemovesEveryListedScratchFileAndNothingElse) {
  app->m.Sw(124) = 0;
  for (const char* n : {"skrK.mpo", "skrK.dd2", "skrK-8.dd2", "skrK-9.dd2", "water.xyz"})
    dir.write(n, "x\n");
  Batch b;
  EXPECT_TRUE(b.run(*app, "--erase"));
  EXPECT_FALSE(fs::exists(dir.path() / "skrK.mpo"));
  EXPECT_FALSE(fs::exists(dir.path() / "skrK.dd2"));
  EXPECT_FALSE(fs::exists(dir.path() / "skrK-8.dd2"));
  EXPECT_TRUE(fs::exists(dir.path() / "skrK-9.dd2"));
  EXPECT_TRUE(fs::exists(dir.path() / "water.xyz"));
  EXPECT_FALSE(app->exitDlg.endProgram);
  EXPECT_TRUE(app->frm.visible);
  EXPECT_TRUE(b.run(*app, "--erase"));  // nothing left: no error either
}

TEST_F(BatchExports, OtherOptionsAreNotTheirs) {
  Batch b;
  bool ok = true;
  EXPECT_FALSE(batchExports(*app, {"--ic", ""}, b.ctx, ok));
  EXPECT_TRUE(ok);
}

TEST_F(BatchExports, PdbAndGjfAreWrittenNextToTheFile) {
  fs::create_directory(dir.path() / "in");
  std::string file = dir.write("in/water.xyz", Water);
  BatchOptions o;
  ASSERT_TRUE(parseBatch({"--pdb", file, "--gjf"}, o));
  std::ostringstream out, err;
  EXPECT_EQ(runBatch(o, out, err), 0) << out.str() << err.str();
  auto pdb = linesOf(slurp(dir.path() / "in" / "water.pdb"));
  ASSERT_EQ(pdb.size(), 9u) << out.str();
  EXPECT_EQ(pdb[2].substr(0, 14), "HETATM    1  O");
  EXPECT_EQ(linesOf(slurp(dir.path() / "in" / "water.gjf")).size(), 11u);
  EXPECT_EQ(slurp(file), Water);
  std::string log = out.str();
  EXPECT_NE(log.find("eksport PDB plik "), std::string::npos) << log;
  EXPECT_NE(log.find("saved as file "), std::string::npos) << log;
}

}  // namespace
}  // namespace kel::testing
