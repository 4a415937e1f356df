// Kelvorin - desktop workbench for vibrational calculations.
#include "viewer/viewer_fixture.hpp"

namespace kel::testing {
namespace {

/// Four atoms with a right-angled torsion about 2-3.
struct Picking : ::testing::Test {
  ViewerApp va{{{1, 0, 1, 0}, {8, 0, 0, 0}, {8, 1.5, 0, 0}, {1, 1.5, 0, 1}},
               {{1, 2}, {2, 3}, {3, 4}}};
  void SetUp() override { obut_Click(*va, 4); }
  void click(int atom) { Za_Click(*va, va->obr.v.DrawPos(atom)); }
  const std::string& text() { return va->obr.wynik.text; }
  std::array<i16, 4> sel() { return va->obr.v.Sel; }
};

TEST_F(Picking, EnteringShowsTheModeThenDistanceAngleAndTorsionTexts) {
  auto& o = va->obr;
  EXPECT_EQ(text(), "click at least two atoms");
  EXPECT_TRUE(o.obut[15].visible);
  EXPECT_TRUE(o.gemo.visible);
  EXPECT_TRUE(o.Clear.visible);
  EXPECT_EQ(o.v.LabelsOn, 1);
  for (int p = 1; p <= 4; ++p) EXPECT_TRUE(o.Za[std::size_t(p)].visible) << p;
  // the distance, angle and torsion texts
  click(1);
  EXPECT_EQ(text(), "H 1");
  click(2);
  EXPECT_EQ(text(), "H 1-O 2\r\nD= 1.00000 ");
  click(3);
  EXPECT_EQ(text(), "H 1-O 2\r\n-O 3\r\nA= 90.000");
  click(4);
  EXPECT_EQ(text(), "H 1-O 2\r\nO 3-H 4\r\nT= -90.000");
  EXPECT_EQ(sel(), (std::array<i16, 4>{1, 2, 3, 4}));
}

TEST_F(Picking, MarkersAreRingsAroundTheBallSoItsNumberStaysReadable) {
  va.surface.ops.clear();
  click(2);
  auto marks = va.surface.of(DrawOp::Circle);
  ASSERT_EQ(marks.size(), 2u);
  auto& v = va->obr.v;
  int p = v.DrawPos(2);
  for (const auto& c : marks) {
    EXPECT_EQ(c.style, FillStyle::None);  // no fill over the ball and its label
    EXPECT_NEAR(c.x, v.DrawX(p), 1e-9);
    EXPECT_GT(c.r, v.BallRad(p));
    EXPECT_EQ(c.colour, v.LabCol(p));
  }
  Reno(*va);  // and again at every repaint
  auto rings = 0;
  for (auto& c : va.surface.of(DrawOp::Circle)) rings += c.style == FillStyle::None;
  EXPECT_EQ(rings, 2);
}

TEST(PickingOrder, RepeatedAtomsStartOver) {
  struct Row {
    std::vector<int> clicks;
    std::array<i16, 4> sel;
    const char* text;
  } rows[] = {
      {{2, 2}, {}, ""},                       // the same atom twice clears everything
      {{1, 2, 1}, {1, 0, 0, 0}, "H 1"},       // the first as the third
      {{1, 2, 2}, {2, 0, 0, 0}, "O 2"},       // the second as the third
      {{1, 2, 3, 2}, {2, 0, 0, 0}, "O 2"},    // one of the first three as the fourth
      {{1, 2, 3, 4, 3}, {3, 0, 0, 0}, "O 3"}  // a fifth click: a new selection
  };
  struct Fresh : Picking {
    void TestBody() override {}
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::PrintToString(r.clicks));
    Fresh p;
    p.SetUp();
    for (int a : r.clicks) p.click(a);
    EXPECT_EQ(p.sel(), r.sel);
    EXPECT_EQ(p.text(), r.text);
  }
}

TEST_F(Picking, LabelBoxesCentredOnTheBallsAreTheHitAreas) {
  auto& v = va->obr.v;
  int p = v.DrawPos(3);
  EXPECT_EQ(labelAt(*va, v.DrawX(p), v.DrawY(p)), p);
  EXPECT_EQ(labelAt(*va, v.DrawX(p) + 2000, v.DrawY(p) + 2000), 0);
  obut_Click(*va, 15);  // out of geometry mode the labels are hidden
  EXPECT_EQ(labelAt(*va, v.DrawX(p), v.DrawY(p)), 0);
  EXPECT_EQ(text(), "");
  EXPECT_EQ(va->obr.v.LabelsOn, 0);
  EXPECT_FALSE(va->obr.gemo.visible);
}

TEST_F(Picking, ClearAndCancel) {
  click(1);
  Clear_Click(*va);
  EXPECT_EQ(sel()[0], 0);
  EXPECT_EQ(text(), "");
  click(1);
  ClearCa(*va);
  EXPECT_EQ(text(), "cancelled");
}

TEST(SizeEntry, ScalesTheBallRadii) {
  struct Row {
    const char* entry;
    int rmin, rmax;
    const char* shown;
  } rows[] = {
      {"-10", 90, 150, " max = 150\r\n min = 90"},  // halves
      {"3", 234, 390, " max = 390\r\n min = 234"},  // grows 30 %
      {"min / max = 3", 234, 390, " max = 390\r\n min = 234"},
      {"Min/Max=-3", 138, 231, " max = 231\r\n min = 138"},
      {"min/max =", 180, 300, "min/max ="},  // no number
      {"min/max x", 180, 300, "min/max x"},  // no equals sign
      {"abc", 180, 300, "abc"},
      {"500", 660, 990, " max = 990\r\n min = 660"},  // a factor of at most ten
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.entry);
    ViewerApp va;
    buildWater(*va);
    Start(*va);
    va->obr.wynik.text = r.entry;
    wynik_Change(*va);
    EXPECT_EQ(va->obr.v.RMin, r.rmin);
    EXPECT_EQ(va->obr.v.RMax, r.rmax);
    EXPECT_EQ(va->obr.wynik.text, r.shown);
  }
}

TEST_F(WaterView, SizeEntryEnterRepeatsTheLastStep) {
  va->obr.wynik.text = "1";
  wynik_Change(*va);
  EXPECT_EQ(va->obr.v.RMin, 198);
  // the result text holds no leading number, so Enter leaves it alone
  wynik_Enter(*va);
  EXPECT_EQ(va->obr.v.RMin, 198);
  va->obr.wynik.text = "1";
  wynik_Enter(*va);  // " 1": another 10 %
  EXPECT_EQ(va->obr.v.RMin, 218);
}

}  // namespace
}  // namespace kel::testing
