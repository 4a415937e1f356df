// Kelvorin - desktop workbench for vibrational calculations.
// Painting one frame: balls, sticks, label texts and selection markers; the element colours
// and the colour file; the ball sizes.
#include "base/convert.hpp"
#include "viewer/viewer.hpp"
#include "viewer/viewer_forms.hpp"
#include "viewer/viewer_guard.hpp"
#include "viewer/viewer_limits.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kel {

namespace {

constexpr std::string_view WithoutAtom = "without atom";
constexpr std::string_view TwoBlanks = "  ";
constexpr std::string_view IntPattern = "########0";
constexpr Colour White = 16777215;
constexpr int LastColoured = 85;  // elements above keep black
constexpr int ColourChannel = 7;
constexpr int SelectionRings = 2;          // the selection mark: rings outside the ball
constexpr double SelectionRingGap = 45.0;  // surface units between the ball and each ring

Colour pack(const Tab<i16, 90, 3>& t, int z) {
  return rgb(t(z, 1), t(z, 2), t(z, 3));
}

void setRgb(Tab<i16, 90, 3>& t, int z, int r, int g, int b) {
  t(z, 1) = i16(r);
  t(z, 2) = i16(g);
  t(z, 3) = i16(b);
}

/// The label's box from its caption and font, measured again only when one of them or the
/// surface changed.
void fitLabel(Viewer& vw, int p) {
  auto& lab = vw.obr.Za[std::size_t(p)];
  const Surface* s = vw.obr.Pic1;
  if (lab.sizedOn == s && lab.sizedFont == lab.fontSize && lab.sizedCaption == lab.caption) return;
  vw.obr.Pic1->textSize(lab.caption, lab.fontSize, lab.width, lab.height);
  lab.sizedOn = s;
  lab.sizedFont = lab.fontSize;
  lab.sizedCaption = lab.caption;
}

}  // namespace

void limitRadii(ViewState& v, double rmin, double rmax, bool shrinking) {
  rmin = std::clamp(rmin, -30000.0, 30000.0);
  rmax = std::clamp(rmax, -30000.0, 30000.0);
  rmin = roundHalfEven(rmin);
  rmax = roundHalfEven(rmax);
  if (rmin < 10) rmin = 10;
  if (rmax < 20) rmax = 20;
  if (rmax < rmin + 10) rmax = rmin + 10;
  if (rmin > rmax / 1.2) {
    if (shrinking)
      rmin = roundHalfEven(rmax / 1.2);
    else
      rmax = roundHalfEven(rmin * 1.2);
  }
  if (rmax > 990) rmax = 990;
  if (rmin > 660) rmin = 660;
  if (rmax > 20 * rmin) rmax = 20 * rmin;
  v.RMin = CInt(rmin);
  v.RMax = CInt(rmax);
}

void colourDefaults(ViewState& v) {
  v.ElBallRgb.fill(0);
  v.ElLabRgb.fill(0);
  auto& b = v.ElBallRgb;
  auto& l = v.ElLabRgb;
  setRgb(b, 0, 192, 192, 192);
  setRgb(l, 0, 160, 160, 160);
  setRgb(b, 1, 222, 222, 222);
  setRgb(b, 2, 192, 192, 255);
  setRgb(b, 3, 128, 255, 128);
  setRgb(b, 4, 128, 128, 220);
  setRgb(b, 5, 220, 128, 128);
  setRgb(b, 6, 0, 255, 0);
  setRgb(b, 7, 60, 60, 255);
  setRgb(b, 8, 255, 60, 60);
  setRgb(l, 1, 128, 128, 220);
  setRgb(l, 2, 255, 60, 60);
  setRgb(l, 3, 222, 222, 222);
  setRgb(l, 4, 0, 255, 0);
  setRgb(l, 5, 222, 222, 222);
  setRgb(l, 7, 195, 195, 0);
  setRgb(l, 8, 0, 195, 195);
  for (int z = 9; z <= LastColoured; ++z) {
    int t = 3 * z;
    if (z % 3 == 0)
      setRgb(b, z, t, 120, 240);
    else if (z % 3 == 1)
      setRgb(b, z, 240, t, 120);
    else
      setRgb(b, z, 120, 240, t);
  }
  setRgb(l, 6, 255, 0, 255);
  for (int z = 9; z <= LastColoured; ++z) setRgb(l, z, 255 - b(z, 1), 255 - b(z, 2), 255 - b(z, 3));
  v.ElBall.fill(0);
  v.ElLab.fill(0);
  for (int z = 0; z <= LastColoured; ++z) {
    v.ElBall(z) = pack(b, z);
    v.ElLab(z) = pack(l, z);
  }
}

// Colour file: Z, ball red, green, blue, label red, green, blue; free format, e.g.
//   7    60  60 255    195 195   0
void readColours(Viewer& vw) noexcept {
  vguard(vw, "readColours", [&] {
    auto& v = vw.obr.v;
    const std::string& name = vw.m.KolNam;
    if (spl(name) < 1) return;
    auto& in = vw.work.files.openInput(ColourChannel, name);
    std::array<bool, 91> marked{};
    double x = 0;
    while (in.tryInputNumber(x)) {
      if (x < 0 || x > 90) break;
      int z = CInt(x);
      bool whole = true;
      for (int c = 1; c <= 6 && whole; ++c) {
        if (!in.tryInputNumber(x)) {
          whole = false;
          break;
        }
        auto& t = c <= 3 ? v.ElBallRgb : v.ElLabRgb;
        t(z, c <= 3 ? c : c - 3) = CInt(std::clamp(x, -32768.0, 32767.0));
        if (x < 0 || x > 255) whole = false;
      }
      if (!whole) break;
      marked[std::size_t(z)] = true;
    }
    vw.work.files.close(ColourChannel);
    for (int z = 0; z <= LastColoured; ++z) {
      if (!marked[std::size_t(z)]) continue;
      v.ElBall(z) = pack(v.ElBallRgb, z);
      v.ElLab(z) = pack(v.ElLabRgb, z);
    }
  });
}

void writeColours(Viewer& vw, const std::string& name) noexcept {
  vguard(vw, "writeColours", [&] {
    auto& v = vw.obr.v;
    vw.work.files.openOutput(ColourChannel, name);
    for (int z = 0; z <= LastColoured; ++z) {
      std::string line = fieldText(z, IntPattern, 3) + "   ";
      for (int c = 1; c <= 3; ++c) line += fieldText(v.ElBallRgb(z, c), IntPattern, 4);
      line += "   ";
      for (int c = 1; c <= 3; ++c) line += fieldText(v.ElLabRgb(z, c), IntPattern, 4);
      vw.work.files.writeLine(ColourChannel, line);
    }
    vw.work.files.close(ColourChannel);
  });
}

double sqz(double x, int k) noexcept {
  if (x > 0 && k != 0) return std::pow(x, 1.0 / k);
  return 1.0;
}

double Rsi(double a, double b, double c) noexcept {
  double ab = a * a + b * b;
  if (ab == 0) return 0.0;
  return std::sin(a / std::sqrt(ab)) * std::fabs(std::cos(c / std::sqrt(ab + c * c)));
}

void Skala(Viewer& vw) noexcept {
  vguard(vw, "Skala", [&] {
    auto& v = vw.obr.v;
    double f = std::sqrt(double(v.RMin) / (v.RMax + 10.0));
    f = std::clamp(f, 0.8, 1.0);
    if (v.ScaleSet == 0) v.Scale = v.ZoomRef * f;
    double diff = v.RMax - v.RMin;
    v.SizeExp = 0;
    v.RadFactor = (v.RMin + v.RMax) / 2.0;
    if (v.ViewExt(3, 0) != 1.0 && diff >= 21 && v.RMax > 99) {
      for (int k = 1; k <= 99; ++k) {
        double a = v.RMin / sqz(v.ViewExt(1, 0), k);
        double b = v.RMax / sqz(v.ViewExt(2, 0), k);
        double d = std::fabs(a - b);
        if (d < diff) {
          diff = d;
          v.SizeExp = i16(k);
          v.RadFactor = (a + b) / 2;
          if (d < 10) break;
        }
      }
    }
    Plas(vw);
  });
}

void Kulki(Viewer& vw, double a) noexcept {
  vguard(vw, "Kulki", [&] {
    auto& v = vw.obr.v;
    double f = v.RMin / (v.RMax + 10.0);
    double g = std::min(f + 1, 1.5);
    double dv = std::fabs(a) < 10000 ? roundHalfEven(3 * a) : roundHalfEven(a);
    if (f < 0.8 && a < 0) g = 1 / g;
    limitRadii(v, roundHalfEven(v.RMin + g * dv), v.RMax + dv, a < 0);
    Skala(vw);
  });
}

void Numery(Viewer& vw) noexcept {
  vguard(vw, "Numery", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    for (int p = 1; p <= v.NView; ++p) {
      auto& lab = o.Za[std::size_t(p)];
      if (v.LabelMode == 0)
        lab.caption = std::to_string(v.DrawAtom(p));
      else if (v.LabelMode == 1)
        lab.caption = v.DrawSym(p);
      else {
        lab.caption = std::string(TwoBlanks);
        lab.opaque = false;
        fitLabel(vw, p);
        continue;
      }
      Etb(vw, p);
    }
  });
}

void Etb(Viewer& vw, int p) noexcept {
  vguard(vw, "Etb", [&] {
    auto& v = vw.obr.v;
    auto& lab = vw.obr.Za[std::size_t(p)];
    fitLabel(vw, p);
    double diagonal = std::sqrt(lab.width * lab.width + lab.height * lab.height);
    if (v.BallCol(p) == 0 || diagonal / 2.5 > v.BallRad(p)) {
      lab.opaque = false;
      return;
    }
    lab.opaque = true;
    lab.backColour = v.BallCol(p);
  });
}

void hat_ren(Viewer& vw) noexcept {
  vguard(vw, "hat_ren", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    for (int p = 1; p <= v.NView; ++p) {
      if (vw.m.Xyz(p, 0) < 0) continue;
      auto& lab = o.Za[std::size_t(p)];
      v.LabVis(p) = -1;
      if (v.LabelsOn) lab.visible = true;
      if (v.DrawZat(p) != 1) continue;
      v.BallCol(p) = v.HMode == 0 ? v.ElBall(1) : 0;
      if (v.HMode == 2) {
        v.LabVis(p) = 0;
        if (v.LabelsOn) lab.visible = false;
      }
    }
  });
}

void Reno(Viewer& vw) noexcept {
  vguard(vw, "Reno", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    auto& m = vw.m;
    Surface& s = *o.Pic1;
    s.clear();
    int stick = v.RMin < 121 ? 4 : 7;
    int n = v.NView;
    // the bonded partners j of each position p, in increasing j, as the projection left them
    const auto& start = v.BondStart;
    const auto& partner = v.BondPartner;
    bool listed = start.size() >= std::size_t(n) + 2;  // not yet projected: no sticks
    for (int p = 1; p <= n; ++p) {
      auto& lab = o.Za[std::size_t(p)];
      if (v.LabelsOn) {
        v.LabVis(p) = lab.visible ? -1 : 0;
        lab.visible = false;
      }
      cr_add(vw, v.DrawX(p), v.DrawY(p), p);
      if (m.XyzV(p, 0) < 0 && v.KeepN != 0) tekst(vw, std::string(WithoutAtom) + Str(p));
      // sticks towards atoms no nearer than p; the others are drawn with those atoms
      if (listed && v.DrawNb(p) != 0 && v.BallCol(p) > 0) {
        for (int k = start[std::size_t(p)]; k < start[std::size_t(p) + 1]; ++k) {
          int j = partner[std::size_t(k)];
          if (v.BallCol(j) <= 0) continue;
          double dz = v.DrawZ(p) - v.DrawZ(j);
          if (dz < 0 && v.DrawNb(j) == 0) dz = -dz;
          if (dz < 0) continue;
          double dx = v.DrawX(p) - v.DrawX(j), dy = v.DrawY(p) - v.DrawY(j);
          double c1 = Rsi(dx, dy, dz), c2 = Rsi(dy, dx, dz);
          s.setLineWidth(stick);
          s.line(v.DrawX(p) - v.BallRad(p) * c1, v.DrawY(p) - v.BallRad(p) * c2,
                 v.DrawX(j) + v.BallRad(j) * c1, v.DrawY(j) + v.BallRad(j) * c2, v.ElBall(0));
        }
      }
      Etb(vw, p);
      lab.left = v.DrawX(p) - lab.width / 2;
      lab.top = v.DrawY(p) - lab.height / 2;
      if (m.XyzV(p, 0) >= 0 && (v.BallCol(p) > 0 || v.HMode < 2)) {
        s.setTextPos(lab.left, lab.top);
        s.setFontSize(lab.fontSize);
        lab.foreColour = 0;
        s.printText(lab.caption);
      }
    }
    drawArrows(vw);
    for (i16 sel : v.Sel) {
      if (sel == 0) continue;
      int q = v.DrawPos(sel);
      cr_fil(vw, v.DrawX(q), v.DrawY(q), q);
    }
    if (v.KeepN != 0 || v.LabelsOn != 0)
      for (int p = 1; p <= n; ++p) o.Za[std::size_t(p)].visible = v.LabVis(p) != 0;
  });
}

void cr_add(Viewer& vw, double x, double y, int p) noexcept {
  vguard(vw, "cr_add", [&] {
    auto& v = vw.obr.v;
    if (v.BallCol(p) == 0 || vw.m.Xyz(p, 0) < 0 || vw.m.XyzV(p, 0) < 0) return;
    Surface& s = *vw.obr.Pic1;
    Colour outline = v.ElLab(0) == White ? v.BallCol(p) : v.ElLab(0);
    s.setLineWidth(1);
    s.setFillColour(v.BallCol(p));
    s.setFillStyle(FillStyle::Solid);
    s.circle(x, y, v.BallRad(p), outline);
  });
}

void cr_fil(Viewer& vw, double x, double y, int p) noexcept {
  vguard(vw, "cr_fil", [&] {
    auto& v = vw.obr.v;
    Surface& s = *vw.obr.Pic1;
    // Rings around the ball, so that the atom's number inside it stays readable.
    s.setFillStyle(FillStyle::None);
    s.setLineWidth(2);
    for (int k = 1; k <= SelectionRings; ++k)
      s.circle(x, y, v.BallRad(p) + k * SelectionRingGap, v.LabCol(p));
  });
}

}  // namespace kel
