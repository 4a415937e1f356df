// Kelvorin - desktop workbench for vibrational calculations.
// The Spectrum form on a bundled output: the fit against a measured spectrum, the factor kept
// as the scaling instruction and found again in the .kel file read back.
#include "app/spectrum_form.hpp"
#include "readers/gaussian_output.hpp"
#include "testing.hpp"

#include <filesystem>

namespace kel::testing {
namespace {

TEST(SpectrumForm, FittedFactorKeptAsScalingInstructionReadsBack) {
  TempDir dir;
  auto app = newApp();
  const std::string log = dir.copy(fixture("../../examples/chain9.log"));
  FmtIn(*app, log);
  ASSERT_EQ(app->m.NFrq, 21) << app->frm.Text3.text;
  auto& f = app->spectrum;
  spectrumOpen(*app, f);
  EXPECT_EQ(f.factorText, "1");
  EXPECT_FALSE(spectrumFit_Click(*app, f));  // nothing measured yet
  EXPECT_EQ(f.message, "no measured spectrum: open one first");
  ASSERT_TRUE(spectrumExperimental(*app, f, fixture("jdx/chain9_measured.jdx").string()));
  ASSERT_TRUE(spectrumFit_Click(*app, f));
  EXPECT_EQ(f.factorText, "0.965");
  EXPECT_TRUE(hasLine(*app, "scale factor = 0.9650"));
  EXPECT_EQ(heldScaling(app->m).factor, 1);  // shown, not yet held
  // the automatic .kel of the read is replaced through "&Save .kel as is" without a question
  std::filesystem::remove(dir.path() / "chain9.kel");
  spectrumHold_Click(*app, f, true);
  EXPECT_EQ(heldScaling(app->m).factor, 0.965);
  const std::string kel = slurp(dir.path() / "chain9.kel");
  EXPECT_NE(kel.find("frequency scaling factor =  .965 *x + 0"), std::string::npos) << kel;
  auto again = newApp();
  FmtIn(*again, (dir.path() / "chain9.kel").string());
  EXPECT_EQ(heldScaling(again->m).factor, 0.965);
  EXPECT_EQ(heldScaling(again->m).shift, 0);
}

}  // namespace
}  // namespace kel::testing
