// Kelvorin - desktop workbench for vibrational calculations.
// The largest mode overlap, with each kernel, against the overlap of every pair written out
// in long double.
#include "analysis/mode_overlap.hpp"
#include "analysis/report.hpp"
#include "testing.hpp"

#include <cmath>
#include <random>

namespace kel {
namespace {

struct OverlapCase {
  const char* name;
  int atoms, modes, masses;  // masses: how many different masses the atoms have
  int largest;               // largest displacement (hundredths)
  bool twin;                 // two pairs of modes with the same overlap
};

const OverlapCase OverlapRows[] = {
    {"one mass, odd length", 7, 13, 1, 100, false},
    {"hydrogen and carbon", 40, 90, 2, 100, false},
    {"every atom its own mass", 21, 30, 21, 100, false},
    {"displacements beyond 32-bit sums", 30, 20, 3, 32767, false},
    {"equal overlaps: the first pair", 9, 12, 2, 60, true},
    {"bytes at their limit", 10, 40, 2, 127, false},
    {"one past a byte", 10, 40, 2, 128, false},
    {"more modes than one block: threads share the pairs", 12, 300, 3, 100, true},
};

TEST(ModeOverlap, LargestPairAsWrittenOut) {
  for (const auto& c : OverlapRows) {
    auto app = testing::newApp();
    auto& m = app->m;
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> d(-c.largest, c.largest);
    m.NAt = i16(c.atoms);
    m.NFrq = i16(c.modes);
    std::vector<double> masses(std::size_t(c.atoms));
    for (int a = 0; a < c.atoms; ++a) masses[std::size_t(a)] = 1.00783 + 11.0 * (a % c.masses);
    for (int k = 1; k <= c.modes; ++k)
      for (int a = 1; a <= c.atoms; ++a)
        for (int x = 1; x <= 3; ++x) m.ModeD(k, a, x) = i16(k == 2 ? 0 : d(rng));  // 2: no motion
    if (c.twin)  // modes 4, 8 and 9 copy mode 3 (9 reversed): six pairs overlap fully
      for (int a = 1; a <= c.atoms; ++a)
        for (int x = 1; x <= 3; ++x)
          for (int k : {4, 8, 9}) m.ModeD(k, a, x) = i16((k == 9 ? -1 : 1) * m.ModeD(3, a, x));
    long double best = 0;
    int first = 0, second = 0;
    auto dot = [&](int i, int j) {
      long double s = 0;
      for (int a = 1; a <= c.atoms; ++a)
        for (int x = 1; x <= 3; ++x)
          s += (long double)masses[std::size_t(a - 1)] * m.ModeD(i, a, x) * m.ModeD(j, a, x);
      return s;
    };
    for (int j = 1; j <= c.modes; ++j)
      for (int i = 1; i < j; ++i) {
        const long double n = std::sqrt(dot(i, i) * dot(j, j));
        const long double v = n > 0 ? std::fabs(dot(i, j)) / n : 0;
        if (v > best * (1 + 1e-12L)) {
          best = v;
          first = i;
          second = j;
        }
      }
    using K = OverlapKernel;
    for (K kernel : {K::Auto, K::Bytes512, K::Avx2, K::Sse2, K::Plain}) {
      const ModeOverlap got = largestOverlap(m, masses, kernel);
      EXPECT_NEAR(got.value, double(best), 1e-12) << c.name << int(kernel);
      EXPECT_EQ(got.first, first) << c.name << int(kernel);
      EXPECT_EQ(got.second, second) << c.name << int(kernel);
    }
  }
}

// Modes on separate coordinates but for one shared one: any pair a kernel sums wrongly (a lane,
// a tile slot, a segment, a thread's block) shows as an overlap where there is none.
TEST(ModeOverlap, EveryKernelFindsTheOnePairThatOverlaps) {
  auto app = testing::newApp();
  auto& m = app->m;
  m.NAt = 100;
  m.NFrq = 300;
  std::vector<double> masses(100);
  for (int a = 0; a < 100; ++a) masses[std::size_t(a)] = 1.00783 + 11.0 * (a % 3);
  m.ModeD.fill(0);
  for (int k = 1; k <= 300; ++k)
    m.ModeD(k, (k - 1) / 3 + 1, (k - 1) % 3 + 1) = i16(k % 2 ? 60 : -60);
  m.ModeD(299, 50, 3) = 6;  // mode 150's coordinate
  const double w150 = masses[49], w299 = masses[99];
  const double want = w150 * 6 * 60 / std::sqrt(w150 * 3600 * (w299 * 3600 + w150 * 36));
  using K = OverlapKernel;
  for (K kernel : {K::Auto, K::Bytes512, K::Avx2, K::Sse2, K::Plain}) {
    const ModeOverlap got = largestOverlap(m, masses, kernel);
    EXPECT_NEAR(got.value, want, 1e-12) << int(kernel);
    EXPECT_EQ(got.first, 150) << int(kernel);
    EXPECT_EQ(got.second, 299) << int(kernel);
  }
  // Started early, the check finds the same pair; once it is over, it no longer fits the
  // modes when one displacement, their count, the masses or the rigid motions change.
  const std::vector<std::vector<double>> rigid = {std::vector<double>(300, 0.1)};
  OverlapJob early(m, masses, rigid);
  early.wait();
  m.ModeD(299, 50, 3) = 7;
  EXPECT_FALSE(early.fits(m, masses, rigid));
  m.ModeD(299, 50, 3) = 6;
  ASSERT_TRUE(early.fits(m, masses, rigid));
  const ModeOverlap got = early.result();
  EXPECT_NEAR(got.value, want, 1e-12);
  EXPECT_EQ(got.first, 150);
  EXPECT_EQ(got.second, 299);
  std::vector<double> shares, lengths;  // the same shares, to the last bit
  rigidShares(modeRuns(m), masses, rigid, shares, lengths);
  EXPECT_EQ(early.shares(), shares);
  EXPECT_EQ(early.lengths(), lengths);
  auto heavier = masses;
  heavier[10] += 1;
  EXPECT_FALSE(early.fits(m, heavier, rigid));
  EXPECT_FALSE(early.fits(m, masses, {std::vector<double>(300, 0.2)}));
  m.NFrq = 299;
  EXPECT_FALSE(early.fits(m, masses, rigid));
}

}  // namespace
}  // namespace kel
