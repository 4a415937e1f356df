// Kelvorin - desktop workbench for vibrational calculations.
// Damaged inputs that once crashed, stalled or passed for whole ones (the fuzzers' finds and
// cut, joined and edited copies of real files), replayed through the same reader entries:
// each must end in a plain message within a second, never in a run-time error report.
#include "fuzz_common.hpp"
#include "testing.hpp"

#include <chrono>

namespace kel::testing {
namespace {

using fuzz::Entry;

class KeptInputs : public ::testing::TestWithParam<Entry> {};

TEST_P(KeptInputs, EndInAMessage) {
  const auto folder = fixture("fuzz/" + std::string(fuzz::entryName(GetParam())));
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no kept inputs";
  {
    TempDir warm;  // the first run builds the program state: time the later ones only
    fuzz::runEntry(GetParam(), "");
  }
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    SCOPED_TRACE(e.path().filename().string());
    const std::string data = slurp(e.path());
    TempDir dir;
    const auto start = std::chrono::steady_clock::now();
    const auto o = fuzz::runEntry(GetParam(), data);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(1));
    EXPECT_EQ(o.reports, 0) << o.message;
    EXPECT_TRUE(!o.failed || !o.message.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Readers, KeptInputs,
                         ::testing::Values(Entry::Xyz, Entry::Pdb, Entry::Mol, Entry::Mol2,
                                           Entry::Gjf, Entry::Geo, Entry::GaussianOutput,
                                           Entry::Checkpoint, Entry::Kel, Entry::Mpo,
                                           Entry::Renumber, Entry::Spectrum),
                         [](const auto& p) { return std::string(fuzz::entryName(p.param)); });

}  // namespace
}  // namespace kel::testing
