// Kelvorin - desktop workbench for vibrational calculations.
// The viewer's buttons, modifier keys and mouse: rotation, zoom, ball size and pan.
#include "app/app.hpp"
#include "app/dispatcher.hpp"
#include "viewer/texts.hpp"
#include "viewer/viewer.hpp"
#include "viewer/viewer_guard.hpp"

#include <algorithm>
#include <cmath>

namespace kel {

namespace {

constexpr std::string_view VibrationsCaption = texts::VibrationsCaption;
constexpr std::array<std::string_view, 3> AxisTexts = {"XY", "YZ", "ZX"};
constexpr Colour ButtonGrey = 0xD0D0D0;
constexpr Colour ButtonLight = 0xE0E0E0;

constexpr int Shift = 1;
constexpr int LeftButton = 1, RightButton = 2, MiddleButton = 4;

/// Button colour of the modifier mask s: red for Shift, green for Ctrl, blue for Alt.
Colour keyColourOf(int s) {
  return rgb(s & 1 ? 255 : 0, s & 2 ? 255 : 0, s & 4 ? 255 : 0);
}

void setRotationButtons(App& app, Colour c) {
  for (int i = 9; i <= 14; ++i) app.obr.obut[std::size_t(i)].backColour = c;
}

/// Button "&Vibrations": the list window on, or the animation off.
void toggleVibrations(App& app) {
  auto& o = app.obr;
  o.v.VibOn = o.v.VibOn != 0 ? 0 : -1;
  app.m.VibMode = 0;
  o.vimo.visible = true;
  if (o.v.VibOn != 0) {
    bool loaded = app.frq.visible;
    app.frq.visible = true;
    if (loaded)
      ComIni(app);
    else
      frqLoad(app);
  } else {
    o.obut[5].text = std::string(VibrationsCaption);
    StopVi(app);
  }
}

}  // namespace

void obut_Click(App& app, int n) noexcept {
  vguard(app, "obut_Click", [&] {
    auto& o = app.obr;
    auto& v = o.v;
    o.Teker.visible = false;
    double ai = 1;
    if (v.RotStep != 0) ai = double(1.0f / float(v.RotStep));
    if (n >= 9 && v.RotStep >= 2) o.obut.at(std::size_t(n)).backColour = v.KeyColour;
    switch (n) {
      case 0:
        Bitmapa(app);
        break;
      case 1:
        Drukuj(app);
        break;
      case 2:
        v.LabelMode = i16(v.LabelMode >= 2 ? 0 : v.LabelMode + 1);
        Numery(app);
        Reno(app);
        break;
      case 3:
        v.HMode = v.HMode >= 2 ? 0 : v.HMode + 1;
        hat_ren(app);
        Reno(app);
        break;
      case 4:
        enterGeometry(app);
        break;
      case 5:
        toggleVibrations(app);
        break;
      case 6:
      case 7:
      case 8:
        UkObr(app, n - 5);
        Uklad(app, 0);
        if (o.wynik.text.size() < 3 || v.LabelsOn == 0)
          setWynik(app, AxisTexts[std::size_t(n - 6)]);
        break;
      case 9:
        Obr(app, 1, 2, -ai);
        break;
      case 10:
        Obr(app, 1, 2, ai);
        break;
      case 11:
        Obr(app, 2, 3, ai);
        break;
      case 12:
        Obr(app, 2, 3, -ai);
        break;
      case 13:
        Obr(app, 3, 1, ai);
        break;
      case 14:
        Obr(app, 3, 1, -ai);
        break;
      case 15:
        leaveGeometry(app);
        break;
      case 16:
        leaveChange(app);
        break;
      case 17:
        leaveDelete(app);
        break;
      default:
        throw BasicError{9};
    }
    if (n >= 11 && n <= 14 && o.wynik.text.size() < 3) setWynik(app, "");
  });
}

void obut_DblClick(App& app) noexcept {
  vguard(app, "obut_DblClick", [&] { Czekaj(app, 0.01); });
}

void obut_KeyDown(App& app, int n, int shift) noexcept {
  vguard(app, "obut_KeyDown", [&] {
    auto& v = app.obr.v;
    if (shift == 0) return;
    v.RotStep = i16(std::lround(std::pow(2.0, std::clamp(shift, 0, 7))));
    v.KeyColour = keyColourOf(shift);
    app.obr.obut.at(std::size_t(n)).backColour = v.KeyColour;
  });
}

void obut_KeyUp(App& app, int n, int shift) noexcept {
  vguard(app, "obut_KeyUp", [&] {
    auto& v = app.obr.v;
    v.RotStep = i16(std::lround(std::pow(2.0, std::clamp(shift, 0, 7))));
    v.KeyColour = keyColourOf(shift);
    if (shift == 0)
      setRotationButtons(app, ButtonLight);
    else
      app.obr.obut.at(std::size_t(n)).backColour = v.KeyColour;
  });
}

void backgroundClick(App& app, bool form) noexcept {
  vguard(app, "backgroundClick", [&] {
    auto& v = app.obr.v;
    app.obr.Teker.visible = false;
    v.RotStep = 1;
    if (form) v.Sel.fill(0);
    Reno(app);
    setRotationButtons(app, form ? ButtonGrey : ButtonLight);
  });
}

void Pic1_MouseDown(App& app, int button, int shift, double x, double y) noexcept {
  vguard(app, "Pic1_MouseDown", [&] {
    auto& v = app.obr.v;
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

void Pic1_MouseUp(App& app) noexcept {
  vguard(app, "Pic1_MouseUp", [&] { app.obr.v.Dragging = 0; });
}

void Pic1_MouseMove(App& app, int button, int shift, double x, double y) noexcept {
  vguard(app, "Pic1_MouseMove", [&] {
    auto& o = app.obr;
    auto& v = o.v;
    double t = 1.0;
    if (v.Dragging == 0) {
      if (!app.frm.visible) {
        app.frm.visible = true;
        app.frm.Text1.text = v.MainText;
        ibut_Click(app, 14);
      } else if (!app.we1.visible && !app.we2.visible && !app.exitDlg.visible && !app.frq.visible &&
                 o.picVisible) {
        o.picFocus = true;
      }
      return;
    }
    bool left = button & LeftButton, right = button & RightButton;
    bool middle = button & MiddleButton, shifted = shift & Shift;
    if (shifted && left) {
      // rotation in the screen plane
      double a = (v.RotStartX - x) / 200 + (y - v.RotStartY) / 200;
      MyWai(app, t, 2.0, std::fabs(a), 0);
      if (std::fabs(a) > 0.2) {
        Obr(app, 1, 2, a);
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
      MyWai(app, t, 2.0, A, B);
      if (A > 0.2) {
        v.RotStartX = x;
        Obr(app, 3, 1, dx);
      }
      if (B > 0.2) {
        v.RotStartY = y;
        Obr(app, 2, 3, dy);
      }
    } else if (right && !shifted && !middle) {
      // zoom across, ball size up and down
      double dx = (x - v.PanStartX) / 100, dy = (v.PanStartY - y) / 100;
      double A = std::fabs(dx), B = std::fabs(dy);
      MyWai(app, t, 4.0, A, B);
      if (A > 0.1) {
        Patyki(app, dx);
        v.PanStartX = x;
      }
      if (B > 0.1) {
        Kulki(app, dy);
        v.PanStartY = y;
      }
    } else if (shifted || middle) {
      double dx = x - v.PanStartX, dy = y - v.PanStartY;
      MyWai(app, t, 200.0, std::fabs(dx), std::fabs(dy));
      if (std::fabs(dx) > 20) {
        v.Cx += dx;
        v.PanStartX = x;
        Plas(app);
      }
      if (std::fabs(dy) > 20) {
        v.Cy += dy;
        v.PanStartY = y;
        Plas(app);
      }
    }
  });
}

void surfaceSizeFor(double windowWidth, double windowHeight, double& width, double& height) {
  width = std::max(0.0, windowWidth - 1460);
  height = std::max(0.0, windowHeight - 500);
}

void Form_Resize(App& app) noexcept {
  vguard(app, "Form_Resize", [&] {
    auto& o = app.obr;
    if (o.minimised) return;
    o.v.Cx = o.Pic1->scaleWidth() / 2;
    o.v.Cy = o.Pic1->scaleHeight() / 2;
    // The centre moved: project again, or the old draw positions would be painted off-centre.
    Plas(app);
  });
}

void MyWai(App& app, double& t, double f, double a, double b) noexcept {
  vguard(app, "MyWai", [&] {
    if (f <= 0) return;
    t = std::max({t, a, b});
    if (f < t) {
      Wait(app, 0);
      t = std::sqrt(t) / 2;
    }
  });
}

void Wait(App& app, double x) noexcept {
  vguard(app, "Wait", [&] {
    if (x < 0) return;
    double start = app.clock->timer();
    for (;;) {
      app.yield();
      double now = app.clock->timer();
      if (now - start > x || now < start) return;  // a clock that went back passed midnight
    }
  });
}

}  // namespace kel
