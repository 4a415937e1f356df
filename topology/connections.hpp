// Kelvorin - desktop workbench for vibrational calculations.
// The connection matrix: derived from distances or read from a connection file.
#pragma once

#include <string>

namespace kel {

struct App;

/// Builds the connection matrix: "*" derive and save, "**" derive quietly, "" derive (or
/// reuse a defined matrix), any other name a connection file to read.
void MpoDef(App& app, std::string& name) noexcept;

}  // namespace kel
