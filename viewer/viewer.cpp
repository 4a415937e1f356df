// Kelvorin - desktop workbench for vibrational calculations.
// The viewer's start, axis views, scale fitting, depth order, zoom, rotation and projection.
#include "viewer/viewer.hpp"

#include "base/convert.hpp"
#include "viewer/texts.hpp"
#include "viewer/viewer_forms.hpp"
#include "viewer/viewer_guard.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace kel {

namespace {

constexpr std::string_view GeometryCaption = "&Geometry";
constexpr std::string_view VibrationsCaption = texts::VibrationsCaption;
constexpr std::string_view ScaleComplaint = "dupsko";
constexpr double SurfaceMargin = 300.0;  // surface units kept free around the picture

/// The smaller of the two fits of extents ex, ey to the surface.
double fitOf(const Surface& s, double ex, double ey) {
  double f = (s.scaleWidth() - SurfaceMargin) / ex;
  double g = (s.scaleHeight() - SurfaceMargin) / ey;
  return g < f ? g : f;
}

/// Font size of a label by the radius of its ball.
double labelFont(double radius) {
  double r = radius - 199;
  if (r <= 0) return 8;
  if (r <= 40) return 10;
  if (r <= 90) return 12;
  if (r <= 180) return 14;
  if (r <= 240) return 17;
  return 24;
}

}  // namespace

void viewerError(Viewer& vw, std::string_view name, int number) {
  auto& t = vw.obr.Teker;
  t.text = std::string(name) + " ERROR " + std::to_string(number) + "  " +
           std::string(errorDescription(number));
  t.visible = true;
  ++vw.work.erraCount;
  vw.work.files.closeAll();
}

void Start(Viewer& vw) noexcept {
  vguard(vw, "Start", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    auto& m = vw.m;
    Surface& s = *o.Pic1;
    // 1. state of the controls
    s.clear();
    v.RotStep = 1;
    v.Sel.fill(0);
    o.gemo.visible = false;
    v.LabelsOn = 0;
    m.VibMode = 0;
    v.VibDisp.fill(0.0f);
    v.ModeVec.fill(0.0);
    o.obut[4].text = std::string(GeometryCaption);
    o.obut[5].enabled = false;
    if (m.NFrq != 0) {
      o.obut[5].enabled = true;
      o.obut[5].text = std::string(VibrationsCaption);
      v.VibOn = 0;
    }
    if (!o.stary.visible) setWynik(vw, "");
    for (int p = 1; p <= MaxAt; ++p) {
      o.Za[std::size_t(p)].caption = std::to_string(p);
      o.Za[std::size_t(p)].visible = false;
    }
    // 2. colours
    colourDefaults(v);
    // 3. extents without zeros, orientation
    for (int r = 0; r <= 3; ++r)
      for (int c = 0; c <= 3; ++c) v.ViewExt(r, c) = m.Box(r, c) == 0 ? 1.0 : m.Box(r, c);
    v.Orient.fill(0.0);
    for (int c = 1; c <= 3; ++c) v.Orient(c, c) = 1.0;
    v.LabelMode = 0;
    v.ScaleSet = 0;
    // 4. atoms shown
    if (v.KeepN == 0) v.NView = m.NAt;
    if (v.NView == 0) v.NView = 1;
    m.Xyz(0, 0) = -1;
    // 5. text box font, the main window's text
    o.wynik.fontSize = v.NView > 100 ? 10 : 12;
    v.MainText = vw.work.con.Text1.text;
    // 6. draw order, undo button, modes
    for (int i = 0; i <= MaxAt; ++i) {
      v.LabVis(i) = -1;
      v.DrawAtom(i) = i16(i);
    }
    o.stary.visible = false;
    v.KeepN = 0;
    for (int i = 15; i <= 17; ++i) o.obut[i].visible = false;
    o.delmo.visible = false;
    // 7. ball radii
    double rmin = 180, rmax = 300;
    if (v.ViewExt(0, 0) >= 7.0) {
      rmin = 150;
      rmax = 220;
    }
    double div = m.NAt > 50 ? 2.0 : m.NAt > 20 ? 1.25 : 1.0;
    v.RMin = CInt(rmin / div);
    v.RMax = CInt(rmax / div);
    // 8. centre and fitted scale
    v.Cx = s.scaleWidth() / 2;
    v.Cy = s.scaleHeight() / 2;
    v.FitScale = fitOf(s, v.ViewExt(3, 1), v.ViewExt(3, 2));
    // 9. working coordinates
    for (int i = 1; i <= MaxAt; ++i)
      for (int c = 0; c <= 3; ++c) m.XyzV(i, c) = m.Xyz(i, c);
    for (int i = v.NView + 1; i <= MaxAt; ++i) m.XyzV(i, 0) = -1;
    // A read that gave no atom leaves the one draw position empty: no ball from old rows.
    if (m.NAt == 0) m.XyzV(1, 0) = -1;
    centreOnBox(vw);
    v.Fitted = true;
    // 10. first frame; 11. colour file (seen at the next projection)
    Uklad(vw, 0);
    readColours(vw);
  });
}

void UkObr(Viewer& vw, int k) noexcept {
  vguard(vw, "UkObr", [&] {
    auto& v = vw.obr.v;
    auto& m = vw.m;
    v.Orient.fill(0.0);
    for (int c = 1; c <= 3; ++c) {
      int d = c + k - 1;
      if (d > 3) d -= 3;
      for (int i = 1; i <= MaxAt; ++i) m.XyzV(i, c) = m.Xyz(i, d);
      v.Orient(d, c) = 1.0;
    }
    v.Cx = vw.obr.Pic1->scaleWidth() / 2;
    v.Cy = vw.obr.Pic1->scaleHeight() / 2;
    centreOnBox(vw);
    v.Fitted = true;
    buildModeVec(vw);
    UkSkal(vw, k);
    v.ScaleSet = 0;
  });
}

void UkSkal(Viewer& vw, int k) noexcept {
  vguard(vw, "UkSkal", [&] {
    auto& v = vw.obr.v;
    auto& m = vw.m;
    int a = k;
    int b = a % 3 + 1;
    int c = b % 3 + 1;
    v.ViewExt(1, a) = v.ViewExt(2, a) = -0.1;
    v.ViewExt(1, b) = v.ViewExt(2, b) = 0.1;
    for (int i = 1; i <= v.NView; ++i) {
      if (m.Xyz(i, 0) < 0) continue;
      for (int ax : {a, b}) {
        double x = m.Xyz(i, ax);
        if (x < v.ViewExt(1, ax)) v.ViewExt(1, ax) = x;
        if (x > v.ViewExt(2, ax)) v.ViewExt(2, ax) = x;
      }
    }
    for (int ax : {a, b}) v.ViewExt(3, ax) = v.ViewExt(2, ax) - v.ViewExt(1, ax);
    double big = v.ViewExt(3, a);
    if (v.ViewExt(3, b) > big) big = v.ViewExt(3, b);
    if (v.ViewExt(3, c) > big) big = v.ViewExt(3, c);
    if (big <= 0) big = 1.0;  // every atom on one point of the plane
    v.FitScale = fitOf(*vw.obr.Pic1, big, big);
  });
}

void Uklad(Viewer& vw, int flag) noexcept {
  vguard(vw, "Uklad", [&] {
    auto& v = vw.obr.v;
    auto& m = vw.m;
    // 1. depth order, farthest first; the exchange sort keeps its own order of equal keys
    for (int i = 0; i <= MaxAt; ++i) v.DepthList(i) = i16(i);
    int n = v.NView;
    std::vector<i16> atom(std::size_t(n) + 1);
    std::vector<double> key(std::size_t(n) + 1);
    for (int i = 1; i <= n; ++i) {
      atom[std::size_t(i)] = i16(i);
      key[std::size_t(i)] = double(v.VibDisp(i, 3)) + m.XyzV(i, 3);
    }
    // Distinct keys have one descending order, which any sort finds; equal keys end up in
    // the order of the exchange sort, which is then run as such.
    std::vector<i16> sorted(atom.begin() + 1, atom.end());
    std::sort(sorted.begin(), sorted.end(),
              [&](i16 a, i16 b) { return key[std::size_t(a)] > key[std::size_t(b)]; });
    bool ties = false;
    for (std::size_t k = 1; k < sorted.size() && !ties; ++k)
      ties = key[std::size_t(sorted[k - 1])] == key[std::size_t(sorted[k])];
    if (!ties) {
      std::copy(sorted.begin(), sorted.end(), atom.begin() + 1);
    } else {
      for (int i = 1; i < n; ++i)
        for (int j = i + 1; j <= n; ++j)
          if (key[std::size_t(i)] < key[std::size_t(j)]) {
            std::swap(key[std::size_t(i)], key[std::size_t(j)]);
            std::swap(atom[std::size_t(i)], atom[std::size_t(j)]);
          }
    }
    for (int i = 1; i <= n; ++i) v.DepthList(i) = atom[std::size_t(i)];
    if (flag != 0) {
      Plas(vw);
      return;
    }
    // 3. a fit outside the usable range is reported and replaced
    if (v.FitScale < 100 || v.FitScale > 32000) {
      vw.obr.wynik.text = Str(v.FitScale) + std::string(ScaleComplaint);
      v.FitScale = 1000;
    }
    if (v.ScaleSet == 0) {
      v.ZoomRef = v.FitScale;
      Skala(vw);
      v.ScaleSet = 1;
      return;
    }
    v.ScaleSet = 1;
    if (v.FitScale < v.Scale) v.ZoomRef = v.Scale = v.FitScale;
    Plas(vw);
  });
}

void Patyki(Viewer& vw, double a) noexcept {
  vguard(vw, "Patyki", [&] {
    auto& v = vw.obr.v;
    v.Scale += 5 * a;
    v.Fitted = false;
    if (v.Scale > v.ZoomRef) v.ZoomRef = v.FitScale = v.Scale;
    if (v.Scale < 100) v.Scale = 100;
    if (v.Scale > 20000) v.Scale = 20000;
    Plas(vw);
  });
}

void Obr(Viewer& vw, int k1, int k2, double ai) noexcept {
  vguard(vw, "Obr", [&] {
    auto& v = vw.obr.v;
    auto& m = vw.m;
    double th = ai * m.Pi / 18;
    double c = std::cos(th), s = std::sin(th);
    auto turn = [&](double& u, double& w) {
      double nu = c * u + s * w;
      double nw = -s * u + c * w;
      u = nu;
      w = nw;
    };
    for (int r = 1; r <= 3; ++r) turn(v.Orient(r, k1), v.Orient(r, k2));
    turn(v.Mid.at(std::size_t(k1)),
         v.Mid.at(std::size_t(k2)));  // the picture turns about its middle
    for (int i = 1; i <= v.NView; ++i) {
      turn(m.XyzV(i, k1), m.XyzV(i, k2));
      double u = v.VibDisp(i, k1), w = v.VibDisp(i, k2);
      turn(u, w);
      v.VibDisp(i, k1) = float(u);
      v.VibDisp(i, k2) = float(w);
      turn(v.ModeVec(i, k1), v.ModeVec(i, k2));
    }
    Uklad(vw, 1);
  });
}

void Plas(Viewer& vw) noexcept {
  vguard(vw, "Plas", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    auto& m = vw.m;
    int n = v.NView;
    for (int p = 1; p <= n; ++p) o.Za[std::size_t(p)].visible = false;
    int k = 0;
    for (int p = 1; p <= n; ++p) {
      if (m.XyzV(p, 0) < 0) continue;
      ++k;
      int i = v.DepthList(k);
      int z = m.AtZ(i);
      v.DrawPos(i) = i16(p);
      v.DrawAtom(p) = i16(i);
      v.DrawZat(p) = i16(z);
      v.DrawSym(p) = m.AtSym(i);
      v.BallRad(p) = v.RadFactor * sqz(m.AtMas(i), v.SizeExp);
      v.BallCol(p) = v.ElBall(z);
      v.LabCol(p) = v.ElLab(z);
      auto& lab = o.Za[std::size_t(p)];
      lab.fontSize = labelFont(v.BallRad(p));
      lab.bold = true;
      v.DrawX(p) = (double(v.VibDisp(i, 1)) + m.XyzV(i, 1) - v.Mid[1]) * v.Scale + v.Cx;
      v.DrawY(p) = (double(v.VibDisp(i, 2)) + m.XyzV(i, 2) - v.Mid[2]) * v.Scale + v.Cy;
      v.DrawZ(p) = (double(v.VibDisp(i, 3)) + m.XyzV(i, 3)) * v.Scale;
    }
    for (int p = 1; p <= n; ++p) v.DrawNb(p) = m.NBond(v.DrawAtom(p));
    // Column by column: the first index runs fastest in both tables. Rows of atoms without
    // bonds keep what they held.
    // The bonded pairs are kept as lists too, so that painting need not scan the matrix.
    const i16* atomAt = &v.DrawAtom(0);
    const i16* nb = &v.DrawNb(0);
    std::vector<std::pair<int, int>> pairs;
    auto& start = v.BondStart;
    start.assign(std::size_t(n) + 2, 0);
    for (int j = 1; j <= n; ++j) {
      i16* bond = v.DrawBond.run(0, n, j).data();
      const i16* mpo = &m.Mpo(0, atomAt[j]);
      for (int p = 1; p <= n; ++p)
        if (nb[p] != 0 && (bond[p] = mpo[atomAt[p]]) != 0) {
          pairs.emplace_back(p, j);
          ++start[std::size_t(p) + 1];
        }
    }
    for (int p = 1; p <= n; ++p) start[std::size_t(p) + 1] += start[std::size_t(p)];
    v.BondPartner.resize(pairs.size());
    std::vector<int> next(start.begin(), start.end());
    for (auto [p, j] : pairs) v.BondPartner[std::size_t(next[std::size_t(p)]++)] = j;
    Numery(vw);
    hat_ren(vw);
    Reno(vw);
  });
}

}  // namespace kel
