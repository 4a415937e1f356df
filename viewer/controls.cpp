// Kelvorin - desktop workbench for vibrational calculations.
// The viewer's buttons, modifier keys and mouse: rotation, zoom, ball size and pan.
#include "viewer/texts.hpp"
#include "viewer/viewer.hpp"
#include "viewer/viewer_forms.hpp"
#include "viewer/viewer_guard.hpp"

#include <algorithm>
#include <cmath>

namespace kel {

namespace {

constexpr std::string_view VibrationsCaption = texts::VibrationsCaption;
constexpr std::array<std::string_view, 3> AxisTexts = {"XY", "YZ", "ZX"};
constexpr Colour ButtonGrey = 0xD0D0D0;
constexpr Colour ButtonLight = 0xE0E0E0;

constexpr double ButtonColumn = 1460;  // surface units left of the surface for the buttons
constexpr double RowBelow = 1050;      // below it: the three-line result box and its row

constexpr int Shift = 1;
constexpr int LeftButton = 1, RightButton = 2, MiddleButton = 4;

/// Button colour of the modifier mask s: red for Shift, green for Ctrl, blue for Alt.
Colour keyColourOf(int s) {
  return rgb(s & 1 ? 255 : 0, s & 2 ? 255 : 0, s & 4 ? 255 : 0);
}

void setRotationButtons(Viewer& vw, Colour c) {
  for (int i = 9; i <= 14; ++i) vw.obr.obut[std::size_t(i)].backColour = c;
}

/// Button "&Vibrations": the list window on, or the animation off.
void toggleVibrations(Viewer& vw) {
  auto& o = vw.obr;
  o.v.VibOn = o.v.VibOn != 0 ? 0 : -1;
  vw.m.VibMode = 0;
  o.vimo.visible = true;
  if (o.v.VibOn != 0) {
    bool loaded = vw.frq.visible;
    vw.frq.visible = true;
    ++vw.frq.raise;
    if (loaded)
      ComIni(vw);
    else
      frqLoad(vw);
  } else {
    o.obut[5].text = std::string(VibrationsCaption);
    StopVi(vw);
  }
}

}  // namespace

void obut_Click(Viewer& vw, int n) noexcept {
  vguard(vw, "obut_Click", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    o.Teker.visible = false;
    double ai = 1;
    if (v.RotStep != 0) ai = double(1.0f / float(v.RotStep));
    if (n >= 9 && v.RotStep >= 2) o.obut.at(std::size_t(n)).backColour = v.KeyColour;
    switch (n) {
      case 0:
        Bitmapa(vw);
        break;
      case 1:
        Drukuj(vw);
        break;
      case 2:
        v.LabelMode = i16(v.LabelMode >= 2 ? 0 : v.LabelMode + 1);
        Numery(vw);
        Reno(vw);
        break;
      case 3:
        v.HMode = v.HMode >= 2 ? 0 : v.HMode + 1;
        hat_ren(vw);
        Reno(vw);
        break;
      case 4:
        enterGeometry(vw);
        break;
      case 5:
        toggleVibrations(vw);
        break;
      case 6:
      case 7:
      case 8:
        UkObr(vw, n - 5);
        Uklad(vw, 0);
        if (o.wynik.text.size() < 3 || v.LabelsOn == 0) setWynik(vw, AxisTexts[std::size_t(n - 6)]);
        break;
      case 9:
        Obr(vw, 1, 2, -ai);
        break;
      case 10:
        Obr(vw, 1, 2, ai);
        break;
      case 11:
        Obr(vw, 2, 3, ai);
        break;
      case 12:
        Obr(vw, 2, 3, -ai);
        break;
      case 13:
        Obr(vw, 3, 1, ai);
        break;
      case 14:
        Obr(vw, 3, 1, -ai);
        break;
      case 15:
        leaveGeometry(vw);
        break;
      case 16:
        leaveChange(vw);
        break;
      case 17:
        leaveDelete(vw);
        break;
      default:
        throw BasicError{9};
    }
    if (n >= 11 && n <= 14 && o.wynik.text.size() < 3) setWynik(vw, "");
  });
}

void obut_DblClick(Viewer& vw) noexcept {
  vguard(vw, "obut_DblClick", [&] { Czekaj(vw, 0.01); });
}

void obut_KeyDown(Viewer& vw, int n, int shift) noexcept {
  vguard(vw, "obut_KeyDown", [&] {
    auto& v = vw.obr.v;
    if (shift == 0) return;
    v.RotStep = i16(std::lround(std::pow(2.0, std::clamp(shift, 0, 7))));
    v.KeyColour = keyColourOf(shift);
    vw.obr.obut.at(std::size_t(n)).backColour = v.KeyColour;
  });
}

void obut_KeyUp(Viewer& vw, int n, int shift) noexcept {
  vguard(vw, "obut_KeyUp", [&] {
    auto& v = vw.obr.v;
    v.RotStep = i16(std::lround(std::pow(2.0, std::clamp(shift, 0, 7))));
    v.KeyColour = keyColourOf(shift);
    if (shift == 0)
      setRotationButtons(vw, ButtonLight);
    else
      vw.obr.obut.at(std::size_t(n)).backColour = v.KeyColour;
  });
}

void backgroundClick(Viewer& vw, bool form) noexcept {
  vguard(vw, "backgroundClick", [&] {
    auto& v = vw.obr.v;
    vw.obr.Teker.visible = false;
    v.RotStep = 1;
    if (form) v.Sel.fill(0);
    Reno(vw);
    setRotationButtons(vw, form ? ButtonGrey : ButtonLight);
  });
}

void Pic1_MouseDown(Viewer& vw, int button, int shift, double x, double y) noexcept {
  vguard(vw, "Pic1_MouseDown", [&] {
    auto& v = vw.obr.v;
    v.Dragging = 1;
    if (button & LeftButton) {
      v.RotStartX = x;
      v.RotStartY = y;
      return;
    }
    if ((button & RightButton) || (shift & Shift) || (button & MiddleButton)) {
      v.PanStartX = x;
      v.PanStartY = y;
    }
  });
}

void Pic1_MouseUp(Viewer& vw) noexcept {
  vguard(vw, "Pic1_MouseUp", [&] { vw.obr.v.Dragging = 0; });
}

void Pic1_MouseMove(Viewer& vw, int button, int shift, double x, double y) noexcept {
  vguard(vw, "Pic1_MouseMove", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    double t = 1.0;
    if (v.Dragging == 0) {
      if (vw.hooks.pointerOver) vw.hooks.pointerOver();
      return;
    }
    bool left = button & LeftButton, right = button & RightButton;
    bool middle = button & MiddleButton, shifted = shift & Shift;
    if (shifted && left) {
      // rotation in the screen plane
      double a = (v.RotStartX - x) / 200 + (y - v.RotStartY) / 200;
      MyWai(vw, t, 2.0, std::fabs(a), 0);
      if (std::fabs(a) > 0.2) {
        Obr(vw, 1, 2, a);
        v.RotStartX = x;
        v.RotStartY = y;
      }
    } else if (left && !middle) {
      // free rotation, locked to the dominant direction of the drag
      double dx = (x - v.RotStartX) / 200, dy = (v.RotStartY - y) / 200;
      double A = std::fabs(dx), B = std::fabs(dy);
      if (A < 0.1 * B) {
        dx = A = 0;
        v.RotStartX = x;
      }
      if (B < 0.1 * A) {
        dy = B = 0;
        v.RotStartY = y;
      }
      MyWai(vw, t, 2.0, A, B);
      if (A > 0.2) {
        v.RotStartX = x;
        Obr(vw, 3, 1, dx);
      }
      if (B > 0.2) {
        v.RotStartY = y;
        Obr(vw, 2, 3, dy);
      }
    } else if (right && !shifted && !middle) {
      // zoom across, ball size up and down
      double dx = (x - v.PanStartX) / 100, dy = (v.PanStartY - y) / 100;
      double A = std::fabs(dx), B = std::fabs(dy);
      MyWai(vw, t, 4.0, A, B);
      if (A > 0.1) {
        Patyki(vw, dx);
        v.PanStartX = x;
      }
      if (B > 0.1) {
        Kulki(vw, dy);
        v.PanStartY = y;
      }
    } else if (shifted || middle) {
      double dx = x - v.PanStartX, dy = y - v.PanStartY;
      MyWai(vw, t, 200.0, std::fabs(dx), std::fabs(dy));
      if (std::fabs(dx) > 20) {
        v.Cx += dx;
        v.PanStartX = x;
        Plas(vw);
      }
      if (std::fabs(dy) > 20) {
        v.Cy += dy;
        v.PanStartY = y;
        Plas(vw);
      }
    }
  });
}

void surfaceSizeFor(double windowWidth, double windowHeight, double& width, double& height) {
  width = std::max(0.0, windowWidth - ButtonColumn);
  height = std::max(0.0, windowHeight - RowBelow);
}

void Form_Resize(Viewer& vw) noexcept {
  vguard(vw, "Form_Resize", [&] {
    auto& o = vw.obr;
    if (o.minimised) return;
    if (o.v.Fitted && o.v.ScaleSet != 0) {
      Fit(vw);  // a fitted picture stays fitted to the new size
      return;
    }
    o.v.Cx = o.Pic1->scaleWidth() / 2;
    o.v.Cy = o.Pic1->scaleHeight() / 2;
    // The centre moved: project again, or the old draw positions would be painted off-centre.
    Plas(vw);
  });
}

void MyWai(Viewer& vw, double& t, double f, double a, double b) noexcept {
  vguard(vw, "MyWai", [&] {
    if (f <= 0) return;
    t = std::max({t, a, b});
    if (f < t) {
      Wait(vw, 0);
      t = std::sqrt(t) / 2;
    }
  });
}

void Wait(Viewer& vw, double x) noexcept {
  vguard(vw, "Wait", [&] {
    if (x < 0) return;
    double start = vw.work.clock->timer();
    for (;;) {
      vw.yield();
      double now = vw.work.clock->timer();
      if (now - start > x || now < start) return;  // a clock that went back passed midnight
    }
  });
}

}  // namespace kel
