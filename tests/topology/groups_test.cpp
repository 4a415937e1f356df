// Kelvorin - desktop workbench for vibrational calculations.
#include "molecules.hpp"

#include "topology/groups.hpp"

namespace kel::testing {
namespace {

/// Bonds both ways, as a derived matrix holds them; NBond counts them.
void bond(ModKel& m, int a, int b) {
  m.Mpo(a, b) = m.Mpo(b, a) = 1;
  ++m.NBond(a);
  ++m.NBond(b);
}

TEST(MpoGrp, SingleMoleculeIsOneGroupAndNoLine) {
  TempDir dir;
  auto app = newApp();
  auto& m = app->m;
  m.NAt = 3;
  bond(m, 1, 2);
  bond(m, 1, 3);
  i16 k2 = 0;
  MpoGrp(*app, 3, k2, 2);
  EXPECT_EQ(k2, 1);
  EXPECT_EQ(m.FrgMem(0, 0), 0);
  EXPECT_EQ(m.FrgMem(1, 0), 3);
  EXPECT_TRUE(app->frm.Text2.text.empty());
  for (int a = 1; a <= 3; ++a) EXPECT_EQ(m.NBondW(a), m.NBond(a));
}

TEST(MpoGrp, TwoWatersGiveTwoGroupsOfThree) {
  TempDir dir;
  auto app = newApp();
  auto& m = app->m;
  m.NAt = 6;
  bond(m, 1, 2);
  bond(m, 1, 3);
  bond(m, 4, 5);
  bond(m, 4, 6);
  i16 k2 = 0;
  MpoGrp(*app, 6, k2, 2);
  EXPECT_EQ(k2, 2);
  EXPECT_EQ(m.FrgMem(0, 0), 1);
  EXPECT_EQ(m.FrgMem(1, 0), 3);
  EXPECT_EQ(m.FrgMem(2, 0), 3);
  for (int a = 1; a <= 3; ++a) EXPECT_NE(m.FrgMem(1, a), 0) << a;
  for (int a = 4; a <= 6; ++a) EXPECT_EQ(m.FrgMem(1, a), 0) << a;
  for (int a = 4; a <= 6; ++a) EXPECT_NE(m.FrgMem(2, a), 0) << a;
  EXPECT_EQ(app->frm.Text2.text, " 2 groups of atoms:  3 3");
}

TEST(MpoGrp, QuietModeReportsNothing) {
  TempDir dir;
  auto app = newApp();
  auto& m = app->m;
  m.NAt = 4;
  bond(m, 1, 2);
  bond(m, 3, 4);
  i16 k2 = 0;
  MpoGrp(*app, 4, k2, 6);
  EXPECT_EQ(k2, 2);
  EXPECT_TRUE(app->frm.Text2.text.empty());
}

TEST(MpoGrp, IsolatedAtomFormsItsOwnGroup) {
  TempDir dir;
  auto app = newApp();
  auto& m = app->m;
  m.NAt = 4;
  bond(m, 1, 2);
  bond(m, 2, 4);
  i16 k2 = 0;
  MpoGrp(*app, 4, k2, 2);
  EXPECT_EQ(k2, 2);
  EXPECT_EQ(m.FrgMem(1, 0), 3);
  EXPECT_EQ(m.FrgMem(2, 0), 1);
  EXPECT_NE(m.FrgMem(2, 3), 0);
  EXPECT_EQ(app->frm.Text2.text, " 2 groups of atoms:  3 1");
}

TEST(MpoGrp, MoleculeReachedOnlyThroughHigherAtoms) {
  // 1-5, 5-2, 2-6 and a separate 3-4: the seed 1 reaches 2 only through 5
  TempDir dir;
  auto app = newApp();
  auto& m = app->m;
  m.NAt = 6;
  bond(m, 1, 5);
  bond(m, 5, 2);
  bond(m, 2, 6);
  bond(m, 3, 4);
  i16 k2 = 0;
  MpoGrp(*app, 6, k2, 2);
  EXPECT_EQ(k2, 2);
  EXPECT_EQ(m.FrgMem(1, 0), 4);
  EXPECT_EQ(m.FrgMem(2, 0), 2);
  EXPECT_NE(m.FrgMem(1, 2), 0);
  EXPECT_NE(m.FrgMem(2, 3), 0);
}

TEST(MpoGrp, OneWayEntryStillJoinsAndDeclaredCountsDoNotMisplaceAtoms) {
  // a read matrix: atom 3 lists atom 1 but atom 1 does not list 3, and atom 1 declares 5
  // connections while listing one; every atom still lands in exactly one group
  TempDir dir;
  auto app = newApp();
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
