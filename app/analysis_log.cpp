// Kelvorin - desktop workbench for vibrational calculations.
#include "app/analysis_log.hpp"

#include "analysis/normal_modes.hpp"
#include "analysis/report.hpp"
#include "app/app.hpp"

namespace kel {

void logFrequencyReport(App& app) noexcept {
  guard(app, "logFrequencyReport", [&] {
    if (app.m.NFrq < 1 || app.m.NAt < 1) return;
    NormalModes nm;
    if (hasForceConstants(app.m)) analyseModes(app.m, currentMasses(app.m), nm);
    const bool computed = nm.message.empty() && nm.count() > 0;
    FrequencyReport r;
    frequencyReport(app.m, computed ? &nm : nullptr, r);
    for (const auto& line : r.lines) tekst(app, line);
  });
}

}  // namespace kel
