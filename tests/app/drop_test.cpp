// Kelvorin - desktop workbench for vibrational calculations.
#include "app/drop.hpp"
#include "testing.hpp"

namespace kel::testing {
namespace {
using Drop = FreshApp;

struct NameKind {
  const char* name;
  const char* file;
  bool output;
};

class DroppedName : public ::testing::TestWithParam<NameKind> {};

TEST_P(DroppedName, GoesToTheMatchingChooser) {
  EXPECT_EQ(isOutputName(GetParam().file), GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(
    Drop, DroppedName,
    ::testing::Values(NameKind{"Log", "/data/run1/water.log", true},
                      NameKind{"OutUpper", "C:\\calc\\WATER.OUT", true},
                      NameKind{"Fchk", "x.fchk", true}, NameKind{"Fch", "x.FCH", true},
                      NameKind{"Fmt", "x.fmt", true}, NameKind{"Fmv", "x.fmv", true},
                      NameKind{"Geo", "benzene.geo", false}, NameKind{"Kel", "water.kel", false},
                      NameKind{"Pdb", "water.pdb", false},
                      NameKind{"DotInFolderOnly", "/data/run.log/water", false},
                      NameKind{"NoExtension", "water", false},
                      NameKind{"LogInName", "water.log.pdb", false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Drop, StructureIsReadThroughTheStructurePath) {
  std::string file = dir.copy(fixture("geo/benzene_type.geo"));
  EXPECT_TRUE(openDroppedFile(*app, file));
  EXPECT_EQ(app->m.NAt, 12);
  EXPECT_FALSE(app->we1.visible);
  EXPECT_FALSE(app->busy);
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

TEST_F(Drop, EmptyFileIsReportedAndNoChooserStaysOpen) {
  std::string file = dir.write("empty.log", "");
  EXPECT_FALSE(openDroppedFile(*app, file));
  EXPECT_FALSE(app->we2.visible);
  EXPECT_NE(app->frm.Text2.text.find("is empty"), std::string::npos) << app->frm.Text2.text;
}

}  // namespace
}  // namespace kel::testing
