// Kelvorin - desktop workbench for vibrational calculations.
// Geometry mode: atoms picked by their labels, distances, angles and torsions; the ball-size
// entry of the text box.
#include "base/convert.hpp"
#include "base/strings.hpp"
#include "model/geometry.hpp"
#include "viewer/viewer.hpp"
#include "viewer/viewer_forms.hpp"
#include "viewer/viewer_guard.hpp"
#include "viewer/viewer_limits.hpp"

#include <cmath>

namespace kel {

namespace {

constexpr std::string_view GeometryCaption = "&Geometry";
constexpr std::string_view ClickTwoAtLeast = "click at least two atoms";
constexpr std::string_view Cancelled = "cancelled";
constexpr std::string_view Crlf = "\r\n";
constexpr std::string_view DistanceTag = "D= ";
constexpr std::string_view AngleTag = "A= ";
constexpr std::string_view TorsionTag = "T= ";
constexpr std::string_view DistancePattern = "0.00000";
constexpr std::string_view AnglePattern = "###0.000";
constexpr std::string_view MaxText = " max =";
constexpr std::string_view MinText = " min =";
constexpr std::string_view MinMaxSpaced = "min / max";
constexpr std::string_view MinMax = "min/max";

/// The atom as the text box names it: symbol, blank, number.
std::string tag(const Viewer& vw, int i) {
  return vw.m.AtSym(i) + Str(i);
}

/// Distance of atoms i and j in the working coordinates.
double viewDistance(const Viewer& vw, int i, int j) {
  double s = 0;
  for (int c = 1; c <= 3; ++c) {
    double d = vw.m.XyzV(i, c) - vw.m.XyzV(j, c);
    s += d * d;
  }
  return std::sqrt(s);
}

/// Starts a new selection with atom a.
void firstAtom(Viewer& vw, int a) {
  auto& sel = vw.obr.v.Sel;
  if (sel[3] != 0) {
    sel.fill(0);
    Reno(vw);
  }
  sel[0] = i16(a);
  setWynik(vw, tag(vw, a));
}

/// A selection started over with atom a (it was picked again as a later atom).
void restartWith(Viewer& vw, int a) {
  vw.obr.v.Sel.fill(0);
  Reno(vw);
  firstAtom(vw, a);
}

}  // namespace

void setWynik(Viewer& vw, std::string_view text) {
  if (vw.obr.wynik.text == text) return;
  vw.obr.wynik.text = std::string(text);
  wynik_Change(vw);
}

void GeOn(Viewer& vw) noexcept {
  vguard(vw, "GeOn", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    bool any = false;
    for (int p = 1; p <= v.NView; ++p) {
      bool shown = v.LabVis(p) != 0;
      o.Za[std::size_t(p)].visible = shown;
      any = any || shown;
    }
    if (!any) obut_Click(vw, 6);
    Reno(vw);
    o.Clear.visible = true;
    v.LabelsOn = 1;
  });
}

void GeOFF(Viewer& vw) noexcept {
  vguard(vw, "GeOFF", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    for (int p = 1; p <= v.NView; ++p) {
      auto& lab = o.Za[std::size_t(p)];
      v.LabVis(p) = lab.visible ? -1 : 0;
      lab.visible = false;
    }
    v.Sel.fill(0);
    o.Clear.visible = false;
    v.LabelsOn = 0;
    o.obut[4].text = std::string(GeometryCaption);
    o.gemo.visible = false;
    Reno(vw);
  });
}

void enterGeometry(Viewer& vw) noexcept {
  vguard(vw, "enterGeometry", [&] {
    auto& o = vw.obr;
    o.chamo.visible = o.delmo.visible = false;
    vw.odleg.visible = false;
    o.v.KeepN = 0;
    const std::string& t = o.wynik.text;
    if (t.empty() || contains(t, "delet") || contains(t, "atom") || contains(t, "cance"))
      setWynik(vw, ClickTwoAtLeast);
    o.obut[16].visible = o.obut[17].visible = false;
    o.obut[15].visible = o.gemo.visible = o.Clear.visible = true;
    o.v.LabelsOn = -1;
    GeOn(vw);
    Czekaj(vw, 0.1);
  });
}

void leaveGeometry(Viewer& vw) noexcept {
  vguard(vw, "leaveGeometry", [&] {
    vw.obr.obut[15].visible = false;
    GeOFF(vw);
    vw.obr.gemo.visible = false;
    setWynik(vw, "");
  });
}

void Clear_Click(Viewer& vw) noexcept {
  vguard(vw, "Clear_Click", [&] {
    vw.obr.v.Sel.fill(0);
    setWynik(vw, "");
    Reno(vw);
  });
}

void Clear_bR(Viewer& vw) noexcept {
  vguard(vw, "Clear_bR", [&] {
    vw.obr.v.Sel.fill(0);
    setWynik(vw, "");
  });
}

void ClearCa(Viewer& vw) noexcept {
  vguard(vw, "ClearCa", [&] {
    vw.obr.v.Sel.fill(0);
    Reno(vw);
    setWynik(vw, Cancelled);
  });
}

void Za_Click(Viewer& vw, int p) noexcept {
  vguard(vw, "Za_Click", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    auto& sel = v.Sel;
    if (p < 1 || p > v.NView) return;
    int a = v.DrawAtom(p);
    o.Teker.visible = false;
    if (v.KeepN != 0) {
      deleteAtom(vw, a);
      return;
    }
    if (sel[1] == 0) sel[2] = 0;
    if (sel[0] == 0 || sel[3] != 0) {
      firstAtom(vw, a);
    } else if (sel[1] == 0) {
      if (a == sel[0]) {
        Clear_Click(vw);
        return;
      }
      sel[1] = i16(a);
      double d = viewDistance(vw, sel[0], sel[1]);
      setWynik(vw, tag(vw, sel[0]) + "-" + tag(vw, sel[1]) + std::string(Crlf) +
                       std::string(DistanceTag) + formatPattern(d, DistancePattern) + " ");
    } else if (sel[2] == 0) {
      if (a == sel[0] || a == sel[1]) {
        restartWith(vw, a);
      } else {
        sel[2] = i16(a);
        double th = Bend(vw.m, sel[0], sel[1], sel[2]);
        setWynik(vw, tag(vw, sel[0]) + "-" + tag(vw, sel[1]) + std::string(Crlf) + "-" +
                         tag(vw, sel[2]) + std::string(Crlf) + std::string(AngleTag) +
                         formatPattern(th, AnglePattern));
      }
    } else {
      if (a == sel[0] || a == sel[1] || a == sel[2]) {
        restartWith(vw, a);
      } else {
        sel[3] = i16(a);
        double tau = Tors(vw.m, sel[0], sel[1], sel[2], sel[3]);
        setWynik(vw, tag(vw, sel[0]) + "-" + tag(vw, sel[1]) + std::string(Crlf) + tag(vw, sel[2]) +
                         "-" + tag(vw, sel[3]) + std::string(Crlf) + std::string(TorsionTag) +
                         formatPattern(tau, AnglePattern));
      }
    }
    const auto& lab = o.Za[std::size_t(p)];
    cr_fil(vw, lab.left + lab.width / 2, lab.top + lab.height / 2, p);
  });
}

int labelAt(const Viewer& vw, double x, double y) {
  const auto& o = vw.obr;
  for (int p = o.v.NView; p >= 1; --p) {  // the nearest label lies on top
    const auto& lab = o.Za[std::size_t(p)];
    if (lab.visible && x >= lab.left && x <= lab.left + lab.width && y >= lab.top &&
        y <= lab.top + lab.height)
      return p;
  }
  return 0;
}

void wynik_Change(Viewer& vw) noexcept {
  vguard(vw, "wynik_Change", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    std::string s = lower(o.wynik.text);
    if (Val(s) == 0) {
      bool cut = false;
      if (auto k = s.find(MinMaxSpaced); k != std::string::npos) {
        s = s.substr(k + MinMaxSpaced.size());
        cut = true;
      } else if (auto k2 = s.find(MinMax); k2 != std::string::npos) {
        s = s.substr(k2 + MinMax.size());
        cut = true;
      }
      if (cut && Val(s) == 0) {
        auto eq = s.find('=');
        if (eq == std::string::npos) return;
        s = s.substr(eq + 1);
      }
    }
    double x = Val(s);
    if (contains(s, "d=") && o.chamo.visible) {
      odlegShow(vw);
      return;
    }
    if (x == 0) return;
    double f = x > 0 ? 1 + x / 10 : 1 / (1 - x / 10);
    if (f > 10) f = 10;
    limitRadii(v, roundHalfEven(f * v.RMin), roundHalfEven(f * v.RMax), x < 0);
    Skala(vw);
    setWynik(vw, std::string(MaxText) + Str(v.RMax) + std::string(Crlf) + std::string(MinText) +
                     Str(v.RMin));
  });
}

void wynik_DblClick(Viewer& vw) noexcept {
  vguard(vw, "wynik_DblClick", [&] { setWynik(vw, ""); });
}

void wynik_Enter(Viewer& vw) noexcept {
  vguard(vw, "wynik_Enter", [&] { setWynik(vw, " " + vw.obr.wynik.text); });
}

}  // namespace kel
