// Kelvorin - desktop workbench for vibrational calculations.
// Normal modes and their distribution for 480 atoms (a 1440 x 1440 matrix): projection,
// diagonalisation and the distribution over the generated internal coordinates. The force
// constants are springs between atoms up to two bonds apart (Gaussian outputs of that size
// are not at hand with their force constants); the peak resident size is a counter.
#include "analysis/mode_overlap.hpp"
#include "analysis/normal_modes.hpp"
#include "analysis/ped.hpp"
#include "analysis/report.hpp"
#include "app/app.hpp"
#include "topology/connections.hpp"
#include "topology/internal_coords.hpp"

#include "bench/molecules.hpp"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace kel::bench;

/// Springs of 5 mdyn/A between atoms closer than 1.7 A and of 0.5 mdyn/A up to 2.6 A.
void springs(kel::ModKel& m) {
  m.Fcc.fill(0.0);
  for (int i = 1; i <= m.NAt; ++i)
    for (int j = i + 1; j <= m.NAt; ++j) {
      double e[3], len = 0;
      for (int c = 0; c < 3; ++c) {
        e[c] = m.Xyz(i, c + 1) - m.Xyz(j, c + 1);
        len += e[c] * e[c];
      }
      len = std::sqrt(len);
      const double k = len < 1.7 ? 5.0 : len < 2.6 ? 0.5 : 0.0;
      if (k == 0) continue;
      for (int c = 0; c < 3; ++c)
        for (int d = 0; d < 3; ++d) {
          const double v = k * e[c] * e[d] / (len * len);
          m.Fcc(3 * i - 2 + c, 3 * i - 2 + d) += v;
          m.Fcc(3 * j - 2 + c, 3 * j - 2 + d) += v;
          m.Fcc(3 * i - 2 + c, 3 * j - 2 + d) -= v;
          m.Fcc(3 * j - 2 + c, 3 * i - 2 + d) -= v;
        }
    }
  m.FccFrom = 1;
}

void BM_NormalModesAndPed480(benchmark::State& state) {
  Workbench480 bench;
  auto& app = bench.app;
  auto& m = app->m;
  std::string name = "*";
  kel::MpoDef(*app, name);
  kel::MpoCrd(*app, m.MpoMode);
  springs(m);
  const auto masses = kel::currentMasses(m);
  kel::NormalModes nm;
  kel::Ped ped;
  const bool withPed = state.range(0) != 0;
  for (auto _ : state) {
    kel::analyseModes(m, masses, nm);
    if (withPed) kel::computePed(m, &nm, ped);
    benchmark::DoNotOptimize(ped.modes.data());
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["modes"] = nm.count();
  state.counters["coordinates"] = m.IcRows;
  state.counters["ped_modes"] = double(ped.modes.size());
  state.counters["peak_MiB"] = double(usage.ru_maxrss) / 1024.0;
}

}  // namespace

// Arg 1: modes and distribution (the figure that counts); arg 0: the modes alone.
BENCHMARK(BM_NormalModesAndPed480)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

namespace {

/// The frequency report's overlap check of 1434 modes of 480 atoms (four masses), with
/// displacements of the printed size (|d| <= 1.00, in hundredths).
void BM_ModeOverlap480(benchmark::State& state) {
  auto m = std::make_unique<kel::ModKel>();
  m->NAt = 480;
  m->NFrq = 1434;
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> d(-100, 100);
  for (int k = 1; k <= m->NFrq; ++k)
    for (int a = 1; a <= m->NAt; ++a)
      for (int c = 1; c <= 3; ++c) m->ModeD(k, a, c) = kel::i16(d(rng));
  std::vector<double> masses(480);
  for (std::size_t a = 0; a < masses.size(); ++a) masses[a] = 1.00783 + 11.0 * double(a % 4);
  if (state.range(0) == 0) {
    for (auto _ : state) benchmark::DoNotOptimize(kel::largestOverlap(*m, masses));
    return;
  }
  // the shares of translation and rotation in the same modes
  std::vector<std::vector<double>> rigid(6, std::vector<double>(3 * 480));
  for (std::size_t r = 0; r < rigid.size(); ++r)
    for (std::size_t c = 0; c < rigid[r].size(); ++c) rigid[r][c] = double((r * 7 + c) % 13) / 50;
  std::vector<double> shares, lengths;
  for (auto _ : state) {
    kel::rigidShares(kel::modeRuns(*m), masses, rigid, shares, lengths);
    benchmark::DoNotOptimize(shares.data());
  }
}

}  // namespace

// Arg 0: the largest overlap; arg 1: the rigid-motion shares.
BENCHMARK(BM_ModeOverlap480)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
