// Kelvorin - desktop workbench for vibrational calculations.
#include "viewer/viewer_fixture.hpp"

#include <cmath>

namespace kel::testing {
namespace {
using ColourFile = FreshApp;

TEST(Skala, EqualMassesGiveEqualBalls) {
  ViewerApp va({{6, 0, 0, 0}, {6, 1.5, 0, 0}}, {{1, 2}});
  auto& v = va->obr.v;
  EXPECT_EQ(v.SizeExp, 0);
  EXPECT_DOUBLE_EQ(v.BallRad(1), 240);  // (180 + 300) / 2
  EXPECT_DOUBLE_EQ(v.BallRad(2), 240);
}

TEST_F(WaterView, SkalaHeavierAtomsGetLargerBallsKulkiLimitsHold) {
  auto& v = va->obr.v;
  // k = 5 is the first exponent that brings the two ends within 10 units
  EXPECT_EQ(v.SizeExp, 5);
  EXPECT_NEAR(v.RadFactor, 176.0177, 1e-4);
  EXPECT_NEAR(v.BallRad(v.DrawPos(1)), 306.4451, 1e-4);
  EXPECT_NEAR(v.BallRad(v.DrawPos(2)), 176.2923, 1e-4);
  // the limits hold after large steps
  Kulki(*va, 1000);  // 3000 units larger
  EXPECT_EQ(v.RMax, 990);
  EXPECT_EQ(v.RMin, 660);
  Kulki(*va, -1000);
  EXPECT_EQ(v.RMin, 10);
  EXPECT_EQ(v.RMax, 20);
}

TEST(Rsi, FactorsOfTheStickEnds) {
  EXPECT_EQ(Rsi(0, 0, 5), 0.0);
  EXPECT_EQ(Rsi(0, 0, 0), 0.0);
  EXPECT_NEAR(Rsi(3, 4, 0), 0.5646424734, 1e-10);
  EXPECT_NEAR(Rsi(3, 4, 12), 0.3406879270, 1e-10);
  EXPECT_EQ(sqz(8, 3), 2.0);
  EXPECT_EQ(sqz(-8, 3), 1.0);
  EXPECT_EQ(sqz(8, 0), 1.0);
}

TEST_F(WaterView, RenoBallsSticksAndLabels) {
  auto& s = va.surface;
  auto balls = s.balls();
  ASSERT_EQ(balls.size(), 3u);
  EXPECT_EQ(balls[0].colour, rgb(160, 160, 160));  // outline: the label colour of element 0
  EXPECT_EQ(balls[0].width, 1);
  auto sticks = s.of(DrawOp::Line);
  ASSERT_EQ(sticks.size(), 4u);  // a flat molecule: each stick is drawn from both its atoms
  EXPECT_EQ(sticks[0].colour, rgb(192, 192, 192));
  EXPECT_EQ(sticks[0].width, 7);  // RMin 180 is above 120
  auto texts = s.of(DrawOp::Text);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, std::to_string(va->obr.v.DrawAtom(1)));
}

TEST(Reno, StickEndsSitOnTheBalls) {
  ViewerApp va({{6, 0, 0, 0}, {6, 1, 0, 0}}, {{1, 2}});
  auto& v = va->obr.v;
  auto sticks = va.surface.of(DrawOp::Line);
  ASSERT_EQ(sticks.size(), 2u);  // equal depth: drawn from both ends, the same segment
  // c1 = sin(+-1), c2 = 0
  double dx = v.DrawX(1) - v.DrawX(2);
  double c1 = std::sin(dx / std::fabs(dx));
  EXPECT_NEAR(sticks[0].x, v.DrawX(1) - 240 * c1, 1e-9);
  EXPECT_NEAR(sticks[0].x2, v.DrawX(2) + 240 * c1, 1e-9);
  EXPECT_NEAR(sticks[0].y, v.DrawY(1), 1e-9);
  ViewerApp deep({{6, 0, 0, 0}, {6, 1, 0, 1}}, {{1, 2}});  // the nearer end draws it once
  EXPECT_EQ(deep.surface.of(DrawOp::Line).size(), 1u);
}

TEST(Hydrogens, ModesHideBallsAndLabels) {
  // normal, no hydrogen balls, hidden: the clicks of button 3, then balls, sticks and labels
  for (auto [clicks, balls, sticks, texts] :
       {std::array<std::size_t, 4>{0, 3, 4, 3}, {1, 1, 0, 3}, {2, 1, 0, 1}}) {
    SCOPED_TRACE(clicks);
    ViewerApp va;
    buildWater(*va);
    Start(*va);
    for (std::size_t k = 0; k < clicks; ++k) obut_Click(*va, 3);
    EXPECT_EQ(va.surface.balls().size(), balls);
    EXPECT_EQ(va.surface.of(DrawOp::Line).size(), sticks);
    EXPECT_EQ(va.surface.of(DrawOp::Text).size(), texts);
  }
}

TEST_F(WaterView, EtbLabelWiderThanItsBallIsTransparent) {
  auto& v = va->obr.v;
  int p = v.DrawPos(1);
  auto& lab = va->obr.Za[std::size_t(p)];
  EXPECT_TRUE(lab.opaque);  // "1" at 14 points: diagonal 452 / 2.5 below 306
  EXPECT_EQ(lab.backColour, v.BallCol(p));
  EXPECT_DOUBLE_EQ(lab.fontSize, 14);
  v.BallRad(p) = 180;
  Etb(*va, p);
  EXPECT_FALSE(lab.opaque);
  // centred on the ball
  Reno(*va);
  EXPECT_NEAR(lab.left + lab.width / 2, v.DrawX(p), 1e-9);
  EXPECT_NEAR(lab.top + lab.height / 2, v.DrawY(p), 1e-9);
}

TEST(Colours, WhiteOutlineColourOutlinesBallsInTheirOwnColour) {
  TempDir dir;
  ViewerApp va;
  va->m.KolNam = dir.write("eskrK.kol", "0 192 192 192 255 255 255\n");
  buildWater(*va);
  Start(*va);
  Reno(*va);
  for (const auto& b : va.surface.balls()) EXPECT_EQ(b.colour, b.fill);
}

TEST_F(ColourFile, FileRoundTrip) {
  auto& v = app->obr.v;
  colourDefaults(v);
  v.ElBallRgb(6, 1) = 1;
  v.ElBallRgb(6, 2) = 2;
  v.ElBallRgb(6, 3) = 3;
  v.ElLabRgb(85, 3) = 255;
  writeColours(*app, "eskrK.kol");
  auto lines = linesOf(slurp("eskrK.kol"));
  ASSERT_GE(lines.size(), 86u);
  EXPECT_EQ(lines[7], "  7     60  60 255    195 195   0");
  EXPECT_EQ(lines[6], "  6      1   2   3    255   0 255");
  auto back = newApp();
  back->m.KolNam = "eskrK.kol";
  colourDefaults(back->obr.v);
  readColours(*back);
  EXPECT_EQ(back->obr.v.ElBall(6), rgb(1, 2, 3));
  EXPECT_EQ(back->obr.v.ElLab(85), rgb(15, 0, 255));
  for (int z = 0; z <= 85; ++z) {
    EXPECT_EQ(back->obr.v.ElBall(z),
              v.ElBallRgb(z, 1) + 256 * v.ElBallRgb(z, 2) + 65536 * v.ElBallRgb(z, 3));
  }
  EXPECT_EQ(back->erraCount, 0);
}

TEST_F(ColourFile, ReadingStopsAtABadEntry) {
  auto& v = app->obr.v;
  colourDefaults(v);
  app->m.KolNam = dir.write("c.kol", "6, 1, 2, 3, 4, 5, 6\r\n7 300 1 1 1 1 1\n8 9 9 9 9 9 9\n");
  readColours(*app);
  EXPECT_EQ(v.ElBall(6), rgb(1, 2, 3));
  EXPECT_EQ(v.ElLab(6), rgb(4, 5, 6));
  EXPECT_EQ(v.ElBall(7), rgb(60, 60, 255));  // not marked
  EXPECT_EQ(v.ElBallRgb(7, 1), 300);         // but the component is kept
  EXPECT_EQ(v.ElBall(8), rgb(255, 60, 60));
  EXPECT_FALSE(app->obr.Teker.visible);
}

TEST_F(ColourFile, EmptyFileCountsAsMissing) {
  colourDefaults(app->obr.v);
  app->m.KolNam = dir.write("c.kol", "");
  readColours(*app);
  EXPECT_TRUE(fileExists("c.kol"));
  EXPECT_EQ(app->obr.v.ElBall(6), rgb(0, 255, 0));
}

}  // namespace
}  // namespace kel::testing
