// Kelvorin - desktop workbench for vibrational calculations.
#include "app/analysis_log.hpp"

#include "analysis/normal_modes.hpp"
#include "analysis/report.hpp"
#include "app/app.hpp"

namespace kel {

namespace {
/// Sets of modes from this size on are checked beside the rest of the read.
constexpr int EarlyModes = 256;
}  // namespace

void logFrequencyReport(App& app) noexcept {
  guard(app, "logFrequencyReport", [&] {
    if (app.m.NFrq < 1 || app.m.NAt < 1) return;
    NormalModes nm;
    if (hasForceConstants(app.m)) analyseModes(app.m, currentMasses(app.m), nm);
    const bool computed = nm.message.empty() && nm.count() > 0;
    FrequencyReport r;
    frequencyReport(app.m, computed ? &nm : nullptr, r, app.earlyOverlap.get());
    app.earlyOverlap.reset();
    for (const auto& line : r.lines) tekst(app, line);
  });
}

void startOverlapCheck(App& app) noexcept {
  app.earlyOverlap.reset();
  if (app.m.NFrq < EarlyModes || app.m.NAt < 1) return;
  try {
    const auto masses = currentMasses(app.m);
    app.earlyOverlap =
        std::make_unique<OverlapJob>(app.m, masses, rigidMotions(app.m, masses, true));
  } catch (...) {
    // no memory or thread for it: the report checks the modes itself, as for a small set
  }
}

}  // namespace kel
