// Kelvorin - desktop workbench for vibrational calculations.
#include "molecules.hpp"

#include "app/batch.hpp"
#include "topology/connections.hpp"

#include <sstream>

namespace kel::testing {
namespace {

using BatchIc = FreshApp;
using BatchMpo = FreshApp;

struct BatchRun {
  BatchOptions options;
  BatchHooks hooks;
  std::ostringstream out, err;
  BatchContext ctx{options, out, err, hooks};

  bool run(App& app, const std::string& option, const std::string& value = {}) {
    bool ok = true;
    EXPECT_TRUE(batchTopology(app, {option, value}, ctx, ok));
    return ok;
  }
};

TEST_F(BatchIc, GeneratesAfterAStarBuildAndPrintsOneLinePerCoordinate) {
  loadMolecule(*app, water(), (dir.path() / "water").string());
  mpoDef(*app, "*");  // as a read ends: no coordinates yet
  ASSERT_FALSE(app->m.IcFresh);
  BatchRun b;
  EXPECT_TRUE(b.run(*app, "--ic"));
  EXPECT_EQ(b.out.str(),
            "  1  STRE  1 3  0.957776\n"
            "  2  STRE  1 2  0.957776\n"
            "  3  BEND  2 1 3  104.4798\n");
  EXPECT_TRUE(hasLine(*app, "end of data input"));
}

TEST_F(BatchIc, PrintsTheFreshSetWithoutGeneratingAgain) {
  loadMolecule(*app, ethane(), (dir.path() / "ethane").string());
  mpoDef(*app);
  app->frm.Text2.text.clear();
  BatchRun b;
  EXPECT_TRUE(b.run(*app, "--ic"));
  EXPECT_TRUE(app->frm.Text2.text.empty());
  auto lines = linesOf(b.out.str());
  ASSERT_EQ(lines.size(), 18u);
  // 7 stretches, then bends, the two methyl out-of-plane coordinates (atoms centre last),
  // then torsions
  EXPECT_EQ(lines[0].substr(0, 10), "  1  STRE ");
  EXPECT_EQ(lines[6].substr(0, 10), "  7  STRE ");
  EXPECT_EQ(lines[6].substr(10, 6), " 1 2  ");  // C-C: both counts 4, the largest key; C1
                                                // is placed after C2 and owns the bond
  EXPECT_EQ(lines[6].substr(16), "1.535000");
  EXPECT_EQ(lines[17].substr(0, 11), "  18  TORS ");
  int outs = 0;
  for (const auto& l : lines)
    if (l.find("  OUT   ") != std::string::npos) ++outs;
  EXPECT_EQ(outs, 2);
}

TEST_F(BatchIc, TorsionShowsTheValueOfTors) {
  // H-C-C-H anti in ethane reads about -180, never +180
  loadMolecule(*app, ethane(), (dir.path() / "ethane").string());
  mpoDef(*app);
  auto& m = app->m;
  for (int r = 1; r <= m.IcRows; ++r)
    if (m.IcTab(r, 5) == IcTors) {
      double v = icValue(m, r);
      EXPECT_LE(v, 90.0);
      EXPECT_GT(v, -270.0);
    }
}

TEST_F(BatchMpo, ReadsTheFileAsTheConnectionFileAfterBackingUpTheWorkingOne) {
  loadMolecule(*app, water(), (dir.path() / "water").string());
  dir.write("skrK.mpo", "previous\n");
  std::string file =
      dir.write("in.mpo", " 2 . O 1 : H 2 , H 3 \n 1 . H 2 : O 1 \n 1 . H 3 : O 1 \n");
  app->m.Sw(17) = -1;
  BatchRun b;
  EXPECT_TRUE(b.run(*app, "--mpo", file));
  EXPECT_EQ(slurp("sskrK.mpo"), "previous\n");
  EXPECT_TRUE(hasLine(*app, "MPO from file.. " + file));
  EXPECT_EQ(app->m.Sw(17), 0);
  EXPECT_EQ(app->m.Sw(18), 0);
  EXPECT_EQ(app->m.MpoNam, "skrK.mpo");
  EXPECT_TRUE(app->obr.visible);
  EXPECT_EQ(app->m.IcRows, 3);
}

TEST_F(BatchMpo, MissingFileFailsButDerivesTheMatrix) {
  loadMolecule(*app, water(), (dir.path() / "water").string());
  BatchRun b;
  std::string file = (dir.path() / "none.mpo").string();
  EXPECT_FALSE(b.run(*app, "--mpo", file));
  EXPECT_TRUE(hasLine(*app, file + " MPO file not found"));
  EXPECT_NE(app->m.Sw(18), 0);
}

TEST(BatchTopology, OtherOptionsAreNotTaken) {
  auto app = newApp();
  BatchRun b;
  bool ok = true;
  EXPECT_FALSE(batchTopology(*app, {"--pdb", ""}, b.ctx, ok));
}

}  // namespace
}  // namespace kel::testing
