// Kelvorin - desktop workbench for vibrational calculations.
// Helpers shared by the viewer's own files.
#pragma once

#include "viewer/viewer_forms.hpp"

namespace kel {

/// Sets RMin and RMax from the proposed radii within the ball-size limits (shrinking: the
/// smaller radius gives way when the two come too close).
void limitRadii(ViewState& v, double rmin, double rmax, bool shrinking);

}  // namespace kel
