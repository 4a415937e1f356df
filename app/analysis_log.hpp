// Kelvorin - desktop workbench for vibrational calculations.
// The frequency integrity report in the log after every read that gave modes.
#pragma once

namespace kel {

struct App;

/// Logs the report on the model's modes (nothing when it holds none), with the modes of the
/// force constants beside the printed ones when the read gave force constants.
void logFrequencyReport(App& app) noexcept;

/// Starts the report's check of the mode overlaps on the modes just read, on a thread of its
/// own while the read goes on (connections, summary file); the report takes its result when
/// the modes are still the same. Small sets of modes are checked by the report itself.
void startOverlapCheck(App& app) noexcept;

}  // namespace kel
