// Kelvorin - desktop workbench for vibrational calculations.
// Connection matrix and internal coordinates of a 480-atom structure: MpoDef("*") (derive,
// write "skrK.mpo" and the structure's ".mpo") followed by MpoCrd, in a temporary folder.
#include "app/app.hpp"
#include "topology/connections.hpp"
#include "topology/internal_coords.hpp"

#include "bench/molecules.hpp"

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace kel::bench;

void BM_MpoDefAndMpoCrd480(benchmark::State& state) {
  Workbench480 bench;
  auto& app = bench.app;
  auto& m = app->m;
  for (auto _ : state) {
    app->frm.Text2.text.clear();  // the console of one run
    std::string name = "*";
    kel::MpoDef(*app, name);
    kel::MpoCrd(*app, m.MpoMode);
    benchmark::DoNotOptimize(m.IcRows);
  }
  state.counters["coordinates"] = m.IcRows;
  state.counters["errors"] = app->erraCount;
}

}  // namespace

BENCHMARK(BM_MpoDefAndMpoCrd480)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
