// Kelvorin - desktop workbench for vibrational calculations.
// Finding the way around the picture: centring on the molecule, fitting it to the surface,
// zoom about a point, the best view on the principal axes, the keys of the surface and
// picking an atom by its ball.
#include "viewer/viewer.hpp"
#include "viewer/viewer_forms.hpp"
#include "viewer/viewer_guard.hpp"

#include <Eigen/Eigenvalues>

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

namespace kel {

namespace {

constexpr double FitMargin = 300.0;  // surface units kept free around a fitted picture
constexpr double ZoomStep = 1.1;     // one wheel notch or one + / - key
constexpr double MinScale = 100.0;   // the limits of Patyki
constexpr double MaxScale = 20000.0;

/// Row i of the working coordinates is drawn: present in the model and in the viewer.
bool shown(const Viewer& vw, int i) {
  return vw.m.Xyz(i, 0) >= 0 && vw.m.XyzV(i, 0) >= 0;
}

/// Largest ball radius of the atoms shown (the calibrated radii, or RMax before them).
double largestBall(const Viewer& vw) {
  const auto& v = vw.obr.v;
  if (v.ScaleSet == 0) return v.RMax;
  double r = 0;
  for (int i = 1; i <= v.NView; ++i)
    if (shown(vw, i)) r = std::max(r, v.RadFactor * sqz(vw.m.AtMas(i), v.SizeExp));
  return r;
}

/// Mask s of Shift 1, Ctrl 2, Alt 4 as the rotation buttons' step in units of 10 degrees.
double rotationStep(int shift) {
  long steps = std::lround(std::pow(2.0, std::clamp(shift, 0, 7)));
  return double(1.0f / float(steps));
}

/// Row i of a table of working coordinates (columns 1..3) on the turned axes.
template <typename Table>
void turnRow(Table& t, int i, const Eigen::Matrix3d& turn) {
  Eigen::Vector3d row(double(t(i, 1)), double(t(i, 2)), double(t(i, 3)));
  Eigen::Vector3d out = turn.transpose() * row;
  for (int c = 0; c < 3; ++c)
    t(i, c + 1) = static_cast<std::remove_reference_t<decltype(t(i, 1))>>(out(c));
}

}  // namespace

void centreOnBox(Viewer& vw) noexcept {
  vguard(vw, "centreOnBox", [&] {
    auto& v = vw.obr.v;
    double lo[4], hi[4];
    for (int c = 1; c <= 3; ++c) {
      lo[c] = std::numeric_limits<double>::max();
      hi[c] = -lo[c];
    }
    bool any = false;
    for (int i = 1; i <= v.NView; ++i) {
      if (!shown(vw, i)) continue;
      any = true;
      for (int c = 1; c <= 3; ++c) {
        lo[c] = std::min(lo[c], vw.m.XyzV(i, c));
        hi[c] = std::max(hi[c], vw.m.XyzV(i, c));
      }
    }
    for (int c = 1; c <= 3; ++c) v.Mid[std::size_t(c)] = any ? (lo[c] + hi[c]) / 2 : 0.0;
  });
}

void Fit(Viewer& vw) noexcept {
  vguard(vw, "Fit", [&] {
    auto& v = vw.obr.v;
    const Surface& s = *vw.obr.Pic1;
    centreOnBox(vw);
    v.Cx = s.scaleWidth() / 2;
    v.Cy = s.scaleHeight() / 2;
    double ex = 0, ey = 0;  // half extents about the middle
    for (int i = 1; i <= v.NView; ++i) {
      if (!shown(vw, i)) continue;
      ex = std::max(ex, std::fabs(vw.m.XyzV(i, 1) - v.Mid[1]));
      ey = std::max(ey, std::fabs(vw.m.XyzV(i, 2) - v.Mid[2]));
    }
    // A line or a single atom has no extent across: half an angstrom stands for it.
    ex = std::max(ex, 0.5);
    ey = std::max(ey, 0.5);
    double room = FitMargin + 2 * largestBall(vw);
    double scale =
        std::min((s.scaleWidth() - room) / (2 * ex), (s.scaleHeight() - room) / (2 * ey));
    scale = std::clamp(scale, MinScale, MaxScale);
    v.Scale = v.FitScale = v.ZoomRef = scale;
    v.Fitted = true;
    Uklad(vw, 1);
  });
}

void zoomAbout(Viewer& vw, double factor, double x, double y) noexcept {
  vguard(vw, "zoomAbout", [&] {
    auto& v = vw.obr.v;
    if (!(factor > 0) || v.Scale <= 0) return;
    double scale = std::clamp(v.Scale * factor, MinScale, MaxScale);
    double k = scale / v.Scale;
    v.Cx = x - (x - v.Cx) * k;
    v.Cy = y - (y - v.Cy) * k;
    v.Scale = scale;
    if (v.Scale > v.ZoomRef) v.ZoomRef = v.FitScale = v.Scale;
    v.Fitted = false;
    Plas(vw);
  });
}

void BestView(Viewer& vw) noexcept {
  vguard(vw, "BestView", [&] {
    auto& v = vw.obr.v;
    auto& m = vw.m;
    int n = 0;
    Eigen::Vector3d centre = Eigen::Vector3d::Zero();
    for (int i = 1; i <= v.NView; ++i) {
      if (!shown(vw, i)) continue;
      centre += Eigen::Vector3d(m.XyzV(i, 1), m.XyzV(i, 2), m.XyzV(i, 3));
      ++n;
    }
    if (n >= 2) {
      centre /= n;
      Eigen::Matrix3d spread = Eigen::Matrix3d::Zero();
      for (int i = 1; i <= v.NView; ++i) {
        if (!shown(vw, i)) continue;
        Eigen::Vector3d d = Eigen::Vector3d(m.XyzV(i, 1), m.XyzV(i, 2), m.XyzV(i, 3)) - centre;
        spread += d * d.transpose();
      }
      Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> solver(spread);
      if (solver.info() != Eigen::Success) throw BasicError{6};  // overflow
      // eigenvalues rise: the largest spread goes to screen x, the smallest to the depth
      Eigen::Matrix3d axes;
      for (int c = 0; c < 3; ++c) axes.col(c) = solver.eigenvectors().col(2 - c);
      Eigen::Matrix3d orient;
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) orient(r, c) = v.Orient(r + 1, c + 1);
      Eigen::Matrix3d wanted = orient * axes;
      // The same molecule gives the same picture whatever its turn before: each new axis
      // points so that its largest model component is positive, and the turn is proper.
      for (int c = 0; c < 3; ++c) {
        Eigen::Index big = 0;
        wanted.col(c).cwiseAbs().maxCoeff(&big);
        if (wanted(big, c) < 0) wanted.col(c) = -wanted.col(c);
      }
      if (wanted.determinant() < 0) wanted.col(2) = -wanted.col(2);
      Eigen::Matrix3d turn = orient.transpose() * wanted;  // working axes: old to new
      for (int i = 1; i <= v.NView; ++i) {
        turnRow(m.XyzV, i, turn);
        turnRow(v.VibDisp, i, turn);
        turnRow(v.ModeVec, i, turn);
      }
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) v.Orient(r + 1, c + 1) = wanted(r, c);
    }
    Fit(vw);
  });
}

int ballAt(const Viewer& vw, double x, double y) {
  const auto& v = vw.obr.v;
  for (int p = v.NView; p >= 1; --p) {  // the nearest ball is drawn last
    if (v.BallCol(p) == 0 || !shown(vw, p)) continue;
    double dx = x - v.DrawX(p), dy = y - v.DrawY(p);
    if (dx * dx + dy * dy <= v.BallRad(p) * v.BallRad(p)) return p;
  }
  return 0;
}

int pickAt(const Viewer& vw, double x, double y) {
  const auto& v = vw.obr.v;
  if (v.LabelsOn == 0 && v.KeepN == 0) return 0;
  if (int p = labelAt(vw, x, y); p != 0) return p;
  int p = ballAt(vw, x, y);
  return p != 0 && vw.obr.Za[std::size_t(p)].visible ? p : 0;
}

void Pic1_Wheel(Viewer& vw, double notches, double x, double y) noexcept {
  zoomAbout(vw, std::pow(ZoomStep, notches), x, y);
}

void Pic1_KeyDown(Viewer& vw, ViewKey key, int shift) noexcept {
  vguard(vw, "Pic1_KeyDown", [&] {
    auto& o = vw.obr;
    o.Teker.visible = false;
    double ai = rotationStep(shift);
    double mx = o.Pic1->scaleWidth() / 2, my = o.Pic1->scaleHeight() / 2;
    switch (key) {
      case ViewKey::Left:  // as a drag to the left
        Obr(vw, 3, 1, -ai);
        break;
      case ViewKey::Right:
        Obr(vw, 3, 1, ai);
        break;
      case ViewKey::Up:
        Obr(vw, 2, 3, ai);
        break;
      case ViewKey::Down:
        Obr(vw, 2, 3, -ai);
        break;
      case ViewKey::Plus:
        zoomAbout(vw, ZoomStep, mx, my);
        break;
      case ViewKey::Minus:
        zoomAbout(vw, 1 / ZoomStep, mx, my);
        break;
      case ViewKey::Fit:
        Fit(vw);
        break;
      case ViewKey::Best:
        BestView(vw);
        break;
      case ViewKey::Escape:
        if (o.v.VibOn != 0 && vw.m.VibMode > 0)
          StopVi(vw);
        else if (o.chamo.visible)
          leaveChange(vw);
        else if (o.delmo.visible)
          leaveDelete(vw);
        else if (o.gemo.visible)
          leaveGeometry(vw);
        break;
    }
  });
}

}  // namespace kel
