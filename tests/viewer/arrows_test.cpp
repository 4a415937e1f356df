// Kelvorin - desktop workbench for vibrational calculations.
#include "viewer/viewer_fixture.hpp"

#include <cmath>

namespace kel::testing {
namespace {

/// The arrow lines: black, 3 pixels wide (the sticks are grey and wider).
std::vector<std::size_t> arrowLines(const RecordingSurface& s) {
  std::vector<std::size_t> at;
  for (std::size_t k = 0; k < s.ops.size(); ++k)
    if (s.ops[k].kind == DrawOp::Line && s.ops[k].colour == 0 && s.ops[k].width == 3)
      at.push_back(k);
  return at;
}

TEST(Arrows, OnePerMovingAtomAboveEveryBallAndReadableWhenSmall) {
  // a heavy atom that barely moves, a light one that moves far, one that stays still
  ViewerApp va({{35, 0, 0, 0}, {1, 1.4, 0, 0}, {6, -1.5, 0, 0}}, {{1, 2}, {1, 3}});
  auto& m = va->m;
  m.NFrq = 1;
  m.ModeD(1, 1, 1) = -1;
  m.ModeD(1, 2, 1) = 90;
  m.ModeD(1, 2, 2) = 20;
  m.VibMode = 1;
  buildModeVec(*va);
  struct Case {
    int toggle;
    double amplitude;
    std::size_t lines;
  };
  for (auto c : {Case{0, 3, 0}, Case{1, 3, 6}, Case{1, 0, 0}}) {
    va->obr.Arrows.value = c.toggle;
    m.VibAmp = c.amplitude;
    Reno(*va);
    auto lines = arrowLines(va.surface);
    ASSERT_EQ(lines.size(), c.lines) << c.toggle << " " << c.amplitude;
    if (lines.empty()) continue;
    std::size_t lastBall = 0;
    for (std::size_t k = 0; k < va.surface.ops.size(); ++k)
      if (va.surface.ops[k].kind == DrawOp::Circle) lastBall = k;
    EXPECT_GT(lines.front(), lastBall);
    // each arrow: a shaft from the ball's rim, then its two head strokes
    auto& v = va->obr.v;
    for (int atom : {1, 2}) {
      int p = v.DrawPos(atom);
      const DrawOp* shaft = nullptr;
      for (auto k : lines) {
        const auto& op = va.surface.ops[k];
        double fromCentre = std::hypot(op.x - v.DrawX(p), op.y - v.DrawY(p));
        if (std::fabs(fromCentre - v.BallRad(p)) < 1e-6) shaft = &op;
      }
      ASSERT_NE(shaft, nullptr) << "atom " << atom;
      double len = std::hypot(shaft->x2 - shaft->x, shaft->y2 - shaft->y);
      double swing =
          6 * c.amplitude * v.Scale * std::hypot(m.ModeD(1, atom, 1), m.ModeD(1, atom, 2)) / 3000;
      EXPECT_NEAR(len, std::max(swing, 16 * TwipsPerPixel), 1e-6) << "atom " << atom;
      // pointing the way the atom moves on screen (x to the right)
      EXPECT_EQ(shaft->x2 > shaft->x, m.ModeD(1, atom, 1) > 0);
    }
  }
}

}  // namespace
}  // namespace kel::testing
