// Kelvorin - desktop workbench for vibrational calculations.
// The one guard of every viewer procedure: a run-time error is shown in the viewer's Teker.
#pragma once

#include "app/app.hpp"
#include "viewer/viewer.hpp"

namespace kel {

/// Runs body as viewer procedure name; an error is reported in Teker and ends it.
template <typename Body>
bool vguard(App& app, std::string_view name, Body&& body) noexcept {
  return guardWith([&](std::string_view n, int number) { viewerError(app, n, number); }, name,
                   std::forward<Body>(body));
}

}  // namespace kel
