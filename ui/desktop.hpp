// Kelvorin - desktop workbench for vibrational calculations.
// The desktop program: Qt widgets that mirror the forms and forward their events.
#pragma once

#include "app/app.hpp"
#include "app/batch.hpp"
#include "ui/qt_canvas.hpp"
#include "ui/qt_platform.hpp"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace kel::ui {

class MainWindow;
class ViewerWindow;
class FrqWindow;
class OdlegDialog;
class AnalysisWindow;
class SpectrumWindow;

/// The printer behind "&Print": Qt's print dialog once per job (a PDF file printer works
/// without a physical one), then each picture on a page of its own.
class DialogPrinter : public Printer {
 public:
  /// defaultFile: the PDF file the dialog proposes when printing to a file.
  DialogPrinter(QWidget* parent, std::function<std::string()> defaultFile);
  ~DialogPrinter() override;
  void drawPicture(Surface& picture, double x, double y) override;
  void endDoc() override;

 private:
  struct Job;
  QWidget* parent_;
  std::function<std::string()> defaultFile_;
  std::unique_ptr<Job> job_;
};

/// The windows over one program state. It becomes the state's mirror, its surface, clipboard,
/// printer and input box; the event loop and clock are left as the caller set them.
class Desktop : public Mirror {
 public:
  explicit Desktop(App& app);
  ~Desktop() override;
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  /// Every window follows the state (after each event and at every yield).
  void sync() override;
  /// After an event handler: the chooser or exit dialog it opened runs, then the windows
  /// follow; the program ends when the exit dialog chose so.
  void after();
  /// The start-up sequence with the command line (words after the program name).
  void start(const std::string& cmdLine);
  /// Marks an operation the windows started (an edit from the viewer) as running.
  struct Busy {
    explicit Busy(App& a) : app(a), was(a.busy) { a.busy = true; }
    ~Busy() { app.busy = was; }
    App& app;
    bool was;
  };

  App& app() { return app_; }
  MainWindow& main() { return *main_; }
  ViewerWindow& viewer() { return *viewer_; }
  FrqWindow& frq() { return *frq_; }
  OdlegDialog& odleg() { return *odleg_; }
  AnalysisWindow& analysis() { return *analysis_; }
  SpectrumWindow& spectrum() { return *spectrum_; }
  QtCanvas& canvas() { return *canvas_; }
  /// True once the exit dialog ended the program.
  bool ended() const { return ended_; }

 private:
  App& app_;
  std::unique_ptr<QtCanvas> canvas_;
  QtClipboard clipboard_;
  InputBox prompt_;
  Prompt* previousPrompt_ = nullptr;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<ViewerWindow> viewer_;
  std::unique_ptr<FrqWindow> frq_;
  std::unique_ptr<OdlegDialog> odleg_;
  std::unique_ptr<AnalysisWindow> analysis_;
  std::unique_ptr<SpectrumWindow> spectrum_;
  std::unique_ptr<DialogPrinter> printer_;
  /// The first places of the windows where none was remembered: the main window at the
  /// left, the viewer at the right edge, the frequency list beside or below it.
  void placeFirst();
  bool syncing_ = false;
  bool inDialogs_ = false;
  bool ended_ = false;
};

/// The viewer's first place in the screen area: at the right edge, near the bottom.
QRect viewerPlace(const QRect& area, QSize viewer);
/// The frequency list's first place: beside the viewer, else below it, else over the right
/// of its surface; never over the viewer's button column or the row below the surface.
QPoint listPlace(const QRect& area, const QRect& viewer, QSize list);

/// Runs the desktop program with its command line; returns the exit status.
int runDesktop(int argc, char** argv);
/// What batch mode needs from Qt (rendering a picture, on the offscreen platform).
BatchHooks batchHooks();

}  // namespace kel::ui
