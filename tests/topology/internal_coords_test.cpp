// Kelvorin - desktop workbench for vibrational calculations.
#include "molecules.hpp"

#include "readers/gaussian_output.hpp"
#include "readers/geometry_files.hpp"
#include "topology/connections.hpp"
#include "topology/internal_coords.hpp"

#include <map>
#include <set>

namespace kel::testing {
namespace {

/// Derives the matrix and generates the coordinates as an empty-name request does.
void build(App& app, const Molecule& mol) {
  loadMolecule(app, mol);
  mpoDef(app);
}

int countType(const ModKel& m, int type) {
  int n = 0;
  for (int r = 1; r <= m.IcRows; ++r) n += m.IcTab(r, 5) == type;
  return n;
}

using IcCase = FreshApp;
using TableHelper = FreshApp;
using Xy3Group = IcCase;
using LinearBend = IcCase;
using WalkFailure = IcCase;
using CountLine = IcCase;

// ------------------------------------------------------------------ complete sets

struct MoleculeRow {
  const char* name;
  Molecule (*make)();
  int bonds;  // bonds the derivation must find (intermolecular ones included)
};

/// Naphthalene with its atoms listed backwards, the hydrogens first: the order must not matter.
Molecule naphthaleneBackwards() {
  Molecule mol = naphthalene();
  std::reverse(mol.begin(), mol.end());
  return mol;
}

class CompleteSet : public IcCase, public ::testing::WithParamInterface<MoleculeRow> {};

TEST_P(CompleteSet, CountAndRankAre3NMinus6) {
  const auto& row = GetParam();
  Molecule mol = row.make();
  build(*app, mol);
  auto& m = app->m;
  int n = int(mol.size()), dof = 3 * n - 6;
  int bonds = 0;
  for (int i = 1; i <= n; ++i)
    for (int j = i + 1; j <= n; ++j) bonds += m.Mpo(i, j) != 0 || m.ImBond(i, j) != 0;
  EXPECT_EQ(bonds, row.bonds);
  EXPECT_EQ(m.NDof(0), dof);
  EXPECT_EQ(m.IcRows, dof);
  EXPECT_EQ(bMatrixRank(m), dof);
  EXPECT_EQ(app->erraCount, 0) << app->frm.Text4.text;
  EXPECT_NE(m.Sw(19), 0);
  EXPECT_TRUE(m.IcFresh);
  auto lines = consoleLines(*app);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "end of data input");
  EXPECT_TRUE(hasLine(*app, "NDof(0) =" + Str(dof) + "  3N-6 =" + Str(dof) + "  complete set"));
  // every bond of a tree-like molecule is a stretch; rings keep theirs too
  EXPECT_EQ(countType(m, IcStre), row.bonds);
}

// clang-format off
const MoleculeRow CompleteSetRows[] = {
  {"water", water, 2}, {"ammonia", ammonia, 3}, {"methane", methane, 4}, {"ethane", ethane, 7},
  {"ethylene", ethylene, 5}, {"formaldehyde", formaldehyde, 3}, {"methanol", methanol, 5},
  {"benzene", benzene, 12}, {"cyclohexane", cyclohexane, 18}, {"naphthalene", naphthalene, 19},
  {"naphthalene_backwards", naphthaleneBackwards, 19},
  {"water_dimer", waterDimer, 5}, {"cyclic_water_dimer", cyclicWaterDimer, 6},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Molecules, CompleteSet, ::testing::ValuesIn(CompleteSetRows),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(CompleteSet, TableRowsFollowTheirTypeAndAtoms) {
  build(*app, methanol());
  auto& m = app->m;
  std::set<std::vector<int>> seen;
  int lastType = 0, lastKey = -1;
  for (int r = 1; r <= m.IcRows; ++r) {
    int type = m.IcTab(r, 5);
    ASSERT_GE(type, lastType) << "row " << r;
    if (type == IcStre) {
      // heavier atom first, key = product of the connection counts, ascending
      EXPECT_GE(m.AtZ(m.IcTab(r, 1)), m.AtZ(m.IcTab(r, 2)));
      int key = m.NBondW(m.IcTab(r, 1)) * m.NBondW(m.IcTab(r, 2));
      EXPECT_EQ(m.IcTab(r, 0), key);
      EXPECT_GE(key, lastKey);
      lastKey = key;
    }
    for (int k = m.IcAtoms(type, 0) + 1; k <= 4; ++k) EXPECT_EQ(m.IcTab(r, k), 0);
    std::vector<int> atoms;
    for (int k = 1; k <= 4; ++k) atoms.push_back(m.IcTab(r, k));
    atoms.push_back(type);
    EXPECT_TRUE(seen.insert(atoms).second) << "row " << r << " repeats";
    lastType = type;
  }
  // methanol, placed O, C, the methyl hydrogens, the hydroxyl hydrogen: 5 stretches; bends
  // H-C-O, H-C-O and H-C-H, H-C-H (the last methyl H takes the group's out-of-plane
  // coordinate, which moves it in the same plane as H-C-O would), H-O-C; one torsion H-O-C-H
  EXPECT_EQ(countType(m, IcStre), 5);
  EXPECT_EQ(countType(m, IcOut), 1);
  EXPECT_TRUE(hasLine(*app,
                      "internal coordinates: 12  stretches 5, bends 5, out-of-plane 1,"
                      " torsions 1"))
      << app->frm.Text2.text;
}

// ------------------------------------------------------------------ XY3 groups

TEST_F(Xy3Group, MethylGetsOneOutOfPlaneOverCentreAndItsHydrogens) {
  build(*app, ethane());
  auto& m = app->m;
  ASSERT_EQ(countType(m, IcOut), 2);
  for (int r = 1; r <= m.IcRows; ++r) {
    if (m.IcTab(r, 5) != IcOut) continue;
    int centre = m.IcTab(r, 4);
    std::set<int> h{m.IcTab(r, 1), m.IcTab(r, 2), m.IcTab(r, 3)};
    std::set<int> expected = centre == 1 ? std::set<int>{3, 4, 5} : std::set<int>{6, 7, 8};
    EXPECT_EQ(h, expected);
  }
}

/// Ammonia with one N-H bond stretched by d A along its direction.
Molecule stretchedAmmonia(double d) {
  Molecule mol = ammonia();
  auto& h = mol[1];
  double r = std::sqrt(h.x * h.x + h.y * h.y + (h.w - 0.113) * (h.w - 0.113));
  double f = (r + d) / r;
  h = {1, h.x * f, h.y * f, 0.113 + (h.w - 0.113) * f};
  return mol;
}

TEST(Xy3GroupLimit, BondLongerBy029StillFormsAGroupBy031Not) {
  for (auto [d, outs] : {std::pair{0.29, 1}, {0.31, 0}}) {
    SCOPED_TRACE(d);
    TempDir dir;
    auto app = newApp();
    build(*app, stretchedAmmonia(d));
    EXPECT_EQ(countType(app->m, IcOut), outs);
    EXPECT_EQ(app->m.IcRows, 6);
    EXPECT_EQ(bMatrixRank(app->m), 6);
  }
}

TEST_F(Xy3Group, FourEqualHydrogensAreNoGroup) {
  build(*app, methane());
  EXPECT_EQ(countType(app->m, IcOut), 0);
  EXPECT_EQ(countType(app->m, IcBend), 5);
}

// ------------------------------------------------------------------ linear angles

/// A carbon with three neighbours, two of them at 179.95 degrees (a T-shaped centre).
Molecule tShaped() {
  double t = (180.0 - 179.95) * 3.14159265358979 / 180.0;
  return {{6, 0.0, 0.0, 0.0},
          {9, 1.35, 0.0, 0.0},
          {9, -1.35 * std::cos(t), 1.35 * std::sin(t), 0.0},
          {8, 0.0, 0.0, 1.40},
          {1, 0.9, 0.0, 1.75}};
}

bool angleListed(const ModKel& m, int i, int apex, int k) {
  for (int r = 1; r <= MaxAng; ++r) {
    if (m.AngTab(r, 2) == 0) return false;
    if (m.AngTab(r, 2) == apex && ((m.AngTab(r, 1) == i && m.AngTab(r, 3) == k) ||
                                   (m.AngTab(r, 1) == k && m.AngTab(r, 3) == i)))
      return true;
  }
  return false;
}

bool bendChosen(const ModKel& m, int i, int apex, int k) {
  for (int r = 1; r <= m.IcRows; ++r)
    if (m.IcTab(r, 5) == IcBend && m.IcTab(r, 2) == apex &&
        std::set<int>{m.IcTab(r, 1), m.IcTab(r, 3)} == std::set<int>{i, k})
      return true;
  return false;
}

TEST_F(LinearBend, NearlyLinearAngleAtBranchedCentreIsLeftOut) {
  build(*app, tShaped());
  auto& m = app->m;
  ASSERT_GT(Bend(m, 2, 1, 3), 179.9);
  EXPECT_FALSE(angleListed(m, 2, 1, 3));
  EXPECT_FALSE(bendChosen(m, 2, 1, 3));
  EXPECT_EQ(bMatrixRank(m), m.IcRows);
}

TEST_F(LinearBend, SwitchLetsTheAngleIn) {
  // placed O4, C1, H5, F3, F2: the angle F2-C1-F3 is a candidate of F2; with the switch it
  // enters the angle table (at 179.95 degrees it still fixes no direction of F2)
  loadMolecule(*app, tShaped());
  app->m.Sw(123) = -1;
  mpoDef(*app);
  EXPECT_TRUE(angleListed(app->m, 2, 1, 3));
  EXPECT_EQ(app->m.IcRows, 9);
  EXPECT_EQ(bMatrixRank(app->m), 9);
}

// ------------------------------------------------------------------ straight chains

constexpr double Deg = 3.14159265358979 / 180.0;

/// Methyl group on the origin, its C-X bond along +x; the hydrogens point back.
Molecule methylOn(int z) {
  Molecule m = {{z, 0, 0, 0}};
  for (int k = 0; k < 3; ++k) {
    double phi = 120.0 * k * Deg;
    m.push_back({1, -0.363, 1.027 * std::cos(phi), 1.027 * std::sin(phi)});
  }
  return m;
}

/// Acetonitrile with the angle C-C-N at angle degrees (bent in the xy plane).
Molecule acetonitrile(double angle) {
  Molecule m = methylOn(6);
  double t = (180.0 - angle) * Deg;
  m.push_back({6, 1.46, 0, 0});
  m.push_back({7, 1.46 + 1.16 * std::cos(t), 1.16 * std::sin(t), 0});
  return m;
}

/// Atoms on the x axis.
Molecule chain(std::vector<std::pair<int, double>> atoms) {
  Molecule m;
  for (auto [z, x] : atoms) m.push_back({z, x, 0, 0});
  return m;
}

/// Nickel tetracarbonyl: four straight Ni-C-O arms on the tetrahedral directions.
Molecule nickelCarbonyl() {
  Molecule m = {{28, 0, 0, 0}};
  const double s = 1.0 / std::sqrt(3.0);
  for (auto [a, b, c] : {std::array{1, 1, 1}, {1, -1, -1}, {-1, 1, -1}, {-1, -1, 1}}) {
    m.push_back({6, 1.82 * s * a, 1.82 * s * b, 1.82 * s * c});
    m.push_back({8, 2.97 * s * a, 2.97 * s * b, 2.97 * s * c});
  }
  return m;
}

/// 2-butyne: a methyl group on each end of the straight chain (torsions run across it).
Molecule butyne() {
  Molecule m = methylOn(6);
  for (auto [z, x] : {std::pair{6, 1.46}, {6, 2.67}, {6, 4.13}}) m.push_back({z, x, 0, 0});
  for (int k = 0; k < 3; ++k) {
    double phi = (120.0 * k + 60.0) * Deg;
    m.push_back({1, 4.493, 1.027 * std::cos(phi), 1.027 * std::sin(phi)});
  }
  return m;
}

struct ChainRow {
  const char* name;
  Molecule mol;
  int dof;         // 3N - 6, or 3N - 5 for a linear molecule
  int linearPair;  // 1 the pair of linear bends is needed, 0 not, -1 the angle is at the limit
};

class StraightChain : public IcCase, public ::testing::WithParamInterface<ChainRow> {};

TEST_P(StraightChain, CompleteSetOfFullRank) {
  const auto& row = GetParam();
  build(*app, row.mol);
  auto& m = app->m;
  EXPECT_EQ(m.IcRows, row.dof) << app->frm.Text2.text;
  EXPECT_EQ(bMatrixRank(m), row.dof);
  if (row.linearPair >= 0) {
    EXPECT_EQ(countType(m, IcBeip) + countType(m, IcBepe) > 0, row.linearPair == 1);
  }
  EXPECT_EQ(app->erraCount, 0) << app->frm.Text4.text;
}

// clang-format off
const ChainRow StraightChainRows[] = {
  {"bent_177_5", acetonitrile(177.5), 12, 0}, {"bent_178_5", acetonitrile(178.5), 12, 0},
  {"bent_179_5", acetonitrile(179.5), 12, 0}, {"bent_179_9", acetonitrile(179.9), 12, -1},
  {"acetonitrile", acetonitrile(180.0), 12, 1}, {"butyne", butyne(), 24, 1},
  {"nickel_carbonyl", nickelCarbonyl(), 21, 1},
  {"carbon_dioxide", chain({{8, -1.16}, {6, 0}, {8, 1.16}}), 4, 1},
  {"hydrogen_cyanide", chain({{1, -1.07}, {6, 0}, {7, 1.16}}), 4, 1},
  {"acetylene", chain({{1, -1.66}, {6, -0.6}, {6, 0.6}, {1, 1.66}}), 7, 1},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Chains, StraightChain, ::testing::ValuesIn(StraightChainRows),
                         [](const auto& p) { return std::string(p.param.name); });

// ------------------------------------------------------------------ failures

TEST_F(WalkFailure, SeparateMoleculesWithoutContactAreNotApproved) {
  Molecule mol = water();
  for (auto a : water()) mol.push_back({a.z, a.x + 6.0, a.y, a.w});  // 6 A away
  build(*app, mol);
  auto& m = app->m;
  EXPECT_EQ(m.ImBond(0, 0), 0);
  EXPECT_TRUE(hasLine(*app, "MPO not approved"));
  EXPECT_EQ(consoleLines(*app).back(), "end of data input");
  EXPECT_EQ(m.Sw(19), 0);
  // each molecule still gets its own three coordinates
  EXPECT_EQ(m.IcRows, 6);
  // the next empty-name request rebuilds the matrix instead of reusing it
  app->frm.Text2.text.clear();
  mpoDef(*app);
  EXPECT_TRUE(hasLine(*app, "connection matrix MPO has been created: file skrK.mpo"));
}

TEST_F(WalkFailure, IsolatedAtomIsNotApprovedAJoinedDimerIs) {
  Molecule mol = water();
  mol.push_back({18, 9.0, 0.0, 0.0});  // argon far away
  build(*app, mol);
  EXPECT_TRUE(hasLine(*app, "MPO not approved"));
  auto dimer = newApp();
  build(*dimer, waterDimer());
  EXPECT_FALSE(hasLine(*dimer, "MPO not approved"));
  EXPECT_EQ(dimer->m.ImBond(0, 0), 1);
}

TEST_F(CountLine, LinearMoleculeIsComparedWith3NMinus5) {
  build(*app, {{6, 0, 0, 0}, {8, 1.16, 0, 0}, {8, -1.16, 0, 0}});
  EXPECT_TRUE(hasLine(*app,
                      "internal coordinates: 4  stretches 2, bends 0, out-of-plane 0,"
                      " torsions 0, linear bends 2"));
  EXPECT_TRUE(hasLine(*app, "NDof(0) = 4  3N-5 = 4  complete set"));
  EXPECT_FALSE(hasLine(*app, "MPO not approved"));
}

TEST_F(CountLine, DiatomicHasOneStretch) {
  build(*app, {{6, 0, 0, 0}, {8, 1.13, 0, 0}});
  EXPECT_EQ(app->m.IcRows, 1);
  EXPECT_EQ(app->m.IcTab(1, 1), 2);  // oxygen first
  EXPECT_EQ(app->m.IcTab(1, 2), 1);
}

// ------------------------------------------------------------------ diagnostics

TEST_F(IcCase, RingClosureLogsTheTwoDistancesCompared) {
  build(*app, benzene());
  int count = 0;
  for (const auto& l : consoleLines(*app))
    if (l.rfind("d(", 0) == 0) {
      ++count;
      EXPECT_NE(l.find(") = 1.397"), std::string::npos) << l;
    }
  EXPECT_EQ(count, 2);
}

TEST(Diagnostics, SwitchesSilenceThem) {
  for (std::vector<int> sws : {std::vector<int>{86}, {118}, {34, 67}}) {
    TempDir dir;
    auto app = newApp();
    loadMolecule(*app, benzene());
    for (int sw : sws) app->m.Sw(sw) = -1;
    mpoDef(*app);
    for (const auto& l : consoleLines(*app)) EXPECT_NE(l.rfind("d(", 0), 0u) << sws[0];
  }
}

// ------------------------------------------------------------------ table helpers

TEST_F(TableHelper, MpoPorRowRepeatingAnEarlierOneWithMiddleAtomsExchangedIsDropped) {
  auto& t = app->m.IcTab;
  auto put = [&](int r, std::array<int, 6> v) {
    for (int k = 0; k < 6; ++k) t(r, k) = static_cast<i16>(v[std::size_t(k)]);
  };
  put(1, {0, 5, 1, 2, 7, 4});
  put(2, {0, 5, 2, 1, 7, 4});  // columns 2 and 3 exchanged
  i16 n = 2, cnt = 2;
  MpoPor(*app, n, cnt);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(cnt, 1);
  EXPECT_EQ(t(2, 1), 0);
  put(2, {0, 5, 1, 2, 7, 4});  // exactly as stored
  n = 2, cnt = 2;
  MpoPor(*app, n, cnt);
  EXPECT_EQ(n, 1);
  put(2, {0, 5, 1, 2, 7, 3});  // another type
  n = 2, cnt = 2;
  MpoPor(*app, n, cnt);
  EXPECT_EQ(n, 2);
  put(3, {0, 7, 1, 2, 5, 4});  // reversed end atoms: a different row
  n = 3, cnt = 3;
  MpoPor(*app, n, cnt);
  EXPECT_EQ(n, 3);
  EXPECT_EQ(cnt, 3);
}

TEST_F(TableHelper, Ord2SortsRowsByKeyColumnKeepingEqualRowsInOrder) {
  Tab<i16, 10, 4> a;
  int keys[] = {3, 1, 2, 1, 0};
  for (int r = 1; r <= 5; ++r) {
    a(r, 0) = static_cast<i16>(keys[r - 1]);
    a(r, 1) = static_cast<i16>(10 * r);
    a(r, 4) = static_cast<i16>(r);
  }
  Ord2(*app, a, 2, 5, 0, 1);  // rows 2..5, columns 0..1 move, column 4 stays
  int k0[] = {3, 0, 1, 1, 2}, k1[] = {10, 50, 20, 40, 30};
  for (int r = 1; r <= 5; ++r) {
    EXPECT_EQ(a(r, 0), k0[r - 1]) << r;
    EXPECT_EQ(a(r, 1), k1[r - 1]) << r;
    EXPECT_EQ(a(r, 4), r);
  }
}

TEST_F(TableHelper, JoSwpExchangesTwoValuesInColumnZero) {
  Tab<i16, 6, 2> a;
  int v[] = {4, 7, 4, 1, 7, 9};
  for (int r = 1; r <= 6; ++r) a(r, 0) = static_cast<i16>(v[r - 1]);
  JoSwp(*app, a, 5, 4, 7);
  int w[] = {7, 4, 7, 1, 4, 9};  // row 6 lies beyond n
  for (int r = 1; r <= 6; ++r) EXPECT_EQ(a(r, 0), w[r - 1]) << r;
}

TEST_F(TableHelper, JotaFindsTheFirstRowHoldingAValueAndReportsAnIndexBeyondTheTable) {
  Tab<i16, 6, 2> a;
  a(2, 1) = 5;
  a(4, 1) = 5;
  i16 p = -7;
  Jota(*app, a, 6, 1, 5, p);
  EXPECT_EQ(p, 2);
  Jota(*app, a, 1, 1, 5, p);
  EXPECT_EQ(p, 0);
  Jota(*app, a, 9, 1, 0, p);  // row 1 holds 0: found before the bound is reached
  EXPECT_EQ(p, 1);
  EXPECT_EQ(app->erraCount, 0);
  Jota(*app, a, 9, 1, 3, p);
  EXPECT_EQ(app->erraCount, 1);
  EXPECT_NE(app->frm.Text4.text.find("Jota ERROR 9"), std::string::npos);
}

TEST_F(TableHelper, Jota3FindsEitherOrderFirstRowWins) {
  Tab<i16, 8, 4> a;
  auto put = [&](int r, int x, int y, int z) {
    a(r, 1) = static_cast<i16>(x), a(r, 2) = static_cast<i16>(y), a(r, 3) = static_cast<i16>(z);
  };
  put(1, 1, 2, 3);
  put(2, 5, 6, 7);
  put(3, 7, 6, 5);
  i16 p = 0;
  Jota3(*app, a, 3, 5, 6, 7, p);
  EXPECT_EQ(p, 2);
  Jota3(*app, a, 3, 7, 6, 5, p);
  EXPECT_EQ(p, -2);  // row 2 holds the reverse order and comes first
  Jota3(*app, a, 3, 3, 2, 1, p);
  EXPECT_EQ(p, -1);
  Jota3(*app, a, 3, 1, 3, 2, p);
  EXPECT_EQ(p, 0);
  Jota3(*app, a, 1, 5, 6, 7, p);
  EXPECT_EQ(p, 0);
}

// ------------------------------------------------------------------ real structures

/// A program that reads the shared file rel and derives its coordinates.
std::unique_ptr<App> readAndBuild(TempDir& dir, const std::string& path, bool gaussian) {
  auto app = newApp();
  app->frm.Banner = "****Kelvorin**** version 2 ";
  app->frm.ScrMpo = "skrK.mpo";
  app->frm.ScrMpob = "sskrK.mpo";
  std::string copy = dir.copy(path);
  if (gaussian)
    FmtIn(*app, copy);
  else
    fmtGeo(*app, copy);
  if (app->m.NAt == 0) return app;
  mpoDef(*app);
  return app;
}

TEST(RealStructures, GeneratedChainOf480Atoms) {
  auto path = shared("generated/gen_n480_raman_masses_opt3.log");
  KEL_NEED_SHARED(path);
  TempDir dir;
  auto app = readAndBuild(dir, path, true);
  ASSERT_EQ(app->m.NAt, 480);
  EXPECT_EQ(app->m.IcRows, 3 * 480 - 6);
  EXPECT_EQ(bMatrixRank(app->m), 3 * 480 - 6);
}

struct RealFile {
  const char* name;
  const char* path;
  bool gaussian;  // read by the output reader, else by the structure reader
};

class RealStructure : public ::testing::TestWithParam<RealFile> {};

TEST_P(RealStructure, CompleteNonRedundantSet) {
  auto path = shared(GetParam().path);
  KEL_NEED_SHARED(path);
  TempDir dir;
  auto app = readAndBuild(dir, path, GetParam().gaussian);
  auto& m = app->m;
  if (hasLine(*app, "MPO not approved")) {  // only for molecules that nothing joins
    EXPECT_GT(m.FrgMem(0, 0), 0);
    return;
  }
  // linear fragments (alkynes, nitriles) included: complete and never redundant
  int dof = 3 * m.NAt - 6;
  EXPECT_EQ(m.IcRows, dof);
  EXPECT_EQ(bMatrixRank(m), dof);
}

// clang-format off
const RealFile RealStructureRows[] = {
  {"methane_gjf", "gjf/methane.gjf", false}, {"acetone_gjf", "gjf/14-acetone_pcSseg-2.gjf", false},
  {"atrop_mol", "mol/atropWith3d_8602.mol", false}, {"mol24_alkyne", "mol/mol24.mol", false},
  {"stereo3d", "mol/stereo3d_1.mol", false}, {"caffeine", "mol2/caffeine.mol2", false},
  {"github296", "mol2/github296_3d.mol2", false},
  {"lysozyme_ligand", "mol2/lysozyme-ligand-tripos.mol2", false},
  {"silioh3", "mol2/silioh3.mol2", false}, {"culgi", "mol2/culgi_01.mol2", false},
  {"water_pdb", "pdb/water_single.pdb", false},
  {"het_00T", "pdb/00T_nonstandard_het.pdb", false}, {"odd_start", "pdb/odd-start.pdb", false},
  {"water_meoh", "xyz/s66_4114_02WaterMeOH.xyz", false}, {"spaces", "xyz/spaces.xyz", false},
  {"dvb_ir_g03", "gaussian/g03/dvb_ir.out", true},
  {"acetonitrile_g03", "gaussian/g03/NIST_CCCBDB_1himidaz_m1b1.out", true},
  {"pbc_g03", "gaussian/g03/maheshkumar.log", true},
  {"methylaniline", "gaussian/g09/methylaniline.out", true},
  {"irc_point", "gaussian/g09/irc_point.log", true},
  {"aminox", "gaussian/g16/aminox_cat_conf212_S.log", true},
  {"mp2_freq", "gaussian/g16/mp2_avdz_freq_tight.log", true},
  {"water_g16", "gaussian/g16/water_neutral_nbo_opt_freq.out", true},
  {"gen_n100", "generated/gen_n100.log", true}, {"mo4ocl4_fchk", "fchk/g16/Mo4OCl4-sp.fchk", true},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(SharedData, RealStructure, ::testing::ValuesIn(RealStructureRows),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace kel::testing
