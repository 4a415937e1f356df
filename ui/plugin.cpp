// Kelvorin - desktop workbench for vibrational calculations.
// The entry points of the Qt library that the program loads only when it shows a window or
// draws a picture: a batch run that draws nothing never loads Qt.
#include "ui/desktop.hpp"

extern "C" {

/// The desktop program with its command line; returns the exit status.
__attribute__((visibility("default"))) int kelRunDesktop(int argc, char** argv) {
  return kel::ui::runDesktop(argc, argv);
}

/// Writes the viewer's picture of app to file (".bmp" or ".png"); 0 on success.
__attribute__((visibility("default"))) int kelRenderPicture(kel::App* app, const char* file) {
  static const kel::BatchHooks hooks = kel::ui::batchHooks();
  return hooks.renderPicture(*app, file);
}

/// Draws the viewer's picture of app into image (RGBA pixels); 0 on success.
__attribute__((visibility("default"))) int kelRenderPixels(kel::App* app, kel::RgbaImage* image) {
  static const kel::BatchHooks hooks = kel::ui::batchHooks();
  return hooks.renderPixels(*app, *image);
}

/// Paints a laid-out spectrum plot into a PNG file; 0 on success.
__attribute__((visibility("default"))) int kelRenderSpectrum(const kel::PlotScene* scene,
                                                             const char* file) {
  static const kel::BatchHooks hooks = kel::ui::batchHooks();
  return hooks.renderSpectrum(*scene, file);
}
}
