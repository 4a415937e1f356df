// Kelvorin - desktop workbench for vibrational calculations.
#include "viewer/viewer_fixture.hpp"

#include <cmath>

namespace kel::testing {
namespace {

constexpr double Pi = 3.14159265358979;
constexpr int Left = 1, Right = 2, Middle = 4, Shift = 1, Ctrl = 2;

struct Dragged : ::testing::Test {
  ViewerApp va{{{6, 1, 0, 0}, {8, 0, 1, 0}, {1, 0, 0, 1}}, {{1, 2}, {1, 3}}};
  double xv(int i, int c) { return va->m.XyzV(i, c); }
};

TEST_F(Dragged, MostlyHorizontalDragTurnsOnlyAboutTheVerticalAxis) {
  Pic1_MouseDown(*va, Left, 0, 1000, 1000);
  Pic1_MouseMove(*va, Left, 0, 1300, 1020);  // dy = -0.1 is below a tenth of dx = 1.5
  // Obr(3, 1, 1.5): 15 degrees in the plane of depth and x; y untouched
  EXPECT_DOUBLE_EQ(xv(2, 2), 1.0);
  EXPECT_NEAR(xv(1, 1), std::cos(15 * Pi / 180), 1e-12);
  EXPECT_NEAR(xv(1, 3), std::sin(15 * Pi / 180), 1e-12);
  EXPECT_DOUBLE_EQ(va->obr.v.RotStartX, 1300);
  EXPECT_DOUBLE_EQ(va->obr.v.RotStartY, 1020);  // the locked direction follows the pointer
}

TEST_F(Dragged, ShortDragDoesNotRotateNorMoveTheStart) {
  Pic1_MouseDown(*va, Left, 0, 1000, 1000);
  Pic1_MouseMove(*va, Left, 0, 1039, 961);  // 0.195 of a step each way
  EXPECT_DOUBLE_EQ(xv(1, 1), 1.0);
  EXPECT_DOUBLE_EQ(xv(2, 2), 1.0);
  EXPECT_DOUBLE_EQ(va->obr.v.RotStartX, 1000);
  Pic1_MouseMove(*va, Left, 0, 1050, 1000);  // the drag accumulates: 0.25 across
  EXPECT_NEAR(xv(1, 1), std::cos(2.5 * Pi / 180), 1e-12);
}

TEST_F(Dragged, VerticalDragTurnsAboutTheHorizontalAxis) {
  Pic1_MouseDown(*va, Left, 0, 1000, 1000);
  Pic1_MouseMove(*va, Left, 0, 1000, 800);  // up by 200: Obr(2, 3, +1)
  EXPECT_DOUBLE_EQ(xv(1, 1), 1.0);
  EXPECT_NEAR(xv(2, 2), std::cos(10 * Pi / 180), 1e-12);
  EXPECT_NEAR(xv(2, 3), -std::sin(10 * Pi / 180), 1e-12);
}

TEST_F(Dragged, ShiftDragTurnsInTheScreenPlane) {
  Pic1_MouseDown(*va, Left, Shift, 1000, 1000);
  Pic1_MouseMove(*va, Left, Shift, 900, 1000);  // a = 0.5
  EXPECT_NEAR(xv(1, 1), std::cos(5 * Pi / 180), 1e-12);
  EXPECT_NEAR(xv(1, 2), -std::sin(5 * Pi / 180), 1e-12);
  EXPECT_DOUBLE_EQ(xv(3, 3), 1.0);
}

TEST_F(Dragged, PanBelowTwentyUnitsWaitsThenMovesByTheWholeDrag) {
  auto& v = va->obr.v;
  double cx = v.Cx, cy = v.Cy;
  Pic1_MouseDown(*va, Middle, 0, 500, 500);
  Pic1_MouseMove(*va, Middle, 0, 515, 510);
  EXPECT_DOUBLE_EQ(v.Cx, cx);
  EXPECT_DOUBLE_EQ(v.PanStartX, 500);
  Pic1_MouseMove(*va, Middle, 0, 525, 510);
  EXPECT_DOUBLE_EQ(v.Cx, cx + 25);
  EXPECT_DOUBLE_EQ(v.Cy, cy);
  EXPECT_DOUBLE_EQ(v.PanStartX, 525);
  EXPECT_DOUBLE_EQ(v.PanStartY, 500);
}

TEST_F(Dragged, RightDragZoomsAcrossAndSizesBallsUpAndDown) {
  auto& v = va->obr.v;
  double scale = v.Scale;
  Pic1_MouseDown(*va, Right, 0, 1000, 1000);
  Pic1_MouseMove(*va, Right, 0, 1200, 1005);  // dx = 2: zoom by 10; dy below 0.1
  EXPECT_DOUBLE_EQ(v.Scale, scale + 10);
  EXPECT_EQ(v.RMax, 300);
  Pic1_MouseMove(*va, Right, 0, 1200, 900);  // dy = 1: Kulki(1) = 3 units
  EXPECT_EQ(v.RMax, 303);
  EXPECT_EQ(v.RMin, 184);  // 180 + 1.5 * 3 = 184.5, halves to even
}

TEST_F(Dragged, MoveWithoutButtonOnlyFocusesOrShowsTheMainWindow) {
  va->frm.visible = true;
  Pic1_MouseMove(*va, 0, 0, 10, 10);
  EXPECT_TRUE(va->obr.picFocus);
  EXPECT_DOUBLE_EQ(xv(1, 1), 1.0);
  va->frm.visible = false;
  va->obr.v.MainText = "water.xyz";
  Pic1_MouseMove(*va, 0, 0, 10, 10);
  EXPECT_TRUE(va->frm.visible);
  EXPECT_EQ(va->frm.Text1.text, "water.xyz");
  Pic1_MouseDown(*va, Left, 0, 0, 0);
  Pic1_MouseUp(*va);
  EXPECT_EQ(va->obr.v.Dragging, 0);
}

TEST_F(Dragged, CtrlWithButtonThirteenTurnsTwoAndAHalfDegrees) {
  obut_KeyDown(*va, 13, Ctrl);
  EXPECT_EQ(va->obr.v.RotStep, 4);
  EXPECT_EQ(va->obr.v.KeyColour, rgb(0, 255, 0));
  EXPECT_EQ(va->obr.obut[13].backColour, rgb(0, 255, 0));
  obut_Click(*va, 13);  // Obr(3, 1, 0.25)
  EXPECT_NEAR(xv(1, 1), std::cos(2.5 * Pi / 180), 1e-12);
  EXPECT_NEAR(xv(1, 3), std::sin(2.5 * Pi / 180), 1e-12);
  obut_KeyUp(*va, 13, 0);
  EXPECT_EQ(va->obr.v.RotStep, 1);
  EXPECT_EQ(va->obr.obut[13].backColour, 0xE0E0E0);
}

TEST_F(WaterView, ModifierKeysSetStepDivisorAndColour) {
  struct Row {
    int shift, step;  // 1 Shift, 2 Ctrl, 3 both, 4 Alt
    Colour colour;
  } rows[] = {{1, 2, rgb(255, 0, 0)},
              {2, 4, rgb(0, 255, 0)},
              {3, 8, rgb(255, 255, 0)},
              {4, 16, rgb(0, 0, 255)}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.shift);
    obut_KeyDown(*va, 9, r.shift);
    EXPECT_EQ(va->obr.v.RotStep, r.step);
    EXPECT_EQ(va->obr.v.KeyColour, r.colour);
  }
}

TEST_F(WaterView, ControlsBackgroundClickResetsLabelAndHydrogenButtonsCycle) {
  obut_KeyDown(*va, 9, Shift);
  va->obr.v.Sel[0] = 1;
  backgroundClick(*va, true);
  EXPECT_EQ(va->obr.v.RotStep, 1);
  EXPECT_EQ(va->obr.v.Sel[0], 0);
  EXPECT_EQ(va->obr.obut[9].backColour, 0xD0D0D0);
  // the label and hydrogen buttons cycle
  auto& v = va->obr.v;
  obut_Click(*va, 2);
  EXPECT_EQ(v.LabelMode, 1);
  EXPECT_EQ(va->obr.Za[1].caption, "O");
  obut_Click(*va, 2);
  EXPECT_EQ(va->obr.Za[1].caption, "  ");
  obut_Click(*va, 2);
  EXPECT_EQ(v.LabelMode, 0);
  for (int k : {1, 2, 0}) {
    obut_Click(*va, 3);
    EXPECT_EQ(v.HMode, k);
  }
}

TEST(Wait, EndsWhenTheClockHasAdvancedAndTheThrottleWaitsOnlyForLargeMoves) {
  auto app = newApp();
  SteppingClock clock(0.01);
  app->clock = &clock;
  app->loop = &clock;
  Wait(*app, 0);
  EXPECT_EQ(clock.yields(), 1);
  Wait(*app, 0.035);  // more than 0.035 s: four steps of 0.01
  EXPECT_EQ(clock.yields(), 5);
  Wait(*app, -1);
  EXPECT_EQ(clock.yields(), 5);
  SteppingClock throttle(0.01);
  app->clock = &throttle;
  app->loop = &throttle;
  double t = 1.0;
  MyWai(*app, t, 2.0, 1.5, 0.5);
  EXPECT_EQ(throttle.yields(), 0);
  EXPECT_DOUBLE_EQ(t, 1.5);
  MyWai(*app, t, 2.0, 4.0, 0);
  EXPECT_EQ(throttle.yields(), 1);
  EXPECT_DOUBLE_EQ(t, 1.0);  // sqrt(4) / 2
}

TEST_F(WaterView, ControlsResizeCentresAndProjectsAgain) {
  Patyki(*va, 10);  // zoomed: a resize only centres (a fitted picture is fitted again)
  double x = va->obr.v.DrawX(1);
  RecordingSurface bigger(1000, 700);
  va->obr.Pic1 = &bigger;
  va->obr.minimised = true;
  Form_Resize(*va);
  EXPECT_DOUBLE_EQ(va->obr.v.Cx, 6000);
  va->obr.minimised = false;
  Form_Resize(*va);
  EXPECT_DOUBLE_EQ(va->obr.v.Cx, 7500);
  EXPECT_DOUBLE_EQ(va->obr.v.Cy, 5250);
  // The picture follows the new centre (it moved by 1500 units to the right).
  EXPECT_DOUBLE_EQ(va->obr.v.DrawX(1), x + 1500);
  EXPECT_EQ(bigger.clears, 1);
  double w = 0, h = 0;
  surfaceSizeFor(16460, 9500, w, h);
  EXPECT_DOUBLE_EQ(w, 15000);
  EXPECT_DOUBLE_EQ(h, 8450);
}

}  // namespace
}  // namespace kel::testing
