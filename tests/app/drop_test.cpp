// Kelvorin - desktop workbench for vibrational calculations.
#include "app/drop.hpp"
#include "testing.hpp"

namespace kel::testing {
namespace {
using Drop = FreshApp;

TEST(DroppedName, GoesToTheMatchingChooser) {
  for (const char* output :
       {"/data/run1/water.log", "C:\\calc\\WATER.OUT", "x.fchk", "x.FCH", "x.fmt", "x.fmv"})
    EXPECT_TRUE(isOutputName(output)) << output;
  // a point in a folder name only, no extension, ".log" inside the name
  for (const char* other :
       {"benzene.geo", "water.kel", "water.pdb", "/data/run.log/water", "water", "water.log.pdb"})
    EXPECT_FALSE(isOutputName(other)) << other;
}

TEST_F(Drop, StructureIsReadThroughTheStructurePathAnEmptyFileIsReported) {
  std::string file = dir.copy(fixture("geo/benzene_type.geo"));
  EXPECT_TRUE(openDroppedFile(*app, file));
  EXPECT_EQ(app->m.NAt, 12);
  EXPECT_FALSE(app->we1.visible);
  EXPECT_FALSE(app->busy);
  // an empty file is reported and no chooser stays open
  EXPECT_FALSE(openDroppedFile(*app, dir.write("empty.log", "")));
  EXPECT_FALSE(app->we2.visible);
  EXPECT_NE(app->frm.Text2.text.find("is empty"), std::string::npos) << app->frm.Text2.text;
}

TEST_F(Drop, IgnoredWhileAnOperationRunsOrABreakPointWaits) {
  std::string file = dir.copy(fixture("geo/benzene_type.geo"));
  app->busy = true;
  EXPECT_FALSE(openDroppedFile(*app, file));
  app->busy = false;
  app->m.Sw(112) = -1;
  EXPECT_FALSE(openDroppedFile(*app, file));
  EXPECT_EQ(app->m.Sw(112), -1);
  EXPECT_EQ(app->m.NAt, 0);
}

}  // namespace
}  // namespace kel::testing
