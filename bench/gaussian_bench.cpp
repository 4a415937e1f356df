// Kelvorin - desktop workbench for vibrational calculations.
// Reading the largest generated output end to end (geometry, modes, masses, connections,
// the ".kel" summary), against a bare line scan of the same file. BM_Batch runs the program
// as a user does (a whole process on a copy, its ".kel" present or not) and a process that
// only scans the file with getline, side by side in every iteration, and reports the best
// of each, their ratio and the peak resident memory of the program's processes.
#include "app/app.hpp"
#include "readers/gaussian_output.hpp"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
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

std::size_t getlineScan(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::size_t n = 0;
  while (std::getline(in, line)) n += line.size();
  return n;
}

/// One child process: the getline scan of file when program is null, else program --batch
/// file in the file's folder (output to /dev/null). Seconds taken, the child's processor
/// seconds (user and system: what a loaded machine inflates least) and its peak resident
/// memory in KiB; false when it failed.
bool child(const char* program, const fs::path& file, double& seconds, double& cpu, long& peakKiB) {
  const auto t0 = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) {
    if (!program) ::_exit(getlineScan(file) > 0 ? 0 : 1);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    if (::chdir(file.parent_path().c_str()) != 0) ::_exit(126);
    const std::string name = file.filename().string();
    ::execl(program, program, "--batch", name.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  if (::wait4(pid, &status, 0, &usage) != pid) return false;
  seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  peakKiB = usage.ru_maxrss;
  auto secondsOf = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; };
  cpu = secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

#ifdef KEL_PROGRAM
/// The program run: KEL_BENCH_PROGRAM when set (another build, for a comparison), else this
/// build's.
const char* program() {
  const char* other = std::getenv("KEL_BENCH_PROGRAM");
  return other && *other ? other : KEL_PROGRAM;
}

/// state.range(0): 1 = re-read (the ".kel" written by the run before is present), 0 = first
/// read (every file the program wrote is removed before each run).
void BM_Batch(benchmark::State& state) {
  auto& c = copy();
  if (!fs::exists(c.file)) {
    state.SkipWithError("shared data absent");
    return;
  }
  const bool again = state.range(0) == 1;
  double bestScan = 1e9, bestRead = 1e9, cpuScan = 1e9, cpuRead = 1e9, seconds = 0, cpu = 0;
  long peak = 0, kib = 0;
  c.clean();
  if (again && !child(program(), c.file, seconds, cpu, kib)) {
    state.SkipWithError("the program failed");
    return;
  }
  for (auto _ : state) {
    if (!again) c.clean();
    if (!child(nullptr, c.file, seconds, cpu, kib)) {
      state.SkipWithError("the scan failed");
      break;
    }
    bestScan = std::min(bestScan, seconds);
    cpuScan = std::min(cpuScan, cpu);
    if (!child(program(), c.file, seconds, cpu, kib)) {
      state.SkipWithError("the program failed");
      break;
    }
    state.SetIterationTime(seconds);
    bestRead = std::min(bestRead, seconds);
    cpuRead = std::min(cpuRead, cpu);
    peak = std::max(peak, kib);
  }
  state.counters["scan_ms"] = bestScan * 1e3;
  state.counters["read_ms"] = bestRead * 1e3;
  state.counters["x_scan"] = bestRead / bestScan;
  state.counters["scan_cpu_ms"] = cpuScan * 1e3;
  state.counters["read_cpu_ms"] = cpuRead * 1e3;
  state.counters["x_scan_cpu"] = cpuRead / cpuScan;
  state.counters["peak_MiB"] = double(peak) / 1024.0;
}
BENCHMARK(BM_Batch)
    ->ArgName("kel_present")
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);
#endif

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
