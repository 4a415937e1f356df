// Kelvorin - desktop workbench for vibrational calculations.
#include "viewer/viewer_fixture.hpp"

#include <cmath>
#include <functional>

namespace kel::testing {
namespace {

/// A clock that steps 0.01 s per yield and runs an action at every yield, as events would.
class EventScript : public EventLoop, public Clock {
 public:
  double timer() override { return t_; }
  void yield() override {
    t_ += 0.01;
    ++yields;
    if (onYield) onYield();
  }
  std::function<void()> onYield;
  long yields = 0;

 private:
  double t_ = 1000;
};

/// Two atoms with two modes; mode 1 moves atom 1 along x by 300 (0.1 A after / 3000 * 1000).
struct Animation : ::testing::Test {
  ViewerApp va;
  EventScript events;
  std::vector<int> phases;  // the phase of each frame, read from the offsets
  void SetUp() override {
    buildModel(*va, {{6, 0, 0, 0}, {8, 1.2, 0, 0}}, {{1, 2}});
    auto& m = va->m;
    m.NFrq = 2;
    m.Frq(1) = 1234.5678;
    m.IrInt(1) = 12.3;
    m.Frq(2) = 456.0;
    m.IrInt(2) = 0.0;
    m.ModeD(1, 1, 1) = 300;
    m.ModeD(2, 2, 2) = 300;
    va->loop = &events;
    va->clock = &events;
    Start(*va);
  }
  /// Records each new frame's phase; after `frames` frames runs stop once.
  void script(int frames, std::function<void()> stop) {
    events.onYield = [this, frames, stop] {
      auto& v = va->obr.v;
      if (v.VibOn == 0) return;
      int mode = va->m.VibMode;
      float d = mode == 2 ? v.VibDisp(2, 2) : v.VibDisp(1, 1);
      int phase = int(std::lround(d / 0.3f));
      ++yieldsThisFrame;
      if (lastPos != v.DrawX(1) + v.DrawY(2) || phases.empty()) {
        lastPos = v.DrawX(1) + v.DrawY(2);
        phases.push_back(phase);
        perFrame.push_back(yieldsThisFrame);
        yieldsThisFrame = 0;
      }
      if (int(phases.size()) == frames && !stopDone) {
        stopDone = true;
        stop();
      }
      if (phases.size() > 500) StopVi(*va);  // never hang a test
    };
  }
  bool stopDone = false;
  double lastPos = -1;
  int yieldsThisFrame = 0;
  std::vector<int> perFrame;
};

TEST_F(Animation, PhaseRunsToSixAndBackWithFrameWaits) {
  obut_Click(*va, 5);
  EXPECT_TRUE(va->frq.visible);
  script(26, [this] { Comb_Click(*va, 0); });
  Comb_Click(*va, 1);
  std::vector<int> want = {1,  2,  3,  4,  5,  6,  5,  4,  3,  2,  1, 0, -1,
                           -2, -3, -4, -5, -6, -5, -4, -3, -2, -1, 0, 1, 2};
  EXPECT_EQ(phases, want);
  // 0.1 / 3.001 s a frame: four steps of 0.01 s
  for (std::size_t k = 1; k < perFrame.size(); ++k) EXPECT_EQ(perFrame[k], 4) << k;
}

TEST_F(Animation, OffsetIsModeVectorTimesPhaseTimesAmplitude) {
  HSA_Change(*va, 1500);
  EXPECT_DOUBLE_EQ(va->m.VibAmp, 1.5);
  obut_Click(*va, 5);
  float seen = 0;
  events.onYield = [&] {
    if (va->obr.v.VibOn == 0) return;
    seen = va->obr.v.VibDisp(1, 1);
    Comb_Click(*va, 1);  // the running mode again: stop
  };
  Comb_Click(*va, 1);
  EXPECT_FLOAT_EQ(seen, 0.1f * 1 * 1.5f);
}

struct StopRow {
  const char* name;
  std::function<void(App&)> stop;
};

class Stopping : public Animation, public ::testing::WithParamInterface<StopRow> {};

TEST_P(Stopping, EndsTheLoopAndRestsTheStructure) {
  obut_Click(*va, 5);
  double restX = va->obr.v.DrawX(1);
  script(5, [this] { GetParam().stop(*va); });
  Comb_Click(*va, 1);
  EXPECT_EQ(phases.size(), 5u);
  auto& v = va->obr.v;
  EXPECT_EQ(v.VibOn, 0);
  EXPECT_EQ(va->m.VibMode, 0);
  EXPECT_EQ(v.VibDisp(1, 1), 0.0f);
  EXPECT_DOUBLE_EQ(v.DrawX(1), restX);
  EXPECT_EQ(va->obr.obut[5].text, "Vibrations");
}

INSTANTIATE_TEST_SUITE_P(
    StopVi, Stopping,
    ::testing::Values(StopRow{"list_entry_zero", [](App& a) { Comb_Click(a, 0); }},
                      StopRow{"running_mode_again", [](App& a) { Comb_Click(a, 1); }},
                      StopRow{"button_five", [](App& a) { obut_Click(a, 5); }},
                      StopRow{"mode_label", [](App& a) { vimo_Click(a); }}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Animation, AnotherModeRunsInsideAndOneStopEndsBoth) {
  obut_Click(*va, 5);
  int frames = 0;
  bool switched = false, stopped = false;
  events.onYield = [&] {
    ++frames;
    if (frames == 10 && !switched) {
      switched = true;
      Comb_Click(*va, 2);  // runs until the stop below
    }
    if (frames == 30 && !stopped) {
      stopped = true;
      EXPECT_EQ(va->m.VibMode, 2);
      EXPECT_NE(va->obr.v.VibDisp(2, 2), 0.0f);
      Comb_Click(*va, 0);
    }
    if (frames > 1000) StopVi(*va);
  };
  Comb_Click(*va, 1);
  EXPECT_TRUE(stopped);
  EXPECT_LT(frames, 100);
  EXPECT_FALSE(va->frq.visible);
  EXPECT_FALSE(va->obr.vimo.visible);
}

TEST_F(Animation, ZeroAmplitudeKeepsTheStructureStill) {
  HSA_Change(*va, 0);
  obut_Click(*va, 5);
  double restX = va->obr.v.DrawX(1);
  bool moved = false;
  int n = 0;
  events.onYield = [&] {
    moved = moved || va->obr.v.DrawX(1) != restX;
    if (++n == 40) Comb_Click(*va, 1);
  };
  Comb_Click(*va, 1);
  EXPECT_FALSE(moved);
}

TEST_F(Animation, SlowestSpeedShowsAFrameEverySecondAndASpeedChangeActsAtOnce) {
  HSS_Change(*va, 0);  // 0.1 / 0.001 s would be 100 s
  obut_Click(*va, 5);
  script(3, [this] { Las_Click(*va); });  // "default speed" in the middle of a long pause
  events.onYield = [this, record = events.onYield] {
    record();
    if (phases.size() == 6) Comb_Click(*va, 0);
  };
  Comb_Click(*va, 1);
  ASSERT_EQ(perFrame.size(), 6u);
  // a frame each second (100 yields of 0.01 s) while slowest; the pause running at the
  // change ends as the new speed asks (0.1 / 3.001 s after its frame), and so on
  EXPECT_EQ(perFrame[1], 101);
  EXPECT_EQ(perFrame[2], 101);
  EXPECT_EQ(perFrame[3], 4);
  EXPECT_EQ(perFrame[4], 4);
  EXPECT_DOUBLE_EQ(va->m.VibSpd, 3.0);
}

TEST_F(WaterView, VibrationsWithoutModesTheButtonIsOffAndTheListNeverShows) {
  EXPECT_FALSE(va->obr.obut[5].enabled);
  ComIni(*va);
  EXPECT_FALSE(va->frq.visible);
}

}  // namespace
}  // namespace kel::testing
