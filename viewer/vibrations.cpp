// Kelvorin - desktop workbench for vibrational calculations.
// The normal-mode animation and the frequency list with its speed and amplitude sliders.
#include "base/convert.hpp"
#include "viewer/texts.hpp"
#include "viewer/viewer.hpp"
#include "viewer/viewer_forms.hpp"
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

void ComIni(Viewer& vw) noexcept {
  vguard(vw, "ComIni", [&] {
    auto& f = vw.frq;
    auto& m = vw.m;
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

void frqLoad(Viewer& vw) noexcept {
  vguard(vw, "frqLoad", [&] {
    auto& f = vw.frq;
    f.HSA.value = sliderValue(f.HSA, vw.m.VibAmp);
    f.HSS.value = sliderValue(f.HSS, vw.m.VibSpd);
    ComIni(vw);
  });
}

void Comb_Click(Viewer& vw, int k) noexcept {
  vguard(vw, "Comb_Click", [&] {
    auto& f = vw.frq;
    auto& m = vw.m;
    f.Teker.text.clear();
    f.Teker.visible = false;
    if (k < 0 || k > m.NFrq) return;
    f.Comb.listIndex = k;
    if (k == 0) {
      f.visible = false;
      StopVi(vw);
      vw.obr.vimo.visible = false;
    } else if (k == m.VibMode) {
      StopVi(vw);
    } else {
      m.VibMode = i16(k);
      Vibra(vw);
    }
  });
}

void HSA_Change(Viewer& vw, int value) noexcept {
  vguard(vw, "HSA_Change", [&] {
    vw.frq.HSA.value = value;
    vw.m.VibAmp = value / 1000.0;
  });
}

void HSS_Change(Viewer& vw, int value) noexcept {
  vguard(vw, "HSS_Change", [&] {
    vw.frq.HSS.value = value;
    vw.m.VibSpd = value / 1000.0;
  });
}

void Laa_Click(Viewer& vw) noexcept {
  HSA_Change(vw, DefaultSlider);
}
void Las_Click(Viewer& vw) noexcept {
  HSS_Change(vw, DefaultSlider);
}

void vimo_Click(Viewer& vw) noexcept {
  vguard(vw, "vimo_Click", [&] {
    vw.obr.vimo.visible = false;
    StopVi(vw);
    vw.frq.visible = false;
  });
}

void buildModeVec(Viewer& vw) {
  auto& v = vw.obr.v;
  auto& m = vw.m;
  int md = m.VibMode;
  for (int i = 1; i <= v.NView; ++i)
    for (int c = 1; c <= 3; ++c) {
      double s = 0;
      for (int d = 1; d <= 3; ++d) s += m.ModeD(md, i, d) * v.Orient(d, c);
      v.ModeVec(i, c) = s / 3000;
    }
}

void vibPhase(Viewer& vw, int phase) {
  auto& v = vw.obr.v;
  double amp = phase * vw.m.VibAmp;
  for (int i = 1; i <= v.NView; ++i)
    for (int c = 1; c <= 3; ++c) v.VibDisp(i, c) = float(v.ModeVec(i, c) * amp);
}

void Vibra(Viewer& vw) noexcept {
  vguard(vw, "Vibra", [&] {
    if (vw.m.VibMode <= 0) return;
    vw.obr.v.VibOn = -1;
    vw.obr.obut[5].text = std::string(StopCaption);
    buildModeVec(vw);
    Faza(vw, 0, 0);
  });
}

void Faza(Viewer& vw, int phase, int step) noexcept {
  vguard(vw, "Faza", [&] {
    auto& v = vw.obr.v;
    if (step == 0) step = 1;
    do {
      phase += step;
      if (phase < -LastPhase || phase > LastPhase) {
        step = -step;
        phase += 2 * step;
      }
      vibPhase(vw, phase);
      Uklad(vw, 1);
      Wait(vw, std::fabs(0.1 / (vw.m.VibSpd + 0.001)));
    } while (v.VibOn != 0 && vw.m.VibMode > 0);
  });
}

void StopVi(Viewer& vw) noexcept {
  vguard(vw, "StopVi", [&] {
    auto& v = vw.obr.v;
    v.VibDisp.fill(0.0f);
    v.VibOn = 0;
    vw.m.VibMode = 0;
    Uklad(vw, 1);
    vw.obr.obut[5].text = std::string(VibrationsCaption);
  });
}

}  // namespace kel
