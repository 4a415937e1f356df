// Kelvorin - desktop workbench for vibrational calculations.
// The frequency integrity report in the log after every read that gave modes.
#pragma once

namespace kel {

struct App;

/// Logs the report on the model's modes (nothing when it holds none), with the modes of the
/// force constants beside the printed ones when the read gave force constants.
void logFrequencyReport(App& app) noexcept;

}  // namespace kel
