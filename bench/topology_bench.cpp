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
  fs::path source = fs::path(KEL_SHARED_DATA) / "generated/gen_n480_raman_masses_opt3.log";
  std::vector<Atom> atoms;
  std::error_code ec;
  if (fs::exists(source, ec)) atoms = lastOrientation(source);
  if (atoms.size() != 480) atoms = chain480();
  fs::path old = fs::current_path();
  fs::path dir = fs::temp_directory_path() / ("kel-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  fs::current_path(dir);
  auto app = std::make_unique<kel::App>();
  auto& m = app->m;
  m.NAt = static_cast<kel::i16>(atoms.size());
  for (std::size_t k = 0; k < atoms.size(); ++k) {
    int i = int(k) + 1;
    kel::setAtom(m, i, atoms[k].z);
    m.Xyz(i, 1) = atoms[k].x;
    m.Xyz(i, 2) = atoms[k].y;
    m.Xyz(i, 3) = atoms[k].w;
  }
  m.FilNam = (dir / "chain").string();
  app->frm.Banner = "****Kelvorin**** version 2 ";
  app->frm.ScrMpo = "skrK.mpo";
  app->frm.ScrMpob = "sskrK.mpo";
  for (auto _ : state) {
    app->frm.Text2.text.clear();  // the console of one run
    std::string name = "*";
    kel::MpoDef(*app, name);
    kel::MpoCrd(*app, m.MpoMode);
    benchmark::DoNotOptimize(m.IcRows);
  }
  state.counters["coordinates"] = m.IcRows;
  state.counters["errors"] = app->erraCount;
  fs::current_path(old);
  fs::remove_all(dir, ec);
}

}  // namespace

BENCHMARK(BM_MpoDefAndMpoCrd480)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
