// Kelvorin - desktop workbench for vibrational calculations.
#include "molecules.hpp"

#include "topology/groups.hpp"

namespace kel::testing {
namespace {

using Fresh = FreshApp;

/// Returns the group (1-based) holding atom a, 0 when none does.
int groupOf(const ModKel& m, int groups, int a) {
  for (int g = 1; g <= groups; ++g)
    if (m.FrgMem(g, a) != 0) return g;
  return 0;
}

struct GroupRow {
  const char* name;
  int atoms;
  std::vector<std::pair<int, int>> bonds;
  int mode;                  // 2 reports the groups, 6 is quiet
  std::vector<int> members;  // atoms per group, in group order
  std::vector<int> group;    // the group of each atom 1..atoms
  const char* line;          // the console line ("" for none)
};

class MpoGrpSplit : public FreshApp, public ::testing::WithParamInterface<GroupRow> {};

TEST_P(MpoGrpSplit, SplitsIntoConnectedGroups) {
  const auto& row = GetParam();
  auto& m = app->m;
  m.NAt = i16(row.atoms);
  for (auto [a, b] : row.bonds) bond(m, a, b);
  i16 k2 = 0;
  MpoGrp(*app, row.atoms, k2, row.mode);
  ASSERT_EQ(k2, int(row.members.size()));
  EXPECT_EQ(m.FrgMem(0, 0), k2 - 1);
  for (int g = 1; g <= k2; ++g) EXPECT_EQ(m.FrgMem(g, 0), row.members[std::size_t(g - 1)]) << g;
  for (int a = 1; a <= row.atoms; ++a) {
    EXPECT_EQ(groupOf(m, k2, a), row.group[std::size_t(a - 1)]) << "atom " << a;
    EXPECT_EQ(m.NBondW(a), m.NBond(a)) << "working count of atom " << a;
  }
  EXPECT_EQ(app->frm.Text2.text, row.line);
}

// clang-format off
const GroupRow Matrices[] = {
  {"single_molecule_no_line", 3, {{1, 2}, {1, 3}}, 2, {3}, {1, 1, 1}, ""},
  {"two_waters", 6, {{1, 2}, {1, 3}, {4, 5}, {4, 6}}, 2, {3, 3}, {1, 1, 1, 2, 2, 2}, " 2 groups of atoms:  3 3"},
  {"quiet_mode", 4, {{1, 2}, {3, 4}}, 6, {2, 2}, {1, 1, 2, 2}, ""},
  {"isolated_atom", 4, {{1, 2}, {2, 4}}, 2, {3, 1}, {1, 1, 2, 1}, " 2 groups of atoms:  3 1"},
  // the seed 1 reaches 2 only through 5
  {"reached_through_higher_atoms", 6, {{1, 5}, {5, 2}, {2, 6}, {3, 4}}, 2, {4, 2}, {1, 1, 2, 2, 1, 1}, " 2 groups of atoms:  4 2"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Matrices, MpoGrpSplit, ::testing::ValuesIn(Matrices),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(Fresh, MpoGrpOneWayEntryStillJoinsAndDeclaredCountsDoNotMisplaceAtoms) {
  // a read matrix: atom 3 lists atom 1 but atom 1 does not list 3, and atom 1 declares 5
  // connections while listing one; every atom still lands in exactly one group
  auto& m = app->m;
  m.NAt = 5;
  m.Mpo(1, 2) = m.Mpo(2, 1) = 1;
  m.Mpo(3, 1) = 1;
  m.Mpo(4, 5) = m.Mpo(5, 4) = 1;
  m.NBond(1) = 4;
  m.NBond(2) = m.NBond(3) = m.NBond(4) = m.NBond(5) = 1;
  i16 k2 = 0;
  MpoGrp(*app, 5, k2, 2);
  EXPECT_EQ(k2, 2);
  EXPECT_EQ(m.FrgMem(1, 0), 3);
  EXPECT_EQ(m.FrgMem(2, 0), 2);
  for (int a = 1; a <= 5; ++a) EXPECT_EQ((m.FrgMem(1, a) != 0) + (m.FrgMem(2, a) != 0), 1) << a;
}

}  // namespace
}  // namespace kel::testing
