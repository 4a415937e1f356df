// Kelvorin - desktop workbench for vibrational calculations.
#include "app/analysis_form.hpp"
#include "../analysis/springs.hpp"

namespace kel {
namespace {

using testing::newApp;
using testing::TempDir;

/// Water with springs, its computed modes held as printed ones, the form open.
struct Water {
  TempDir dir;
  std::unique_ptr<App> app = newApp();
  FrmAnalysis f;
  Water() {
    testing::springWater(*app);
    analysisOpen(*app, f);
  }
};

TEST(AnalysisForm, RowsIsotopesAndReportFromTheModel) {
  Water w;
  ASSERT_TRUE(w.f.visible);
  ASSERT_EQ(w.f.rows.size(), 3u);
  EXPECT_EQ(w.f.heading, "potential energy distribution (computed modes)");
  EXPECT_TRUE(w.f.rows[2].hasComputed);
  EXPECT_NEAR(w.f.rows[2].computed, w.f.rows[2].printed, 1e-9);
  EXPECT_EQ(w.f.rows[2].ped.rfind("BEND H2", 0), 0u) << w.f.rows[2].ped;
  ASSERT_EQ(w.f.isotopes.size(), 3u);
  EXPECT_EQ(w.f.isotopes[1].symbol, "H");
  EXPECT_EQ(w.f.isotopes[1].isotopes.size(), 3u);  // H, D, T
  EXPECT_FALSE(w.f.report.empty());
}

TEST(AnalysisForm, MassChangeComputesAgainAndBadTextIsRefused) {
  Water w;
  const int before = w.f.generation;
  analysisMass_Change(*w.app, w.f, 2, "2.0141017778");
  EXPECT_GT(w.f.generation, before);
  EXPECT_DOUBLE_EQ(w.app->m.AtMas(2), 2.0141017778);
  for (const auto& r : w.f.rows) EXPECT_LT(r.shift, 0) << r.number;  // every mode lower
  analysisMass_Change(*w.app, w.f, 3, "heavy");
  EXPECT_EQ(w.f.message, "mass not a number in 0..1000: heavy");
  EXPECT_DOUBLE_EQ(w.app->m.AtMas(3), w.app->m.AtMas0(3));
  analysisReset_Click(*w.app, w.f);
  EXPECT_DOUBLE_EQ(w.app->m.AtMas(2), w.app->m.AtMas0(2));
  EXPECT_NEAR(w.f.rows[0].shift, 0.0, 1e-9);
}

}  // namespace
}  // namespace kel
