// Kelvorin - desktop workbench for vibrational calculations.
#include "analysis/ped.hpp"
#include "analysis/report.hpp"
#include "readers/gaussian_output.hpp"
#include "springs.hpp"
#include "topology/connections.hpp"
#include "topology/internal_coords.hpp"

#include <cmath>

namespace kel {
namespace {

using testing::newApp;
using testing::TempDir;

/// A molecule with spring force constants, its generated coordinates and computed modes.
struct Fixture {
  TempDir dir;
  std::unique_ptr<App> app = newApp();
  NormalModes nm;
  Fixture(const std::vector<testing::Atom>& atoms, const std::vector<testing::Spring>& springs) {
    auto& m = app->m;
    testing::loadAtoms(m, atoms);
    testing::loadSprings(m, springs);
    m.FilNam = "mol";
    app->frm.ScrMpo = "skrK.mpo";
    app->frm.ScrMpob = "sskrK.mpo";
    std::string name;
    MpoDef(*app, name);
    analyseModes(m, currentMasses(m), nm);
  }
  void holdModes() { testing::holdModes(app->m, nm); }
  /// The share of coordinates of one type in a mode's list.
  double share(const std::vector<PedEntry>& list, int type) const {
    double p = 0;
    for (const auto& e : list) p += app->m.IcTab(e.coordinate, 5) == type ? e.percent : 0;
    return p;
  }
};

TEST(Ped, WaterBendIsAlmostPureBend) {
  Fixture w(testing::water(), testing::waterSprings());
  ASSERT_EQ(w.app->m.IcRows, 3);
  Ped p;
  computePed(w.app->m, &w.nm, p);
  ASSERT_TRUE(p.message.empty()) << p.message;
  ASSERT_EQ(p.modes.size(), 3u);
  EXPECT_TRUE(p.fromForceConstants);
  EXPECT_GT(w.share(p.modes[2], IcBend), 90.0);  // the lowest mode
  EXPECT_GT(w.share(p.modes[0], IcStre), 95.0);
  EXPECT_GT(w.share(p.modes[1], IcStre), 95.0);
  EXPECT_EQ(
      pedSummary(w.app->m, {p.modes[2][0]}, 10.0).rfind("BEND H2\xE2\x80\x93O1\xE2\x80\x93H3 9", 0),
      0u);
  // without force constants the printed modes show the same character
  w.holdModes();
  computePed(w.app->m, nullptr, p);
  ASSERT_TRUE(p.message.empty()) << p.message;
  EXPECT_FALSE(p.fromForceConstants);
  EXPECT_GT(w.share(p.modes[2], IcBend), 90.0);
}

TEST(Ped, MethaneStretchesAndBendsApart) {
  Fixture c(testing::methane(), testing::methaneSprings());
  ASSERT_EQ(c.app->m.IcRows, 9);
  Ped p;
  computePed(c.app->m, &c.nm, p);
  ASSERT_EQ(p.modes.size(), 9u) << p.message;
  for (int k = 0; k < 9; ++k) {
    double total = 0;
    for (const auto& e : p.modes[std::size_t(k)]) {
      total += e.percent;
      EXPECT_GE(e.percent, 1.0);
    }
    EXPECT_NEAR(total, 100.0, 5.0);
    EXPECT_GT(c.share(p.modes[std::size_t(k)], k < 4 ? IcStre : IcBend), 90.0) << "mode " << k + 1;
  }
  // the totally symmetric stretch (highest with these springs) spreads evenly over the bonds
  ASSERT_EQ(p.modes[0].size(), 4u);
  EXPECT_NEAR(p.modes[0][3].percent, 25.0, 0.01);
}

TEST(Report, FlagsModesCutFromAnotherGeometry) {
  Fixture w(testing::water(), testing::waterSprings());
  w.holdModes();
  FrequencyReport r;
  frequencyReport(w.app->m, &w.nm, r);
  EXPECT_EQ(r.expectedModes, 3);
  EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
  EXPECT_LT(r.maxOverlap, std::max(r.overlapNoise, 0.02));
  ASSERT_TRUE(r.maxFrequencyDifference && r.minModeOverlap);
  EXPECT_LT(*r.maxFrequencyDifference, 1e-9);
  EXPECT_GT(*r.minModeOverlap, 0.999);
  // the same modes on the molecule turned by 40 degrees in its plane
  auto& m = w.app->m;
  const double c = std::cos(0.698), s = std::sin(0.698);
  for (int i = 1; i <= 3; ++i) {
    const double y = m.Xyz(i, 2), z = m.Xyz(i, 3);
    m.Xyz(i, 2) = c * y - s * z;
    m.Xyz(i, 3) = s * y + c * z;
  }
  frequencyReport(m, nullptr, r);
  EXPECT_GT(r.maxTranslationRotation, 0.1);
  ASSERT_FALSE(r.warnings.empty());
  EXPECT_NE(r.warnings.front().find("the modes do not fit the geometry they are paired with"),
            std::string::npos);
}

// A real output read at its first geometry: the modes and force constants of the frequency
// step belong to the optimised structure in another frame.
TEST(Report, FlagsARealFileReadAtAnotherGeometry) {
  auto path = testing::shared("gaussian/g16/ethane.out");
  KEL_NEED_SHARED(path);
  TempDir dir;
  auto app = newApp();
  app->we2.La2[0].value = true;
  FmtIn(*app, dir.copy(path));  // a read writes side files beside its input
  ASSERT_EQ(app->m.NFrq, 18) << app->frm.Text3.text;
  FrequencyReport r;
  frequencyReport(app->m, nullptr, r);
  ASSERT_EQ(r.warnings.size(), 2u);
  EXPECT_EQ(r.warnings[0].rfind("the modes do not fit the geometry they are paired with", 0), 0u);
  EXPECT_EQ(r.warnings[1], "the force constants belong to another geometry: fit rms .0345 A");
}

}  // namespace
}  // namespace kel
