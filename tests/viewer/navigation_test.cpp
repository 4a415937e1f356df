// Kelvorin - desktop workbench for vibrational calculations.
// Centring on the molecule, fit, the best view and picking by the ball.
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

TEST_F(WaterView, FitAfterZoomAndRefitOnResize) {
  auto& v = va->obr.v;
  Pic1_Wheel(*va, 8, 100, 100);  // zoomed and moved aside
  Fit(*va);
  EXPECT_TRUE(v.Fitted);
  EXPECT_DOUBLE_EQ(v.Cx, 6000);
  expectAllInside(*va);
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
  BestView(*va);
  auto& v = va->obr.v;
  EXPECT_NEAR(spread(*va, 1), 4, 1e-9);    // the longest extent across
  EXPECT_NEAR(spread(*va, 2), 1.5, 1e-9);  // then up and down
  EXPECT_NEAR(spread(*va, 3), 0, 1e-9);    // none in depth
  EXPECT_TRUE(v.Fitted);
  // the same picture from any turn before
  auto first = v.Orient;
  Obr(*va, 1, 2, 1.7);
  Obr(*va, 3, 1, -2.3);
  Pic1_KeyDown(*va, ViewKey::Best, 0);
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 3; ++c) EXPECT_NEAR(v.Orient(r, c), first(r, c), 1e-9);
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
