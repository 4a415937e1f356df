// Kelvorin - desktop workbench for vibrational calculations.
// Centring on the molecule, fit, zoom about a point, the best view, the surface keys, picking
// by the ball and the empty surface after a read without atoms.
#include "viewer/viewer_fixture.hpp"

#include <cmath>

namespace kel::testing {
namespace {

/// Every drawn ball lies wholly inside the surface.
void expectAllInside(App& app) {
  const auto& v = app.obr.v;
  double w = app.obr.Pic1->scaleWidth(), h = app.obr.Pic1->scaleHeight();
  for (int p = 1; p <= v.NView; ++p) {
    if (app.m.XyzV(p, 0) < 0) continue;
    EXPECT_GE(v.DrawX(p) - v.BallRad(p), 0) << "position " << p;
    EXPECT_LE(v.DrawX(p) + v.BallRad(p), w) << "position " << p;
    EXPECT_GE(v.DrawY(p) - v.BallRad(p), 0) << "position " << p;
    EXPECT_LE(v.DrawY(p) + v.BallRad(p), h) << "position " << p;
  }
}

/// A ring of six carbons with hydrogens, far from the origin and turned out of every axis
/// plane (the first frame used to centre the origin: most of it fell off the picture).
void buildFarTiltedRing(App& app) {
  std::vector<AtomRow> atoms;
  for (int k = 0; k < 6; ++k) {
    double a = k * M_PI / 3;
    for (double r : {1.4, 2.48}) {
      double x = r * std::cos(a), y = r * std::sin(a);
      // tilted by 60 degrees about x, then moved to (8, -5, 3)
      atoms.push_back({r < 2 ? 6 : 1, 8 + x, -5 + y * 0.5, 3 + y * 0.866});
    }
  }
  buildModel(app, atoms);
}

TEST(Centring, FirstFrameAndAxisViewsShowEveryAtomOnSmallAndLargeSurfaces) {
  for (auto [w, h] : {std::pair{800, 600}, std::pair{400, 300}, std::pair{300, 600}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    ViewerApp va;
    va.surface.resize(w, h);
    buildFarTiltedRing(*va);
    Start(*va);
    expectAllInside(*va);
    for (int k = 6; k <= 8; ++k) {
      obut_Click(*va, k);
      expectAllInside(*va);
    }
  }
}

TEST_F(WaterView, RotationTurnsAboutTheMiddleOfTheBox) {
  auto& v = va->obr.v;
  double midX = (v.DrawX(1) + v.DrawX(2) + v.DrawX(3)) / 3;
  for (int k = 0; k < 18; ++k) obut_Click(*va, 9);  // 180 degrees in the screen plane
  // the box middle (x 0, y 0.293) stays on the surface's centre, so the picture turns in place
  EXPECT_NEAR(v.DrawY(va->obr.v.DrawPos(1)), v.Cy + 0.293 * v.Scale, 1e-6);
  EXPECT_NEAR((v.DrawX(1) + v.DrawX(2) + v.DrawX(3)) / 3, 2 * v.Cx - midX, 1e-6);
}

TEST(EmptyRead, NoBallNoLabelOnTheSurface) {
  ViewerApp va;
  buildWater(*va);
  Start(*va);
  va->m.NAt = 0;  // a read that ended without an atom leaves old rows behind
  va.surface.ops.clear();
  Start(*va);
  EXPECT_TRUE(va.surface.of(DrawOp::Circle).empty());
  EXPECT_TRUE(va.surface.of(DrawOp::Text).empty());
  EXPECT_EQ(ballAt(*va, va->obr.v.Cx, va->obr.v.Cy), 0);
}

TEST_F(WaterView, WheelZoomKeepsThePointUnderThePointer) {
  auto& v = va->obr.v;
  double x = v.DrawX(2) + 40, y = v.DrawY(2) - 25;  // beside the first hydrogen
  // the model point under the pointer, before and after
  auto under = [&] { return std::pair{(x - v.Cx) / v.Scale, (y - v.Cy) / v.Scale}; };
  auto before = under();
  double scale = v.Scale;
  Pic1_Wheel(*va, 1, x, y);
  EXPECT_NEAR(v.Scale, scale * 1.1, 1e-9);
  EXPECT_NEAR(under().first - before.first, 0, 1e-12);
  EXPECT_NEAR(under().second - before.second, 0, 1e-12);
  EXPECT_FALSE(v.Fitted);
  Pic1_Wheel(*va, -3, x, y);
  EXPECT_NEAR(v.Scale, scale / 1.1 / 1.1, 1e-9);
  for (int k = 0; k < 200; ++k) Pic1_Wheel(*va, 1, x, y);
  EXPECT_DOUBLE_EQ(v.Scale, 20000);  // the limits of the zoom hold
  for (int k = 0; k < 200; ++k) Pic1_Wheel(*va, -1, x, y);
  EXPECT_DOUBLE_EQ(v.Scale, 100);
}

TEST_F(WaterView, FitAfterZoomAndPanAndRefitOnResize) {
  auto& v = va->obr.v;
  Pic1_Wheel(*va, 8, 100, 100);
  v.Cx += 3000;
  Plas(*va);
  Fit(*va);
  EXPECT_TRUE(v.Fitted);
  EXPECT_DOUBLE_EQ(v.Cx, 6000);
  expectAllInside(*va);
  // the wider of the two fits is the binding one: x 1.514 A with the balls and margin
  double balls = 2 * v.BallRad(1);
  EXPECT_NEAR(v.Scale, std::min((12000 - 300 - balls) / 1.514, (9000 - 300 - balls) / 0.586), 1e-6);
  // a fitted picture is fitted again to a new size ...
  va.surface.resize(400, 300);
  Form_Resize(*va);
  expectAllInside(*va);
  double fitted = v.Scale;
  // ... a zoomed one only re-centred
  Pic1_KeyDown(*va, ViewKey::Plus, 0);
  EXPECT_NEAR(v.Scale, fitted * 1.1, 1e-9);
  va.surface.resize(800, 600);
  Form_Resize(*va);
  EXPECT_NEAR(v.Scale, fitted * 1.1, 1e-9);
  EXPECT_DOUBLE_EQ(v.Cx, 6000);
  Pic1_KeyDown(*va, ViewKey::Fit, 0);
  EXPECT_TRUE(v.Fitted);
}

/// The spread of the working coordinates of the shown atoms along working axis c.
double spread(App& app, int c) {
  double lo = 1e300, hi = -1e300;
  for (int i = 1; i <= app.m.NAt; ++i) {
    lo = std::min(lo, app.m.XyzV(i, c));
    hi = std::max(hi, app.m.XyzV(i, c));
  }
  return hi - lo;
}

TEST(BestView, PlanarMoleculeFacesTheViewerWhateverItsTurnBefore) {
  ViewerApp va;
  // a flat rectangle in the model's xz plane: an xy view shows it edge-on
  buildModel(*va, {{6, 0, 0, 0}, {6, 4, 0, 0}, {6, 4, 0, 1.5}, {6, 0, 0, 1.5}, {8, 2, 0, 0.75}});
  Start(*va);
  EXPECT_NEAR(spread(*va, 2), 0, 1e-12);
  BestView(*va);
  auto& v = va->obr.v;
  EXPECT_NEAR(spread(*va, 1), 4, 1e-9);    // the longest extent across
  EXPECT_NEAR(spread(*va, 2), 1.5, 1e-9);  // then up and down
  EXPECT_NEAR(spread(*va, 3), 0, 1e-9);    // none in depth
  EXPECT_TRUE(v.Fitted);
  expectAllInside(*va);
  // a proper turn (no mirror image), and the same picture from any turn before
  auto first = v.Orient;
  double det = first(1, 1) * (first(2, 2) * first(3, 3) - first(2, 3) * first(3, 2)) -
               first(1, 2) * (first(2, 1) * first(3, 3) - first(2, 3) * first(3, 1)) +
               first(1, 3) * (first(2, 1) * first(3, 2) - first(2, 2) * first(3, 1));
  EXPECT_NEAR(det, 1, 1e-9);
  Obr(*va, 1, 2, 1.7);
  Obr(*va, 3, 1, -2.3);
  Pic1_KeyDown(*va, ViewKey::Best, 0);
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 3; ++c) EXPECT_NEAR(v.Orient(r, c), first(r, c), 1e-9);
  // the structure itself is unchanged: distances in the working coordinates hold
  double d = 0;
  for (int c = 1; c <= 3; ++c) d += std::pow(va->m.XyzV(1, c) - va->m.XyzV(3, c), 2);
  EXPECT_NEAR(std::sqrt(d), std::hypot(4, 1.5), 1e-9);
}

TEST(BestView, OneAtomOrNoneOnlyFits) {
  ViewerApp va;
  buildModel(*va, {{6, 5, 5, 5}});
  Start(*va);
  BestView(*va);
  EXPECT_TRUE(va->obr.v.Fitted);
  EXPECT_DOUBLE_EQ(va->obr.v.DrawX(1), va->obr.v.Cx);
  EXPECT_FALSE(va->obr.Teker.visible);
}

TEST_F(WaterView, ArrowKeysTurnByTheButtonsStep) {
  auto& v = va->obr.v;
  auto angleAfter = [&](ViewKey key, int shift) {
    auto before = v.Orient;
    Pic1_KeyDown(*va, key, shift);
    double trace = 0;
    for (int i = 1; i <= 3; ++i)
      for (int k = 1; k <= 3; ++k) trace += v.Orient(i, k) * before(i, k);
    return std::acos(std::clamp((trace - 1) / 2, -1.0, 1.0)) * 180 / M_PI;
  };
  EXPECT_NEAR(angleAfter(ViewKey::Right, 0), 10, 1e-9);
  EXPECT_NEAR(angleAfter(ViewKey::Up, 1), 5, 1e-9);        // Shift
  EXPECT_NEAR(angleAfter(ViewKey::Left, 2), 2.5, 1e-9);    // Ctrl
  EXPECT_NEAR(angleAfter(ViewKey::Down, 4), 0.625, 1e-9);  // Alt
  // Right then Left brings the picture back; as a drag to the right, the right side goes away
  Pic1_KeyDown(*va, ViewKey::Right, 0);
  EXPECT_GT(v.Orient(1, 3), 0);
}

TEST_F(WaterView, EscapeLeavesTheModeOrStopsTheAnimation) {
  obut_Click(*va, 4);
  ASSERT_TRUE(va->obr.gemo.visible);
  Pic1_KeyDown(*va, ViewKey::Escape, 0);
  EXPECT_FALSE(va->obr.gemo.visible);
  DelAto_Click(*va);
  ASSERT_TRUE(va->obr.delmo.visible);
  Pic1_KeyDown(*va, ViewKey::Escape, 0);
  EXPECT_FALSE(va->obr.delmo.visible);
  Pic1_KeyDown(*va, ViewKey::Escape, 0);  // nothing to leave: nothing happens
  EXPECT_FALSE(va->obr.Teker.visible);
}

TEST(BallPicking, InsideABallTheNearestWinsAndOnlyWhereLabelsTakeClicks) {
  ViewerApp va;
  // two atoms overlapping on the screen, atom 2 nearer (smaller depth)
  buildModel(*va, {{6, 0, 0, 2}, {6, 0.1, 0, 0}, {8, 3, 0, 0}});
  Start(*va);
  auto& v = va->obr.v;
  int p2 = v.DrawPos(2), p3 = v.DrawPos(3);
  double r = v.BallRad(p3);
  EXPECT_EQ(ballAt(*va, v.DrawX(p2), v.DrawY(p2)), p2);
  EXPECT_EQ(ballAt(*va, v.DrawX(p3) + 0.9 * r, v.DrawY(p3)), p3);
  EXPECT_EQ(ballAt(*va, v.DrawX(p3) + 1.1 * r, v.DrawY(p3)), 0);
  EXPECT_EQ(pickAt(*va, v.DrawX(p3), v.DrawY(p3)), 0);  // the labels take no clicks yet
  obut_Click(*va, 4);
  EXPECT_EQ(pickAt(*va, v.DrawX(p3) + 0.9 * r, v.DrawY(p3)), p3);
  EXPECT_EQ(pickAt(*va, v.DrawX(p2), v.DrawY(p2)), p2);
}

}  // namespace
}  // namespace kel::testing
