// Kelvorin - desktop workbench for vibrational calculations.
// The one guard of every viewer procedure: a run-time error is shown in the viewer's Teker.
#pragma once

#include "viewer/viewer.hpp"
#include "viewer/viewer_forms.hpp"

namespace kel {

/// Runs body as viewer procedure name; an error is reported in Teker and ends it.
template <typename Body>
bool vguard(Viewer& vw, std::string_view name, Body&& body) noexcept {
  return guardWith([&](std::string_view n, int number) { viewerError(vw, n, number); }, name,
                   std::forward<Body>(body));
}

}  // namespace kel
