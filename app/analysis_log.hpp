// Kelvorin - desktop workbench for vibrational calculations.
// The frequency integrity report in the log after every read that gave modes.
#pragma once

namespace kel {

struct App;

/// Logs the report on the model's modes (nothing when it holds none). The printed modes are
/// compared with those of the force constants only on request (--report, the Analysis
/// window): a read of a large file does not wait for a diagonalisation.
void logFrequencyReport(App& app) noexcept;

}  // namespace kel
