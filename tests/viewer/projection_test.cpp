// Kelvorin - desktop workbench for vibrational calculations.
#include "viewer/viewer_fixture.hpp"

#include <cmath>

namespace kel::testing {
namespace {

TEST_F(WaterView, StartFitsTheStructureAndCentresItPatykiZoomsWithinLimits) {
  auto& v = va->obr.v;
  EXPECT_EQ(v.NView, 3);
  // 800 x 600 pixels = 12000 x 9000 twips; ranges x 1.514, y 0.586
  EXPECT_NEAR(v.FitScale, (12000.0 - 300) / 1.514, 1e-9);
  EXPECT_DOUBLE_EQ(v.Cx, 6000);
  EXPECT_DOUBLE_EQ(v.Cy, 4500);
  EXPECT_EQ(v.RMin, 180);
  EXPECT_EQ(v.RMax, 300);
  EXPECT_EQ(v.ScaleSet, 1);
  // f = sqrt(180 / 310) = 0.762 is raised to 0.8
  EXPECT_NEAR(v.Scale, 0.8 * v.FitScale, 1e-9);
  EXPECT_EQ(va->m.XyzV(4, 0), -1);
  // Patyki zooms, raises the reference and is clamped
  double before = v.Scale;
  Patyki(*va, 10);
  EXPECT_DOUBLE_EQ(v.Scale, before + 50);
  Patyki(*va, 1e6);
  EXPECT_DOUBLE_EQ(v.Scale, 20000);
  EXPECT_DOUBLE_EQ(v.ZoomRef, before + 50 + 5e6);
  Patyki(*va, -1e7);
  EXPECT_DOUBLE_EQ(v.Scale, 100);
}

TEST(Start, RadiiFollowSizeAndAtomCount) {
  ViewerApp va;
  std::vector<AtomRow> atoms;
  for (int i = 0; i < 21; ++i) atoms.push_back({6, i * 0.4, 0, 0});  // 8 A long, 21 atoms
  buildModel(*va, atoms);
  Start(*va);
  // 150 / 1.25 = 120, 220 / 1.25 = 176
  EXPECT_EQ(va->obr.v.RMin, 120);
  EXPECT_EQ(va->obr.v.RMax, 176);
}

TEST(Start, SingleAtomHasNoZeroRange) {
  ViewerApp va({{6, 0, 0, 0}});
  auto& v = va->obr.v;
  EXPECT_DOUBLE_EQ(v.ViewExt(3, 1), 1.0);
  EXPECT_DOUBLE_EQ(v.ViewExt(3, 3), 1.0);
  EXPECT_DOUBLE_EQ(v.FitScale, 8700);  // (9000 - 300) / 1.0
  EXPECT_TRUE(std::isfinite(v.DrawX(1)));
}

TEST_F(WaterView, StartPlanarStructureSideViewStaysFinite) {
  obut_Click(*va, 7);  // y, z, x: the plane seen edge-on
  auto& v = va->obr.v;
  // y from -0.1 to 0.586, z from 0 to 0.1 (seeded), x range 1.514 kept
  EXPECT_NEAR(v.ViewExt(3, 2), 0.686, 1e-12);
  EXPECT_NEAR(v.ViewExt(3, 3), 0.1, 1e-12);
  EXPECT_NEAR(v.FitScale, 8700 / 1.514, 1e-9);
  EXPECT_EQ(va->obr.wynik.text, "YZ");
}

TEST(Uklad, FitOutsideRangeIsReportedAndReplaced) {
  ViewerApp va({{6, 0, 0, 0}, {6, 200, 200, 0}});
  auto& v = va->obr.v;
  EXPECT_EQ(va->obr.wynik.text, " 43.5dupsko");  // (9000 - 300) / 200
  EXPECT_DOUBLE_EQ(v.FitScale, 1000);
  EXPECT_DOUBLE_EQ(v.ZoomRef, 1000);
  EXPECT_EQ(v.RMin, 150);  // the report is not read back as a ball-size entry
}

TEST(Uklad, DepthOrderFarthestFirst) {
  ViewerApp va({{6, 0, 0, 1}, {6, 1, 0, 3}, {6, 2, 0, 2}});
  auto& v = va->obr.v;
  EXPECT_EQ(v.DepthList(1), 2);
  EXPECT_EQ(v.DepthList(2), 3);
  EXPECT_EQ(v.DepthList(3), 1);
  EXPECT_EQ(v.DrawAtom(1), 2);
  EXPECT_EQ(v.DrawPos(1), 3);
  // painted far to near: the first ball drawn is atom 2 at x = 1
  auto balls = va.surface.balls();
  ASSERT_EQ(balls.size(), 3u);
  // x from the middle of the box (x 0..2) at the surface's centre
  EXPECT_NEAR(balls[0].x, (1 - 1) * v.Scale + v.Cx, 1e-9);
  EXPECT_NEAR(balls[2].x, (0 - 1) * v.Scale + v.Cx, 1e-9);
}

TEST(Uklad, ExchangeSortReordersEqualKeysItsOwnWay) {
  ViewerApp va({{6, 0, 0, 1}, {6, 1, 0, 1}, {6, 2, 0, 2}});
  auto& v = va->obr.v;
  EXPECT_EQ(v.DepthList(1), 3);
  EXPECT_EQ(v.DepthList(2), 2);
  EXPECT_EQ(v.DepthList(3), 1);
}

TEST(Obr, ThirtySixStepsOfEveryButtonReturnToStart) {
  ViewerApp va({{8, 0.3, -1.2, 0.5}, {1, 1.1, 0.2, -0.7}, {6, -0.9, 0.4, 1.3}}, {{1, 2}, {1, 3}});
  auto& m = va->m;
  for (int button = 9; button <= 14; ++button) {
    for (int k = 0; k < 36; ++k) obut_Click(*va, button);
    for (int i = 1; i <= 3; ++i)
      for (int c = 1; c <= 3; ++c) EXPECT_NEAR(m.XyzV(i, c), m.Xyz(i, c), 1e-9) << button;
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c) EXPECT_NEAR(va->obr.v.Orient(r, c), r == c ? 1.0 : 0.0, 1e-9);
  }
}

TEST(Obr, OneStepTurnsTenDegreesInThePlane) {
  ViewerApp va({{6, 1, 0, 0}, {6, -1, 0, 0}});
  obut_Click(*va, 10);  // Obr(1, 2, +1): (x, y) -> (c x + s y, -s x + c y)
  double t = 10 * 3.14159265358979 / 180;
  EXPECT_NEAR(va->m.XyzV(1, 1), std::cos(t), 1e-12);
  EXPECT_NEAR(va->m.XyzV(1, 2), -std::sin(t), 1e-12);
  EXPECT_DOUBLE_EQ(va->m.Xyz(1, 1), 1.0);  // the model is not turned
}

TEST(UkObr, AxisViewsPermuteTheCoordinates) {
  ViewerApp va({{6, 1, 2, 3}, {6, 0, 0, 0}});
  auto& m = va->m;
  obut_Click(*va, 7);
  EXPECT_EQ(m.XyzV(1, 1), 2);
  EXPECT_EQ(m.XyzV(1, 2), 3);
  EXPECT_EQ(m.XyzV(1, 3), 1);
  EXPECT_EQ(va->obr.v.Orient(2, 1), 1);
  obut_Click(*va, 8);
  EXPECT_EQ(m.XyzV(1, 1), 3);
  EXPECT_EQ(m.XyzV(1, 2), 1);
  EXPECT_EQ(m.XyzV(1, 3), 2);
}

}  // namespace
}  // namespace kel::testing
