// Kelvorin - desktop workbench for vibrational calculations.
// Reading the largest generated output end to end (geometry, modes, masses, connections,
// the ".kel" summary), against a bare line scan of the same file.
#include "app/app.hpp"
#include "readers/gaussian_output.hpp"

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr const char* Source = KEL_SHARED_DATA "/generated/gen_n480_raman_masses_opt3.log";

/// A private folder holding a copy of the output; the reads write beside it.
struct Copy {
  fs::path dir, file;
  Copy() {
    dir = fs::temp_directory_path() / ("kel-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    file = dir / "gen_n480_raman_masses_opt3.log";
    if (fs::exists(Source)) fs::copy_file(Source, file, fs::copy_options::overwrite_existing);
  }
  ~Copy() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  /// Removes everything but the output itself: the summary (unless kept), the log, scratch
  /// files.
  void clean(bool keepKel = false) const {
    for (const auto& e : fs::directory_iterator(dir))
      if (e.path() != file && !(keepKel && e.path().extension() == ".kel")) fs::remove(e.path());
  }
};

Copy& copy() {
  static Copy c;
  return c;
}

void BM_GetlineScan(benchmark::State& state) {
  auto& c = copy();
  if (!fs::exists(c.file)) {
    state.SkipWithError("shared data absent");
    return;
  }
  for (auto _ : state) {
    std::ifstream in(c.file);
    std::string line;
    std::size_t n = 0;
    while (std::getline(in, line)) n += line.size();
    benchmark::DoNotOptimize(n);
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fs::file_size(c.file)));
}
BENCHMARK(BM_GetlineScan)->Unit(benchmark::kMillisecond);

void BM_FmtIn480(benchmark::State& state) {
  auto& c = copy();
  if (!fs::exists(c.file)) {
    state.SkipWithError("shared data absent");
    return;
  }
  auto app = std::make_unique<kel::App>();
  app->we2.La2[0].value = 0;
  app->we2.La2[1].value = 1;
  app->we2.La2[2].value = 0;
  const fs::path old = fs::current_path();
  fs::current_path(c.dir);
  // kel:1 - the summary of an earlier read is there and is compared, not written
  const bool kelPresent = state.range(0) != 0;
  c.clean();
  if (kelPresent) kel::FmtIn(*app, c.file.string());
  for (auto _ : state) {
    state.PauseTiming();
    c.clean(kelPresent);
    state.ResumeTiming();
    kel::FmtIn(*app, c.file.string());
    if (app->m.NFrq != 1434 || app->readFailed) state.SkipWithError("read failed");
  }
  fs::current_path(old);
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fs::file_size(c.file)));
}
BENCHMARK(BM_FmtIn480)->ArgName("kel")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

/// A damaged 30 MB output: 8 MB on one line of the letters that start the keys looked for,
/// then the rest of the file. The read must stay in proportion to the size.
void BM_FmtInLongLine(benchmark::State& state) {
  auto& c = copy();
  if (!fs::exists(c.file)) {
    state.SkipWithError("shared data absent");
    return;
  }
  const fs::path damaged = c.dir / "long_line.log";
  {
    std::ifstream in(c.file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream out(damaged, std::ios::binary);
    const std::size_t cut = text.find("Input orientation");
    out << text.substr(0, cut) << " " << std::string(std::size_t(8) << 20, 'a') << "\n";
    while (out.tellp() < std::streamoff(30) << 20) out << text.substr(cut);
  }
  auto app = std::make_unique<kel::App>();
  const fs::path old = fs::current_path();
  fs::current_path(c.dir);
  for (auto _ : state) {
    state.PauseTiming();
    for (const auto& e : fs::directory_iterator(c.dir))
      if (e.path() != c.file && e.path() != damaged) fs::remove(e.path());
    state.ResumeTiming();
    kel::FmtIn(*app, damaged.string());
  }
  fs::current_path(old);
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fs::file_size(damaged)));
  fs::remove(damaged);
}
BENCHMARK(BM_FmtInLongLine)->Unit(benchmark::kMillisecond);

}  // namespace
