// Kelvorin - desktop workbench for vibrational calculations.
#include "analysis/normal_modes.hpp"
#include "readers/gaussian_output.hpp"
#include "testing.hpp"

#include <cmath>

namespace kel {
namespace {

using testing::newApp;
using testing::shared;

std::unique_ptr<App> readLast(const std::string& f, int choice = 1) {
  auto app = newApp();
  app->we2.La2[std::size_t(choice)].value = true;
  FmtIn(*app, f);
  return app;
}

// Printed frequencies come back from the printed force constants and masses.
struct RealFile {
  const char* path;
  int choice = 1;
};
class Reproduction : public ::testing::TestWithParam<RealFile> {};

TEST_P(Reproduction, PrintedFrequenciesWithinOneWavenumber) {
  auto path = shared(GetParam().path);
  KEL_NEED_SHARED(path);
  auto app = readLast(path.string(), GetParam().choice);
  auto& m = app->m;
  ASSERT_TRUE(hasForceConstants(m)) << app->frm.Text3.text;
  NormalModes nm;
  analyseModes(m, currentMasses(m), nm);
  ASSERT_TRUE(nm.message.empty()) << nm.message;
  ASSERT_EQ(nm.count(), m.NFrq);
  double worst = 0;
  for (int k = 0; k < nm.count(); ++k)
    worst = std::max(worst, std::fabs(nm.frequencies[std::size_t(k)] - m.Frq(k + 1)));
  EXPECT_LT(worst, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Files, Reproduction,
                         ::testing::Values(RealFile{"gaussian/g16/methane_normal.out"},
                                           RealFile{"gaussian/g98/test_H2.log"},
                                           RealFile{"gaussian/g09/irc_point.log"},
                                           RealFile{"fchk/g16/dvb_ir.fchk"},
                                           RealFile{"gaussian/g16/ethane.out", 0}));

}  // namespace
}  // namespace kel
