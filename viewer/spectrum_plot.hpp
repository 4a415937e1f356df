// Kelvorin - desktop workbench for vibrational calculations.
// The spectrum plot laid out once as drawing primitives (lines and texts in pixels), which
// the SVG writer and the Qt painting draw alike.
#pragma once

#include "analysis/spectrum.hpp"
#include "base/forms.hpp"

#include <span>
#include <string>
#include <vector>

namespace kel {

enum class PlotKind { Ir, Raman, Both };

struct PlotOptions {
  PlotKind kind = PlotKind::Ir;
  bool transmittance = false;         ///< the IR panel as transmittance (%), not absorbance
  bool reverse = false;               ///< wavenumber against the usual direction
  double width = 1000, height = 600;  ///< pixels
  std::string title;                  ///< first header line
  std::string caption;                ///< second header line (the settings)
};

/// A measured spectrum laid over the IR panel (absorbance, normalised in the range).
struct PlotOverlay {
  std::span<const double> x, y;
};

enum class TextAnchor { Start, Middle, End };

/// A polyline: points (x0, y0, x1, y1, ...) in pixels from the top left.
struct PlotLine {
  std::vector<double> points;
  Colour colour = 0;
  double width = 1;
};

/// A text whose baseline passes through (x, y); vertical texts run upwards.
struct PlotText {
  double x = 0, y = 0;
  std::string text;  ///< UTF-8
  double size = 13;  ///< pixels
  TextAnchor anchor = TextAnchor::Start;
  bool vertical = false;
  Colour colour = 0;
};

/// Where a mode's stick stands, for clicks.
struct PlotPeak {
  int mode = 0;
  double x = 0, top = 0, bottom = 0;
};

struct PlotScene {
  double width = 0, height = 0;
  std::vector<PlotLine> lines;  ///< drawn first, in order
  std::vector<PlotText> texts;  ///< then these
  std::vector<PlotPeak> peaks;
};

/// Lays out the spectrum s: one panel (IR or Raman) or both, axes with ticks, the curve
/// normalised to 1, the sticks scaled alike, the overlay (when given) on the IR panel.
PlotScene layoutSpectrum(const Spectrum& s, const PlotOptions& o, const PlotOverlay* overlay);

/// The mode whose stick is nearest to pixel (x, y) within a few pixels; 0 when none.
int peakAt(const PlotScene& p, double x, double y);

/// The scene as an SVG document (UTF-8, LF, numbers with a point).
std::string plotSvg(const PlotScene& p);

/// Steps of axis ticks for a range: major = 1, 2, 2.5 or 5 times a power of ten giving
/// about `wanted` intervals; minor = a fifth (a half for 2.5) of it.
void tickSteps(double range, int wanted, double& major, double& minor);

}  // namespace kel
