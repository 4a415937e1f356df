// Kelvorin - desktop workbench for vibrational calculations.
// The normal-mode animation and the frequency list with its speed and amplitude sliders.
#include "app/app.hpp"
#include "base/convert.hpp"
#include "viewer/texts.hpp"
#include "viewer/viewer.hpp"
#include "viewer/viewer_guard.hpp"

#include <algorithm>
#include <cmath>

namespace kel {

namespace {

constexpr std::string_view StopClose = texts::StopClose;
constexpr std::string_view IrText = "   IR=";
constexpr std::string_view RamanText = "   RA=";
constexpr std::string_view ListPattern = "########0.00";
constexpr std::string_view StopCaption = "Stop vibration";
constexpr std::string_view VibrationsCaption = texts::VibrationsCaption;
constexpr int DefaultSlider = 3000;
constexpr int LastPhase = 6;

/// A list column: two decimals, at least 7 characters wide.
std::string column(double x) {
  std::string s = formatPattern(x, ListPattern);
  if (s.size() < 7) s.insert(0, 7 - s.size(), ' ');
  return s;
}

int sliderValue(const ScrollBar& s, double x) {
  double r = roundHalfEven(x * 1000);
  return int(std::clamp(r, double(s.min), double(s.max)));
}

}  // namespace

void ComIni(App& app) noexcept {
  vguard(app, "ComIni", [&] {
    auto& f = app.frq;
    auto& m = app.m;
    if (m.NFrq == 0) {
      f.visible = false;
      return;
    }
    f.Comb.items.clear();
    f.visible = true;
    f.Comb.items.emplace_back(StopClose);
    bool raman = m.RaInt(0) > 0;
    for (int i = 1; i <= m.NFrq; ++i) {
      std::string line = column(m.Frq(i)) + std::string(IrText) + column(m.IrInt(i));
      if (raman) line += std::string(RamanText) + column(m.RaInt(i));
      f.Comb.items.push_back(std::move(line));
    }
  });
}

void frqLoad(App& app) noexcept {
  vguard(app, "frqLoad", [&] {
    auto& f = app.frq;
    f.HSA.value = sliderValue(f.HSA, app.m.VibAmp);
    f.HSS.value = sliderValue(f.HSS, app.m.VibSpd);
    ComIni(app);
  });
}

void Comb_Click(App& app, int k) noexcept {
  vguard(app, "Comb_Click", [&] {
    auto& f = app.frq;
    auto& m = app.m;
    f.Teker.text.clear();
    f.Teker.visible = false;
    if (k < 0 || k > m.NFrq) return;
    f.Comb.listIndex = k;
    if (k == 0) {
      f.visible = false;
      StopVi(app);
      app.obr.vimo.visible = false;
    } else if (k == m.VibMode) {
      StopVi(app);
    } else {
      m.VibMode = i16(k);
      Vibra(app);
    }
  });
}

void HSA_Change(App& app, int value) noexcept {
  vguard(app, "HSA_Change", [&] {
    app.frq.HSA.value = value;
    app.m.VibAmp = value / 1000.0;
  });
}

void HSS_Change(App& app, int value) noexcept {
  vguard(app, "HSS_Change", [&] {
    app.frq.HSS.value = value;
    app.m.VibSpd = value / 1000.0;
  });
}

void Laa_Click(App& app) noexcept {
  HSA_Change(app, DefaultSlider);
}
void Las_Click(App& app) noexcept {
  HSS_Change(app, DefaultSlider);
}

void vimo_Click(App& app) noexcept {
  vguard(app, "vimo_Click", [&] {
    app.obr.vimo.visible = false;
    StopVi(app);
    app.frq.visible = false;
  });
}

void buildModeVec(App& app) {
  auto& v = app.obr.v;
  auto& m = app.m;
  int md = m.VibMode;
  for (int i = 1; i <= v.NView; ++i)
    for (int c = 1; c <= 3; ++c) {
      double s = 0;
      for (int d = 1; d <= 3; ++d) s += m.ModeD(md, i, d) * v.Orient(d, c);
      v.ModeVec(i, c) = s / 3000;
    }
}

void vibPhase(App& app, int phase) {
  auto& v = app.obr.v;
  double amp = phase * app.m.VibAmp;
  for (int i = 1; i <= v.NView; ++i)
    for (int c = 1; c <= 3; ++c) v.VibDisp(i, c) = float(v.ModeVec(i, c) * amp);
}

void Vibra(App& app) noexcept {
  vguard(app, "Vibra", [&] {
    if (app.m.VibMode <= 0) return;
    app.obr.v.VibOn = -1;
    app.obr.obut[5].text = std::string(StopCaption);
    buildModeVec(app);
    Faza(app, 0, 0);
  });
}

void Faza(App& app, int phase, int step) noexcept {
  vguard(app, "Faza", [&] {
    auto& v = app.obr.v;
    if (step == 0) step = 1;
    do {
      phase += step;
      if (phase < -LastPhase || phase > LastPhase) {
        step = -step;
        phase += 2 * step;
      }
      vibPhase(app, phase);
      Uklad(app, 1);
      Wait(app, std::fabs(0.1 / (app.m.VibSpd + 0.001)));
    } while (v.VibOn != 0 && app.m.VibMode > 0);
  });
}

void StopVi(App& app) noexcept {
  vguard(app, "StopVi", [&] {
    auto& v = app.obr.v;
    v.VibDisp.fill(0.0f);
    v.VibOn = 0;
    app.m.VibMode = 0;
    Uklad(app, 1);
    app.obr.obut[5].text = std::string(VibrationsCaption);
  });
}

}  // namespace kel
