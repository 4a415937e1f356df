// Kelvorin - desktop workbench for vibrational calculations.
// What batch mode needs from Qt: the picture of the viewer, drawn offscreen.
#include "app/app.hpp"
#include "ui/desktop.hpp"
#include "ui/plot_painter.hpp"
#include "ui/qt_canvas.hpp"
#include "viewer/viewer.hpp"

#include <QGuiApplication>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kel::ui {

namespace {

/// Standard error of a batch run carries the program's own answers and failures: Qt's notices
/// (a missing runtime folder, fonts) stay off it; its errors still show.
void qtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

/// The one Qt application of a batch run, made when the first picture is drawn. Batch mode
/// shows no window, so it draws offscreen unless a platform was chosen explicitly.
void ensureGuiApplication() {
  if (QGuiApplication::instance()) return;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(qtErrorsOnly);
  static int argc = 1;
  static char name[] = "kelvorin";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);  // lives until the process ends
}

/// The offscreen canvas of batch mode at the surface's size, made the viewer's picture.
QtCanvas& batchCanvas(App& app) {
  ensureGuiApplication();
  static QtCanvas* canvas = nullptr;
  int w = int(std::lround(app.obr.Pic1->scaleWidth() / TwipsPerPixel));
  int h = int(std::lround(app.obr.Pic1->scaleHeight() / TwipsPerPixel));
  if (!canvas)
    canvas = new QtCanvas(w, h);  // lives until the process ends
  else if (canvas->scaleWidth() != w * TwipsPerPixel || canvas->scaleHeight() != h * TwipsPerPixel)
    canvas->resize(w, h);
  app.obr.Pic1 = canvas;
  return *canvas;
}

int renderPicture(App& app, const std::string& file) {
  QtCanvas& canvas = batchCanvas(app);
  Plas(app);
  return canvas.savePicture(file) ? 0 : 1;
}

int renderPixels(App& app, RgbaImage& image) {
  QtCanvas& canvas = batchCanvas(app);
  Plas(app);
  return canvasPixels(canvas, image) ? 0 : 1;
}

int renderSpectrum(const PlotScene& scene, const std::string& file) {
  ensureGuiApplication();
  return savePlot(scene, file) ? 0 : 1;
}

}  // namespace

BatchHooks batchHooks() {
  BatchHooks hooks;
  hooks.prepare = [](App& app, const BatchOptions& o) {
    app.obr.defaultSurface.resize(o.width, o.height);
  };
  hooks.renderPicture = renderPicture;
  hooks.renderPixels = renderPixels;
  hooks.renderSpectrum = renderSpectrum;
  return hooks;
}

}  // namespace kel::ui
