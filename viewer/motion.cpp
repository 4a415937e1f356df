// Kelvorin - desktop workbench for vibrational calculations.
// Motion of the animated mode in still pictures: the displacement arrows, and the frames of
// one period as the animation shows them.
#include "model/mode_motion.hpp"
#include "viewer/viewer.hpp"
#include "viewer/viewer_forms.hpp"
#include "viewer/viewer_guard.hpp"

#include <algorithm>
#include <cmath>

namespace kel {

namespace {

constexpr Colour ArrowColour = 0;  // black, on a white halo: readable on every ball
constexpr Colour HaloColour = 16777215;
constexpr int ArrowWidth = 3, HaloWidth = 7;     // pixels
constexpr double MinArrow = 16 * TwipsPerPixel;  // a small motion still shows its direction
constexpr double MinHead = 8 * TwipsPerPixel, MaxHead = 18 * TwipsPerPixel;
constexpr double HeadShare = 0.3;   // of the arrow's length
constexpr double HeadAngle = 0.45;  // radians either side of the shaft
constexpr double Flat = 1e-9;       // screen length of a motion along the line of sight

/// The arrow of draw position p on screen: along the atom's swing at the animation's peak
/// phase, from the rim of its ball where it is drawn (the arrow moves with the atom, and the
/// atom's label stays readable) on by the swing, at least MinArrow. False when the atom does not
/// move across the screen.
bool arrowOf(Viewer& vw, int p, double& x1, double& y1, double& x2, double& y2, double& head) {
  auto& v = vw.obr.v;
  int i = v.DrawAtom(p);
  double reach = PeakPhase * vw.m.VibAmp * v.Scale;
  double dx = v.ModeVec(i, 1) * reach, dy = v.ModeVec(i, 2) * reach;
  double len = std::hypot(dx, dy);
  if (!(len > Flat)) return false;
  double ux = dx / len, uy = dy / len;
  double rim = v.BallCol(p) != 0 ? v.BallRad(p) : 0.0;
  x1 = v.DrawX(p) + ux * rim;
  y1 = v.DrawY(p) + uy * rim;
  double shown = std::max(len, MinArrow);
  x2 = x1 + ux * shown;
  y2 = y1 + uy * shown;
  head = std::clamp(shown * HeadShare, MinHead, MaxHead);
  return true;
}

}  // namespace

void drawArrows(Viewer& vw) noexcept {
  vguard(vw, "drawArrows", [&] {
    auto& v = vw.obr.v;
    auto& m = vw.m;
    if (vw.obr.Arrows.value == 0 || m.VibMode <= 0 || m.VibMode > m.NFrq) return;
    Surface& s = *vw.obr.Pic1;
    // Two passes: every halo first, so that no halo cuts through another atom's arrow.
    for (int pass = 0; pass < 2; ++pass) {
      s.setLineWidth(pass == 0 ? HaloWidth : ArrowWidth);
      Colour c = pass == 0 ? HaloColour : ArrowColour;
      for (int p = 1; p <= v.NView; ++p) {
        if (m.XyzV(p, 0) < 0 || (v.BallCol(p) == 0 && v.HMode == 2)) continue;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0, head = 0;
        if (!arrowOf(vw, p, x1, y1, x2, y2, head)) continue;
        double back = std::atan2(y1 - y2, x1 - x2);
        s.line(x1, y1, x2, y2, c);
        for (double side : {-HeadAngle, HeadAngle})
          s.line(x2, y2, x2 + head * std::cos(back + side), y2 + head * std::sin(back + side), c);
      }
    }
  });
}

void Arrows_Click(Viewer& vw) noexcept {
  vguard(vw, "Arrows_Click", [&] {
    auto& a = vw.obr.Arrows;
    a.value = a.value != 0 ? 0 : 1;
    Reno(vw);
  });
}

void animationFrame(Viewer& vw, int k, int n) noexcept {
  vguard(vw, "animationFrame", [&] {
    if (vw.m.VibMode <= 0) return;
    vibPhase(vw, periodPhase(k, n));
    Uklad(vw, 1);
  });
}

}  // namespace kel
