// Kelvorin - desktop workbench for vibrational calculations.
#include "app/analysis_log.hpp"

#include "analysis/report.hpp"
#include "app/app.hpp"

namespace kel {

void logFrequencyReport(App& app) noexcept {
  guard(app, "logFrequencyReport", [&] {
    if (app.m.NFrq < 1 || app.m.NAt < 1) return;
    FrequencyReport r;
    frequencyReport(app.m, nullptr, r);
    for (const auto& line : r.lines) tekst(app, line);
  });
}

}  // namespace kel
