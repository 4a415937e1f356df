// Kelvorin - desktop workbench for vibrational calculations.
// The normal-mode animation and the frequency list with its speed and amplitude sliders.
#include "base/convert.hpp"
#include "model/mode_motion.hpp"
#include "viewer/texts.hpp"
#include "viewer/viewer.hpp"
#include "viewer/viewer_forms.hpp"
#include "viewer/viewer_guard.hpp"

#include <algorithm>
#include <cmath>

namespace kel {

namespace {

constexpr std::string_view StopClose = texts::StopClose;
constexpr std::string_view ListPattern = "########0.00";
constexpr std::string_view ImaginaryMark = "i";
/// The list's columns: mode number, frequency (an imaginary one marked), IR, Raman, symmetry.
constexpr int NumberWidth = 4, FrequencyWidth = 11, IntensityWidth = 10;
constexpr std::string_view NumberTitle = "Mode", FrequencyTitle = "Frequency ", IrTitle = "IR",
                           RamanTitle = "Raman", SymmetryTitle = "Sym";
constexpr std::string_view StopCaption = "Stop vibration";
constexpr std::string_view VibrationsCaption = texts::VibrationsCaption;
constexpr int DefaultSlider = 3000;
constexpr int LastPhase = PeakPhase;
constexpr double LongestPause = 1.0;  // seconds between frames at the slowest speed

std::string rightAligned(std::string s, int width) {
  if (int(s.size()) < width) s.insert(0, std::size_t(width) - s.size(), ' ');
  return s;
}

/// The heading over the list's columns.
std::string listHeading() {
  return rightAligned(std::string(NumberTitle), NumberWidth) +
         rightAligned(std::string(FrequencyTitle), FrequencyWidth) +
         rightAligned(std::string(IrTitle), IntensityWidth) +
         rightAligned(std::string(RamanTitle), IntensityWidth) + "  " + std::string(SymmetryTitle);
}

/// One row of the list: the columns of the heading, aligned in a fixed-width font.
std::string listRow(const ModKel& m, int i, bool raman) {
  double f = m.Frq(i);
  std::string freq = formatPattern(std::fabs(f), ListPattern) +
                     std::string(f < 0 ? ImaginaryMark : std::string_view(" "));
  std::string row =
      rightAligned(std::to_string(i), NumberWidth) + rightAligned(freq, FrequencyWidth) +
      rightAligned(formatPattern(m.IrInt(i), ListPattern), IntensityWidth) +
      rightAligned(raman ? formatPattern(m.RaInt(i), ListPattern) : "", IntensityWidth);
  row += "  " + m.FrqSym(i);
  while (!row.empty() && row.back() == ' ') row.pop_back();
  return row;
}

/// The pause after a frame: 0.1 / (speed + 0.001) seconds, at most LongestPause. The speed
/// is read again at every yield, so that a new speed acts at once; a stopped or changed
/// animation ends the pause.
void framePause(Viewer& vw) {
  double start = vw.work.clock->timer();
  int mode = vw.m.VibMode;
  for (;;) {
    vw.yield();
    if (vw.obr.v.VibOn == 0 || vw.m.VibMode != mode) return;
    double pause = std::min(LongestPause, std::fabs(0.1 / (vw.m.VibSpd + 0.001)));
    double now = vw.work.clock->timer();
    if (now - start > pause || now < start) return;  // a clock that went back passed midnight
  }
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
    f.heading = listHeading();
    bool raman = m.RaInt(0) > 0;
    for (int i = 1; i <= m.NFrq; ++i) f.Comb.items.push_back(listRow(m, i, raman));
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
      v.ModeVec(i, c) = s / ModeDivisor;
    }
}

void vibPhase(Viewer& vw, double phase) {
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
      framePause(vw);
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
