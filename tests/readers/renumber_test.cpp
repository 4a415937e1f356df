// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/renumber.hpp"

#include "readers/geometry_files.hpp"
#include "testing.hpp"

#include <array>

namespace kel::testing {
namespace {

using Fresh = FreshApp;

/// Four atoms C N O F at x = 1..4 with one mode, force constants and one bond, each value
/// telling which atom it belongs to.
void fourAtoms(App& app) {
  ModKel& m = app.m;
  m.NAt = 4;
  const int z[] = {6, 7, 8, 9};
  for (int i = 1; i <= 4; ++i) {
    setAtom(m, i, z[i - 1]);
    for (int k = 1; k <= 3; ++k) m.Xyz(i, k) = i + k / 10.0;
    for (int k = 1; k <= 3; ++k) m.ModeD(1, i, k) = i16(10 * i + k);
    for (int j = 1; j <= 4; ++j)
      for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l) m.Fcc(3 * i - 2 + k, 3 * j - 2 + l) = 100 * i + 10 * j + k;
  }
  m.NFrq = 1;
  bond(m, 1, 2);
}

struct RenCase {
  const char* name;
  const char* text;
  std::array<int, 4> order;  // old number of the atom that ends as 1..4
  const char* logPart;
  int done;
};

class Renumbering : public FreshApp, public ::testing::WithParamInterface<RenCase> {};

TEST_P(Renumbering, PermutesEveryPerAtomTable) {
  const RenCase& c = GetParam();
  fourAtoms(*app);
  std::string f = dir.write("ren.log", c.text);
  RenDef(*app, f, 4);
  const ModKel& m = app->m;
  EXPECT_EQ(app->erraCount, 0) << app->frm.Text4.text;
  EXPECT_NE(app->frm.Text2.text.find(c.logPart), std::string::npos) << app->frm.Text2.text;
  EXPECT_EQ(m.RenDone, c.done);
  const int z[] = {0, 6, 7, 8, 9};
  for (int i = 1; i <= 4; ++i) {
    int old = c.order[std::size_t(i - 1)];
    EXPECT_EQ(m.AtZ(i), z[old]) << "atom " << i;
    EXPECT_EQ(m.AtSym(i), m.ElSym(z[old]));
    EXPECT_DOUBLE_EQ(m.AtMas(i), m.ElMas(z[old]));
    EXPECT_DOUBLE_EQ(m.Xyz(i, 2), old + 0.2);
    EXPECT_EQ(m.ModeD(1, i, 3), 10 * old + 3);
    for (int j = 1; j <= 4; ++j) {
      int oldJ = c.order[std::size_t(j - 1)];
      EXPECT_DOUBLE_EQ(m.Fcc(3 * i - 1, 3 * j), 100 * old + 10 * oldJ + 1) << i << "," << j;
      EXPECT_EQ(m.Mpo(i, j), (old + oldJ == 3) ? 1 : 0);
    }
  }
}

// clang-format off
const RenCase Cases[] = {
  {"swap", "title\nrenum atoms\n1 2 0\n", {2, 1, 3, 4}, "command: renum atoms  1\n 1 renum definitions has been read", 1},
  {"reverse_swap", "reverse renum atoms\n1 2 0\n", {2, 1, 3, 4}, "command: reverse renum atoms  1", 1},
  {"cycle", "renum atoms\n1 2\n2 3\n3 1\n0\n", {3, 1, 2, 4}, " 3 renum definitions has been read", 1},
  {"cycle_reverse", "RENUM ATOMS REVERSE\n1 2, 2 3, 3 1, 0\n", {2, 3, 1, 4}, " 3 renum definitions", 1},
  {"numbers_on_the_key_line_ignored", "renum atoms 3 4\n1,2,0\n", {2, 1, 3, 4}, " 1 renum definitions", 1},
  {"leading_zero_skipped", "renum atoms\n0 1 2 0\n", {2, 1, 3, 4}, " 1 renum definitions", 1},
  {"two_blocks_undo", "renum atoms\n1 2 0\nx\nrenum atoms\n2 1 0\n", {1, 2, 3, 4}, "command: renum atoms  2", 1},
  {"out_of_range", "renum atoms\n1 5 0\n", {1, 2, 3, 4}, "error in numbering:  1 5", 0},
  {"atom_zero", "renum atoms\n3 0 0\n", {1, 2, 3, 4}, "error in numbering:  3 0", 0},
  {"duplicate_positions", "renum atoms\n1 2 3 2 0\n", {1, 2, 3, 4}, " 2 renum definitions has been read\nerror in numbering:  1 3", 0},
  {"no_pairs", "renum atoms\n0 0 0 0 0\n", {1, 2, 3, 4}, "command: renum atoms  1 ... renum ignored", 0},
  {"later_block_still_read", "renum atoms\n9 1 0\nrenum atoms\n3 4 0\n", {1, 2, 4, 3}, "error in numbering:  9 1", 1},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Blocks, Renumbering, ::testing::ValuesIn(Cases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Scaling, FactorShiftAndSwitch) {
  struct Row {
    const char* line;
    double factor, shift;
    const char* logLine;  // "" when nothing is scaled
  } rows[] = {
      {"frequency scaling factor =  .98*x + 10", 0.98, 10,
       "frequency scaling factor =  .98*x + 10"},
      {"Scaling Factor = 1.02 x - 5.5", 1.02, -5.5, "frequency scaling factor =  1.02*x - 5.5"},
      {"scaling factor = 0.97", 0, 0.97, "frequency scaling factor =  0*x + .97"},
      {"nothing to scale", 0, 0, ""}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.line);
    TempDir dir;
    auto app = newApp();
    fourAtoms(*app);
    app->m.Sw(114) = -1;  // left on by an earlier file
    RenDef(*app, dir.write("s.log", std::string("head\n") + r.line + "\n"), 4);
    EXPECT_DOUBLE_EQ(app->m.Par(15), r.factor);
    EXPECT_DOUBLE_EQ(app->m.Par(16), r.shift);
    EXPECT_EQ(app->m.Sw(114) != 0, *r.logLine != '\0');
    const auto& log = app->frm.Text2.text;
    EXPECT_TRUE(!*r.logLine || log.find(r.logLine) != std::string::npos) << log;
    EXPECT_TRUE(*r.logLine || log.find("scaling") == std::string::npos) << log;
  }
}

TEST(RenFt, ExchangesRowsAndColumnsOfTwoAtoms) {
  auto app = newApp();
  auto& f = app->m.Fcc;
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) f(i, j) = 10 * i + j;
  RenFt(*app, f, 2, 1, 2);
  EXPECT_DOUBLE_EQ(f(1, 1), 44);
  EXPECT_DOUBLE_EQ(f(1, 4), 41);
  EXPECT_DOUBLE_EQ(f(6, 3), 36);
  EXPECT_DOUBLE_EQ(f(2, 6), 53);
}

TEST_F(Fresh, RenumberAfterReadStructureFileRenumbersAndListsAgain) {
  std::string f = dir.write("co.geo",
                            "t orient\n  X  Y  Z\n  1  6  0.0  0.0  0.0\n  2  8  1.2  0.0  0.0\n"
                            "\nrenum atoms\n1 2 0\n");
  fmtGeo(*app, f);
  ASSERT_EQ(app->m.NAt, 2);
  EXPECT_EQ(app->m.AtZ(1), 8);
  EXPECT_NEAR(app->m.Xyz(1, 1), 0.6, 1e-12);
  EXPECT_NEAR(app->m.XyzOld(1, 1), 0.6, 1e-12);
  EXPECT_EQ(app->m.RenDone, 1);
  EXPECT_NE(app->frm.Text2.text.find("\n  1   8   O    0.600000"), std::string::npos);
}

TEST_F(Fresh, RenDefThousandsOfBlocksStopAfterTheHundredth) {
  // each block swaps atoms 1 and 2: a hundred of them leave the order as it was
  std::string text;
  for (int k = 0; k < 1000; ++k) text += "renum atoms\n1 2 0\n";
  fourAtoms(*app);
  std::string f = dir.write("many.log", text);
  RenDef(*app, f, 4);
  EXPECT_TRUE(app->readFailed);
  EXPECT_EQ(app->frm.Text3.text, f + "  more than 100 renumbering blocks: the rest is not applied");
  EXPECT_EQ(app->m.AtZ(1), 6);
  EXPECT_EQ(app->m.AtZ(2), 7);
}

}  // namespace
}  // namespace kel::testing
