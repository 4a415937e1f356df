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

// clang-format off
const NameKind DroppedNameRows[] = {
  {"Log", "/data/run1/water.log", true}, {"OutUpper", "C:\\calc\\WATER.OUT", true},
  {"Fchk", "x.fchk", true}, {"Fch", "x.FCH", true}, {"Fmt", "x.fmt", true}, {"Fmv", "x.fmv", true},
  {"Geo", "benzene.geo", false}, {"Kel", "water.kel", false}, {"Pdb", "water.pdb", false},
  {"DotInFolderOnly", "/data/run.log/water", false}, {"NoExtension", "water", false},
  {"LogInName", "water.log.pdb", false},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Drop, DroppedName, ::testing::ValuesIn(DroppedNameRows),
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
