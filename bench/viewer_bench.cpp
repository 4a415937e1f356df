// Kelvorin - desktop workbench for vibrational calculations.
// One animation frame of the viewer: depth sort, projection and painting of 480 atoms with
// their bonds on a 1200 x 900 pixel raster picture.
#include "app/app.hpp"
#include "ui/qt_canvas.hpp"
#include "viewer/viewer.hpp"

#include <benchmark/benchmark.h>
#include <QGuiApplication>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

/// A slab of 8 x 6 x 10 atoms 1.5 A apart, carbon and hydrogen alternating, bonded along
/// x and y; the extents table as a reader fills it.
void buildSlab(kel::App& app) {
  auto& m = app.m;
  int n = 0;
  for (int k = 0; k < 10; ++k)
    for (int j = 0; j < 6; ++j)
      for (int i = 0; i < 8; ++i) {
        ++n;
        kel::setAtom(m, n, (i + j + k) % 2 == 0 ? 6 : 1);
        m.Xyz(n, 0) = 0;
        m.Xyz(n, 1) = i * 1.5 - 5.25 + 0.1 * std::sin(n);
        m.Xyz(n, 2) = j * 1.5 - 3.75 + 0.1 * std::cos(n);
        m.Xyz(n, 3) = k * 1.5 - 6.75;
      }
  m.NAt = kel::i16(n);
  m.Mpo.fill(0);
  m.NBond.fill(0);
  for (int a = 1; a <= n; ++a)
    for (int b = a + 1; b <= n; ++b) {
      double d = 0;
      for (int c = 1; c <= 3; ++c) d += std::pow(m.Xyz(a, c) - m.Xyz(b, c), 2);
      if (d < 1.7 * 1.7 && std::fabs(m.Xyz(a, 3) - m.Xyz(b, 3)) < 0.5) {
        m.Mpo(a, b) = m.Mpo(b, a) = 1;
        ++m.NBond(a);
        ++m.NBond(b);
      }
    }
  for (int c = 0; c <= 3; ++c) {
    double lo = 1e300, hi = -1e300;
    for (int a = 1; a <= n; ++a) {
      double x = c == 0 ? m.AtMas(a) : m.Xyz(a, c);
      lo = std::min(lo, x);
      hi = std::max(hi, x);
    }
    m.Box(1, c) = lo;
    m.Box(2, c) = hi;
    m.Box(3, c) = hi - lo;
  }
  m.Box(0, 0) = std::max({m.Box(3, 1), m.Box(3, 2), m.Box(3, 3)});
}

void BM_FrameOf480Atoms(benchmark::State& state) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "viewer_bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication qapp(argc, argv);
  auto app = std::make_unique<kel::App>();
  kel::ui::QtCanvas canvas(1200, 900);
  app->obr.Pic1 = &canvas;
  buildSlab(*app);
  kel::Start(*app);
  kel::Obr(*app, 2, 3, 2.5);  // a tilted view: sticks at every angle
  kel::Obr(*app, 3, 1, 1.5);
  for (auto _ : state) {
    kel::Uklad(*app, 1);
    benchmark::DoNotOptimize(canvas.image().constBits());
  }
  state.counters["atoms"] = app->obr.v.NView;
}
/// The same frame with a surface that draws nothing: the viewer's own arithmetic.
void BM_FrameWithoutPainting(benchmark::State& state) {
  auto app = std::make_unique<kel::App>();
  app->obr.defaultSurface.resize(1200, 900);
  buildSlab(*app);
  kel::Start(*app);
  kel::Obr(*app, 2, 3, 2.5);
  kel::Obr(*app, 3, 1, 1.5);
  for (auto _ : state) kel::Uklad(*app, 1);
}
BENCHMARK(BM_FrameWithoutPainting)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK(BM_FrameOf480Atoms)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
