// Kelvorin - desktop workbench for vibrational calculations.
// The spectrum plot's drawing primitives painted with Qt: in the Spectrum window and into
// PNG files.
#pragma once

#include "viewer/spectrum_plot.hpp"

#include <string>

class QPainter;

namespace kel::ui {

/// Paints scene with painter (lengths in the scene's pixels), on a white background.
void paintPlot(QPainter& painter, const PlotScene& scene);

/// The scene as a PNG picture of its size; false when the file could not be written.
bool savePlot(const PlotScene& scene, const std::string& file);

}  // namespace kel::ui
