// Kelvorin - desktop workbench for vibrational calculations.
#include "viewer/viewer_fixture.hpp"

#include <cmath>

namespace kel::testing {
namespace {

/// A chain H4-C1-C2-H3 along x with two modes whose displacements name their atom:
/// ModeD(mode, atom, c) = 100 mode + 10 atom + c.
struct Editing : ::testing::Test {
  ViewerApp va;
  void SetUp() override {
    buildModel(*va, {{6, 0, 0, 0}, {6, 1.5, 0, 0}, {1, 2.5, 0, 0}, {1, -1, 0, 0}},
               {{1, 2}, {2, 3}, {1, 4}});
    auto& m = va->m;
    m.NFrq = 2;
    for (int md = 1; md <= 2; ++md)
      for (int i = 1; i <= 4; ++i)
        for (int c = 1; c <= 3; ++c) m.ModeD(md, i, c) = i16(100 * md + 10 * i + c);
    Start(*va);
  }
  void click(int atom) { Za_Click(*va, va->obr.v.DrawPos(atom)); }
  ModKel& m() { return va->m; }
};

TEST_F(Editing, DeleteCompactsEveryPerAtomTable) {
  DelAto_Click(*va);
  EXPECT_EQ(va->obr.wynik.text, "click an atom to be deleted");
  click(2);
  auto& v = va->obr.v;
  EXPECT_EQ(va->obr.wynik.text, "atom: 2\r\ndeleted");
  EXPECT_EQ(v.NView, 3);
  EXPECT_EQ(m().NAt, 3);
  EXPECT_EQ(m().NDof(1), 3);
  EXPECT_EQ(m().NDof(4), 3);
  EXPECT_EQ(m().AtZ(2), 1);
  EXPECT_EQ(m().AtSym(3), "H");
  EXPECT_DOUBLE_EQ(m().Xyz(2, 1), 2.5);
  EXPECT_DOUBLE_EQ(m().Xyz(3, 1), -1);
  // the displacements follow their atoms
  EXPECT_EQ(m().ModeD(1, 1, 1), 111);
  EXPECT_EQ(m().ModeD(1, 2, 1), 131);
  EXPECT_EQ(m().ModeD(2, 3, 3), 243);
  EXPECT_EQ(v.KeepN, -1);
  EXPECT_TRUE(va->obr.stary.visible);
  EXPECT_TRUE(va->obr.delmo.visible);
  EXPECT_TRUE(va->obr.obut[17].visible);
  for (int q = 1; q <= 3; ++q) EXPECT_TRUE(va->obr.Za[std::size_t(q)].visible) << q;
  EXPECT_FALSE(va->obr.Za[4].visible);
}

TEST_F(Editing, UndoAfterTwoDeletionsRestoresTheSecondOnly) {
  DelAto_Click(*va);
  click(2);
  click(1);  // the first carbon; H3 and H4 are left
  EXPECT_EQ(m().NAt, 2);
  EXPECT_EQ(m().ModeD(2, 1, 2), 232);
  stary_Click(*va);
  EXPECT_EQ(va->obr.wynik.text, "Restored");
  EXPECT_EQ(m().NAt, 3);
  EXPECT_EQ(va->obr.v.NView, 3);
  EXPECT_EQ(m().AtZ(1), 6);
  EXPECT_EQ(m().AtZ(2), 1);
  EXPECT_DOUBLE_EQ(m().Xyz(1, 1), 0);
  EXPECT_DOUBLE_EQ(m().Xyz(2, 1), 2.5);
  EXPECT_EQ(m().ModeD(1, 1, 1), 111);
  EXPECT_EQ(m().ModeD(1, 2, 1), 131);
  EXPECT_EQ(m().ModeD(1, 3, 1), 141);
  EXPECT_EQ(va->obr.v.KeepN, 0);
  EXPECT_FALSE(va->obr.stary.visible);
  // one step only
  stary_Click(*va);
  EXPECT_EQ(m().NAt, 3);
}

TEST_F(Editing, DeletionKeepsTheOrientationShownWithItsDisplacements) {
  for (int k = 0; k < 9; ++k) obut_Click(*va, 10);  // 90 degrees: (x, y) -> (y, -x)
  DelAto_Click(*va);
  click(4);  // the last of the list: the others keep their places
  EXPECT_EQ(m().NAt, 3);
  EXPECT_EQ(m().AtZ(3), 1);
  EXPECT_NEAR(m().Xyz(3, 2), -2.5, 1e-12);
  EXPECT_EQ(m().ModeD(2, 3, 1), 232);
  EXPECT_NEAR(m().Xyz(2, 1), 0, 1e-12);
  EXPECT_NEAR(m().Xyz(2, 2), -1.5, 1e-12);
  EXPECT_EQ(m().ModeD(1, 1, 1), 112);
  EXPECT_EQ(m().ModeD(1, 1, 2), -111);
  EXPECT_EQ(m().ModeD(1, 1, 3), 113);
  // the extents follow the turned structure: x now spans 0, y -2.5..0 of the three left
  EXPECT_NEAR(m().Box(3, 1), 0, 1e-12);
  EXPECT_NEAR(m().Box(3, 2), 2.5, 1e-12);
  EXPECT_NEAR(m().Box(0, 0), 2.5, 1e-12);
  stary_Click(*va);
  EXPECT_NEAR(m().Box(3, 1), 3.5, 1e-12);
  EXPECT_DOUBLE_EQ(m().Xyz(2, 1), 1.5);
  EXPECT_EQ(m().ModeD(1, 1, 1), 111);
  EXPECT_EQ(m().ModeD(1, 4, 1), 141);
}

TEST_F(Editing, LeavingDeleteModeRestoresClicksAsSelection) {
  DelAto_Click(*va);
  obut_Click(*va, 17);
  EXPECT_EQ(va->obr.wynik.text, "End atoms  deletion");
  EXPECT_EQ(va->obr.v.KeepN, 0);
  EXPECT_FALSE(va->obr.delmo.visible);
  obut_Click(*va, 4);
  click(1);
  EXPECT_EQ(m().NAt, 4);
  EXPECT_EQ(va->obr.v.Sel[0], 1);
}

/// Change-distance mode with atoms 1 and 2 picked: the dialog opens on the "D= " text.
struct Distance : Editing {
  void SetUp() override {
    Editing::SetUp();
    ChaDis_Click(*va);
    EXPECT_EQ(va->obr.wynik.text, "click two atoms");
    click(1);
    click(2);
  }
  void ok(const std::string& typed) {
    va->odleg.Text2.text = typed;
    odlegText2_Change(*va);
    odlegOK(*va);
  }
};

TEST_F(Distance, DialogOpensWithTheMeasurementThenTheFarAtomMovesWithItsFragment) {
  EXPECT_TRUE(va->odleg.visible);
  EXPECT_EQ(va->odleg.Text1.text, "C 1-C 2\r\nD= 1.50000 ");
  EXPECT_EQ(va->odleg.Label1.text, "current distance:");
  ok("2.0");
  EXPECT_DOUBLE_EQ(m().Xyz(2, 1), 2.0);
  EXPECT_DOUBLE_EQ(m().XyzV(2, 1), 2.0);
  EXPECT_DOUBLE_EQ(m().Xyz(3, 1), 3.0);  // H3 hangs on C2
  EXPECT_DOUBLE_EQ(m().Xyz(4, 1), -1.0);
  EXPECT_DOUBLE_EQ(m().Xyz(1, 1), 0.0);
  EXPECT_EQ(va->obr.wynik.text, "change dist.\r\natoms: 1 2\r\nfx= 1.3333");
  EXPECT_EQ(va->odleg.Text1.text, "C 1-C 2\r\nD=  2");
  EXPECT_EQ(va->odleg.Label1.text, "distance changed");
  EXPECT_FALSE(va->odleg.visible);
  EXPECT_FALSE(va->obr.chamo.visible);
  EXPECT_EQ(va->obr.v.Sel[0], 0);
}

TEST_F(Distance, EqualDistanceMovesNothing) {
  ok("1.5");
  EXPECT_DOUBLE_EQ(m().Xyz(2, 1), 1.5);
  EXPECT_DOUBLE_EQ(m().Xyz(3, 1), 2.5);
  EXPECT_EQ(va->obr.wynik.text, "change dist.\r\natoms: 1 2\r\nfx= 1.0000");
}

TEST(Refused, NothingMoves) {
  struct Fresh : Distance {
    void TestBody() override {}
  };
  for (auto [typed, shown] : {std::pair{"", "distance:\r\n 0\r\nnot accepted"},
                              {"0", "distance:\r\n 0\r\nnot accepted"},
                              {"-1.2", "distance:\r\n-1.2\r\nnot accepted"}}) {
    SCOPED_TRACE(typed);
    Fresh d;
    d.SetUp();
    d.ok(typed);
    EXPECT_EQ(d.va->obr.wynik.text, shown);
    EXPECT_DOUBLE_EQ(d.m().Xyz(2, 1), 1.5);
    EXPECT_DOUBLE_EQ(d.m().Xyz(3, 1), 2.5);
    EXPECT_FALSE(d.va->odleg.visible);
  }
}

TEST_F(Distance, CancelClearsTheSelection) {
  odlegCancel(*va);
  EXPECT_FALSE(va->odleg.visible);
  EXPECT_EQ(va->obr.wynik.text, "cancelled");
  EXPECT_EQ(va->obr.v.Sel[0], 0);
}

TEST_F(Editing, RingFragmentTakesEverythingButTheFixedAtom) {
  // close a ring 3-4: moving C2 now drags H3, H4 and not C1
  m().Mpo(3, 4) = m().Mpo(4, 3) = 1;
  Suwaj(*va, 1, 2, 2.0);
  EXPECT_DOUBLE_EQ(m().Xyz(2, 1), 3.0);
  EXPECT_DOUBLE_EQ(m().Xyz(3, 1), 4.0);
  EXPECT_DOUBLE_EQ(m().Xyz(4, 1), 0.5);
  EXPECT_DOUBLE_EQ(m().Xyz(1, 1), 0.0);
  EXPECT_EQ(va->obr.wynik.text, "x change = \r\n2.00000");
}

}  // namespace
}  // namespace kel::testing
