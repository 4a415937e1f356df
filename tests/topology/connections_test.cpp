// Kelvorin - desktop workbench for vibrational calculations.
#include "molecules.hpp"

#include "topology/connections.hpp"

namespace kel::testing {
namespace {

// ------------------------------------------------------------------ limit tables

struct PairRow {
  const char* name;
  int z1, z2;
  double r;
  int k;       // tolerance step (bond test only)
  int expect;  // 1 bonded / near
};

/// Two atoms on the x axis, r apart.
void twoAtoms(App& app, int z1, int z2, double r) {
  loadMolecule(app, {{z1, 0.0, 0.0, 0.0}, {z2, r, 0.0, 0.0}});
}

class BondTest : public ::testing::TestWithParam<PairRow> {};

TEST_P(BondTest, LimitEdge) {
  auto app = newApp();
  const auto& p = GetParam();
  twoAtoms(*app, p.z1, p.z2, p.r);
  i16 bonded = -5;
  JWmA(*app, 1, 2, p.k, bonded);
  EXPECT_EQ(bonded, p.expect);
  JWmA(*app, 2, 1, p.k, bonded);  // the heavier atom first gives the same answer
  EXPECT_EQ(bonded, p.expect);
}

// clang-format off
const PairRow BondTestRows[] = {
  {"HH_never", 1, 1, 0.74, 0, 0}, {"HD_never", 1, 2, 0.50, 10, 0}, {"DD_never", 2, 2, 0.30, 0, 0},
  {"CH_120", 6, 1, 1.20, 0, 1}, {"CH_121", 6, 1, 1.21, 0, 0}, {"NH_120", 1, 7, 1.20, 0, 1},
  {"OD_121", 2, 8, 1.21, 0, 0}, {"BH_169", 1, 5, 1.69, 0, 1}, {"FH_170", 9, 1, 1.70, 0, 0},
  {"SiH_169", 14, 1, 1.69, 0, 1}, {"CC_189", 6, 6, 1.89, 0, 1}, {"CC_190", 6, 6, 1.90, 0, 0},
  {"NO_189", 7, 8, 1.89, 0, 1}, {"CF_209", 6, 9, 2.09, 0, 1}, {"CF_210", 6, 9, 2.10, 0, 0},
  {"BC_209", 5, 6, 2.09, 0, 1}, {"NeNe_210", 10, 10, 2.10, 0, 0}, {"CSi_239", 6, 14, 2.39, 0, 1},
  {"CSi_240", 6, 14, 2.40, 0, 0}, {"FNa_239", 9, 11, 2.39, 0, 1}, {"NeNa_269", 10, 11, 2.69, 0, 1},
  {"SiSi_269", 14, 14, 2.69, 0, 1}, {"SiSi_270", 14, 14, 2.70, 0, 0},
  {"CC_237_k10", 6, 6, 2.37, 10, 1}, {"CC_238_k10", 6, 6, 2.38, 10, 0},
  {"CH_151_k10", 6, 1, 1.51, 10, 1}, {"CH_152_k10", 6, 1, 1.52, 10, 0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Limits, BondTest, ::testing::ValuesIn(BondTestRows),
                         [](const auto& p) { return std::string(p.param.name); });

class ContactTest : public ::testing::TestWithParam<PairRow> {};

TEST_P(ContactTest, LimitEdge) {
  auto app = newApp();
  const auto& p = GetParam();
  twoAtoms(*app, p.z1, p.z2, p.r);
  i16 near = -5;
  JWmG(*app, 2, 1, 0.0, near);  // the test measures the distance
  EXPECT_EQ(near, p.expect);
  JWmG(*app, 1, 2, p.r, near);  // the caller's distance
  EXPECT_EQ(near, p.expect);
}

// clang-format off
const PairRow ContactTestRows[] = {
  {"HH_never", 1, 1, 1.0, 0, 0}, {"HO_259", 1, 8, 2.59, 0, 1}, {"HO_260", 8, 1, 2.60, 0, 0},
  {"HN_259", 7, 1, 2.59, 0, 1}, {"HC_279", 6, 1, 2.79, 0, 1}, {"HC_280", 6, 1, 2.80, 0, 0},
  {"DCl_279", 2, 17, 2.79, 0, 1}, {"CC_269", 6, 6, 2.69, 0, 1}, {"CC_270", 6, 6, 2.70, 0, 0},
  {"OO_269", 8, 8, 2.69, 0, 1}, {"FF_304", 9, 9, 3.04, 0, 1}, {"CO_304", 6, 8, 3.04, 0, 1},
  {"CO_305", 6, 8, 3.05, 0, 0}, {"CS_324", 6, 16, 3.24, 0, 1}, {"CS_325", 6, 16, 3.25, 0, 0},
  {"ClCl_349", 17, 17, 3.49, 0, 1}, {"ClCl_350", 17, 17, 3.50, 0, 0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Limits, ContactTest, ::testing::ValuesIn(ContactTestRows),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(ContactTest, GivenDistanceIsUsedAsGiven) {
  auto app = newApp();
  twoAtoms(*app, 8, 1, 5.0);
  i16 near = 0;
  JWmG(*app, 1, 2, 2.0, near);
  EXPECT_EQ(near, 1);
}

// ------------------------------------------------------------------ derivation and file

using Derivation = FreshApp;

/// Ethane numbered C1, H2, H3, H4, C5, H6, H7, H8.
Molecule ethaneC1C5() {
  Molecule e = ethane();
  return {e[0], e[2], e[3], e[4], e[1], e[5], e[6], e[7]};
}

TEST_F(Derivation, StarWritesThePrintFormAndSavesItUnderTheStructuresNameKeepingTheOld) {
  std::string stem = (dir.path() / "ethane").string();
  loadMolecule(*app, ethaneC1C5(), stem);
  mpoDef(*app, "*");
  const std::string file =
      " 4 . C 1 : H 2 , H 3 , H 4 , C 5 \n 4 . C 5 : C 1 , H 6 , H 7 , H 8 \n"
      " 1 . H 3 : C 1 \n 1 . H 4 : C 1 \n 1 . H 2 : C 1 \n 1 . H 6 : C 5 \n"
      " 1 . H 7 : C 5 \n 1 . H 8 : C 5 \n";
  EXPECT_EQ(slurp("skrK.mpo"), file);
  auto& m = app->m;
  int order[] = {1, 5, 3, 4, 2, 6, 7, 8}, counts[] = {4, 4, 1, 1, 1, 1, 1, 1};
  for (int p = 1; p <= 8; ++p) {
    EXPECT_EQ(m.MpoOrd(p), order[p - 1]) << p;
    EXPECT_EQ(m.NBond(p), counts[p - 1]) << p;
  }
  EXPECT_NE(m.Sw(19), 0);
  EXPECT_NE(m.Sw(18), 0);
  EXPECT_EQ(slurp(stem + ".mpo"), file);  // saved without coordinates
  EXPECT_FALSE(fileExists("sskrK.mpo"));
  EXPECT_EQ(m.IcRows, 0);
  EXPECT_FALSE(m.IcFresh);
  EXPECT_EQ(m.MpoNam, "skrK.mpo");
  EXPECT_EQ(app->frm.Text2.text,
            "connection matrix MPO has been created: file skrK.mpo\n"
            " 4 . C 1 : H 2 , H 3 , H 4 , C 5 \n 4 . C 5 : C 1 , H 6 , H 7 , H 8 \n"
            "copy skrK.mpo --> " +
                stem + ".mpo");
  // again: the file there is kept as the backup first
  dir.write("ethane.mpo", "old matrix\n");
  mpoDef(*app, "*");
  EXPECT_EQ(slurp("sskrK.mpo"), "old matrix\n");
  EXPECT_EQ(slurp(stem + ".mpo"), file);
  EXPECT_TRUE(hasLine(*app, "copy " + stem + ".mpo --> sskrK.mpo"));
}

TEST_F(Derivation, DoubleStarIsQuietAndKeepsNothing) {
  loadMolecule(*app, cyclicWaterDimer(), (dir.path() / "dimer").string());
  mpoDef(*app, "**");
  EXPECT_EQ(app->frm.Text2.text,
            "connection matrix MPO has been created: file skrK.mpo\nintermolecular bonds\n"
            "O 1 , H 6 \nH 2 , O 4 ");
  EXPECT_FALSE(fileExists((dir.path() / "dimer.mpo").string()));
  EXPECT_EQ(app->m.IcRows, 0);
  EXPECT_NE(app->m.Sw(19), 0);
}

TEST_F(Derivation, TwoWatersGetTheTwoShortestContacts) {
  // near contacts H2...O4 1.95, H6...O1 2.3151, H5...O1 2.5588: the last one is left out
  loadMolecule(*app, cyclicWaterDimer(), (dir.path() / "dimer").string());
  mpoDef(*app);
  auto& m = app->m;
  EXPECT_EQ(m.ImBond(0, 0), 2);
  for (auto [a, b] : {std::pair{1, 6}, {6, 1}, {2, 4}, {4, 2}}) EXPECT_EQ(m.ImBond(a, b), 1);
  EXPECT_EQ(m.ImBond(1, 5), 0);
  EXPECT_EQ(m.Mpo(1, 6), 0);
  EXPECT_EQ(m.FrgMem(0, 0), 1);
  EXPECT_EQ(slurp("skrK.mpo"),
            " 2 . O 1 : H 2 , H 3 \n 2 . O 4 : H 5 , H 6 \n 1 . H 3 : O 1 \n 1 . H 2 : O 1 \n"
            " 1 . H 5 : O 4 \n 1 . H 6 : O 4 \nintermolecular bonds\nO 1 , H 6 \nH 2 , O 4 \n");
  EXPECT_EQ(app->frm.Text2.text.rfind(
                "connection matrix MPO has been created: file skrK.mpo\n 2 groups of atoms:  3 3\n"
                " 2 . O 1 : H 2 , H 3 \n 2 . O 4 : H 5 , H 6 \nintermolecular bonds\nO 1 , H 6 \n"
                "H 2 , O 4 ",
                0),
            0u)
      << app->frm.Text2.text;
}

TEST_F(Derivation, SingleBondedAtomsAreListedWhenNoAtomHasMore) {
  // two H-F molecules: every count is 1, so every line is shown
  loadMolecule(*app, {{9, 0, 0, 0}, {1, 0.92, 0, 0}, {9, 0, 4, 0}, {1, 0.92, 4, 0}});
  mpoDef(*app, "**");
  app->frm.Text2.text.clear();
  app->m.Sw(19) = 0;
  mpoDef(*app);
  EXPECT_TRUE(hasLine(*app, " 1 . F 1 : H 2 "));
  EXPECT_TRUE(hasLine(*app, " 1 . H 4 : F 3 "));
}

/// n HF molecules on a line, 3 A apart.
Molecule hfChain(int n) {
  Molecule mol;
  for (int k = 0; k < n; ++k) {
    mol.push_back({9, 3.0 * k, 0, 0});
    mol.push_back({1, 3.0 * k + 0.92, 0, 0});
  }
  return mol;
}

TEST_F(Derivation, ManyIntermolecularBondsAreCountedNotListed) {
  // 26 HF molecules on a line, 3 A apart: each neighbouring pair has two near contacts
  // (H...F 2.08, F...F 3.0 A), farther pairs none: 50 bonds, too many to list
  loadMolecule(*app, hfChain(26));
  mpoDef(*app, "**");
  EXPECT_EQ(app->m.ImBond(0, 0), 50);
  EXPECT_EQ(app->m.ImBond(1, 3), 1);
  EXPECT_EQ(app->m.ImBond(2, 3), 1);
  EXPECT_EQ(app->m.ImBond(1, 4), 0);
  auto lines = consoleLines(*app);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "intermolecular bonds");
  EXPECT_EQ(lines[2], "overall  50");
}

TEST_F(Derivation, TwentyBondsAreListedAndCounted) {
  loadMolecule(*app, hfChain(11));
  mpoDef(*app, "**");
  auto lines = consoleLines(*app);
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_EQ(lines[2], "F 1 , F 3 ");
  EXPECT_EQ(lines[3], "H 2 , F 3 ");
  EXPECT_EQ(lines[22], "overall  20");
}

TEST_F(Derivation, EmptyNameReusesADefinedMatrix) {
  loadMolecule(*app, water(), (dir.path() / "water").string());
  mpoDef(*app, "*");
  app->m.Mpo(1, 2) = app->m.Mpo(2, 1) = 0;  // the reuse must not rebuild
  app->frm.Text2.text.clear();
  mpoDef(*app);
  EXPECT_FALSE(hasLine(*app, "connection matrix MPO has been created: file skrK.mpo"));
  EXPECT_EQ(app->m.Mpo(1, 2), 0);
  EXPECT_TRUE(app->m.IcFresh);
  EXPECT_EQ(consoleLines(*app).back(), "end of data input");
}

TEST_F(Derivation, MissingOrEmptyFileFallsBackToDeriving) {
  loadMolecule(*app, water(), (dir.path() / "water").string());
  EXPECT_EQ(mpoDef(*app, "nothere"), "nothere.mpo");
  auto lines = consoleLines(*app);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "nothere.mpo MPO file not found");
  EXPECT_EQ(lines[1], "connection matrix MPO has been created: file skrK.mpo");
  EXPECT_EQ(app->m.NBond(1), 2);
  dir.write("empty.mpo", "");
  mpoDef(*app, "empty.mpo");
  EXPECT_TRUE(hasLine(*app, "empty.mpo MPO file not found"));
  EXPECT_TRUE(fileExists("empty.mpo"));  // a reader never deletes what it was given
}

TEST_F(Derivation, NoAtomsBuildsNothing) {
  loadMolecule(*app, {});
  mpoDef(*app, "*");
  EXPECT_EQ(app->erraCount, 0);
  EXPECT_EQ(app->m.Sw(19), 0);
  EXPECT_FALSE(fileExists("skrK.mpo"));
}

TEST_F(Derivation, UnwritableWorkingFileIsReported) {
  loadMolecule(*app, water(), (dir.path() / "water").string());
  std::filesystem::create_directory("skrK.mpo");  // a folder where the file should go
  mpoDef(*app, "*");
  EXPECT_EQ(app->erraCount, 1);
  EXPECT_NE(app->frm.Text4.text.find("MpoDef ERROR"), std::string::npos);
  EXPECT_FALSE(app->busy);
}

}  // namespace
}  // namespace kel::testing
