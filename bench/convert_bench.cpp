// Kelvorin - desktop workbench for vibrational calculations.
// Number conversion and field formatting: the inner loops of every reader and writer.
#include "base/convert.hpp"
#include "model/console.hpp"

#include <benchmark/benchmark.h>

static void BM_Val(benchmark::State& state) {
  const char* fields[] = {"  -0.123456", "12.000000", "  1.00782504", "-1234.5E-03", "abc"};
  for (auto _ : state)
    for (const char* f : fields) benchmark::DoNotOptimize(kel::Val(f));
}
BENCHMARK(BM_Val);

static void BM_Field(benchmark::State& state) {
  double x = -1.23456789;
  for (auto _ : state) benchmark::DoNotOptimize(kel::fieldText(x, "########0.000000", 12));
}
BENCHMARK(BM_Field);
