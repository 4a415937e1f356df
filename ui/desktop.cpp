// Kelvorin - desktop workbench for vibrational calculations.
#include "ui/desktop.hpp"

#include "app/startup.hpp"
#include "ui/analysis_window.hpp"
#include "ui/dialogs.hpp"
#include "ui/spectrum_window.hpp"
#include "ui/windows.hpp"
#include "viewer/viewer.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStyleFactory>

#include <cmath>

namespace kel::ui {

namespace {
constexpr int ViewerBottomGap = 28;  // pixels between the viewer's first place and the bottom
}

// --- printing through the print dialog

struct DialogPrinter::Job {
  QPrinter printer{QPrinter::HighResolution};
  QPainter painter;
  bool cancelled = false;
};

DialogPrinter::DialogPrinter(QWidget* parent, std::function<std::string()> defaultFile)
    : parent_(parent), defaultFile_(std::move(defaultFile)) {}
DialogPrinter::~DialogPrinter() {
  endDoc();
}

void DialogPrinter::drawPicture(Surface& picture, double x, double y) {
  auto* canvas = dynamic_cast<QtCanvas*>(&picture);
  if (!canvas) return;
  if (!job_) {
    job_ = std::make_unique<Job>();
    if (defaultFile_)
      job_->printer.setOutputFileName(
          QDir::current().absoluteFilePath(QString::fromStdString(defaultFile_())));
    QPrintDialog dlg(&job_->printer, parent_);
    dlg.setObjectName("PrintDialog");
    if (dlg.exec() != QDialog::Accepted || !job_->painter.begin(&job_->printer))
      job_->cancelled = true;
  } else if (!job_->cancelled) {
    job_->printer.newPage();
  }
  if (job_->cancelled) return;
  // twips are 1/1440 inch; the picture keeps its size at 96 pixels to the inch
  double dpi = job_->printer.resolution();
  const QImage& img = canvas->image();
  QRectF target(x / 1440 * dpi, y / 1440 * dpi, img.deviceIndependentSize().width() / 96.0 * dpi,
                img.deviceIndependentSize().height() / 96.0 * dpi);
  job_->painter.drawImage(target, img);
}

void DialogPrinter::endDoc() {
  if (!job_) return;
  if (job_->painter.isActive()) job_->painter.end();
  job_.reset();
}

// --- the windows over one state

Desktop::Desktop(App& app) : app_(app) {
  canvas_ = std::make_unique<QtCanvas>(800, 600);
  app_.obr.Pic1 = canvas_.get();
  app_.obr.clipboard = &clipboard_;
  previousPrompt_ = app_.prompt;
  app_.prompt = &prompt_;
  main_ = std::make_unique<MainWindow>(app_, *this);
  viewer_ = std::make_unique<ViewerWindow>(app_, *this);
  frq_ = std::make_unique<FrqWindow>(app_, *this);
  odleg_ = std::make_unique<OdlegDialog>(app_, *this);
  analysis_ = std::make_unique<AnalysisWindow>(app_, *this);
  spectrum_ = std::make_unique<SpectrumWindow>(app_, *this);
  printer_ = std::make_unique<DialogPrinter>(viewer_.get(), [this] {
    std::string name = app_.m.ShowNam.empty() ? "kelvorin" : app_.m.ShowNam;
    return name + ".pdf";
  });
  app_.obr.printer = printer_.get();
  prompt_.follow(this);
  app_.mirror = this;
  placeFirst();
}

QRect viewerPlace(const QRect& area, QSize viewer) {
  QSize size = viewer.boundedTo(area.size());
  // at the right edge, its bottom 420 twips (28 pixels) above the bottom of the area
  int top = std::max(area.top(), area.bottom() + 1 - ViewerBottomGap - size.height());
  return QRect(QPoint(area.right() + 1 - size.width(), top), size);
}

QPoint listPlace(const QRect& area, const QRect& viewer, QSize list) {
  if (viewer.left() - list.width() >= area.left())
    return {viewer.left() - list.width(), viewer.top()};  // beside it
  if (viewer.bottom() + 1 + list.height() <= area.bottom() + 1)
    return {viewer.left(), viewer.bottom() + 1};  // below it
  // over the right of the surface: the button column and the row below stay free
  return {viewer.right() + 1 - list.width(), viewer.top()};
}

void Desktop::placeFirst() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect area = screen->availableGeometry();
  QWidget& viewer = *viewer_;
  if (!main_->restored()) main_->move(area.topLeft());
  if (!viewer_->restored()) {
    QRect place = viewerPlace(area, viewer.size());
    viewer.resize(place.size());
    viewer.move(place.topLeft());
  }
  frq_->move(listPlace(area, QRect(viewer.pos(), viewer.size()), frq_->size()));
}

Desktop::~Desktop() {
  app_.mirror = nullptr;
  app_.obr.Pic1 = &app_.obr.defaultSurface;
  app_.obr.clipboard = nullptr;
  app_.obr.printer = nullptr;
  if (app_.prompt == &prompt_) app_.prompt = previousPrompt_;
  printer_.reset();
  spectrum_.reset();
  analysis_.reset();
  odleg_.reset();
  frq_.reset();
  viewer_.reset();
  main_.reset();
}

void Desktop::sync() {
  if (syncing_) return;
  syncing_ = true;
  main_->sync();
  viewer_->sync();
  frq_->sync();
  odleg_->sync();
  analysis_->sync();
  spectrum_->sync();
  syncing_ = false;
}

void Desktop::after() {
  if (!inDialogs_ && !ended_) {
    inDialogs_ = true;
    sync();
    if (runPendingDialogs(app_, main_.get())) ended_ = true;
    inDialogs_ = false;
  }
  if (ended_) {
    viewer_->saveSettings();
    viewer_->hide();
    frq_->hide();
    odleg_->hide();
    analysis_->hide();
    spectrum_->hide();
    main_->close();
    QCoreApplication::quit();
    return;
  }
  sync();
}

void Desktop::start(const std::string& cmdLine) {
  sync();
  IniVe(app_, cmdLine);
  after();
}

namespace {

/// The splash drawing as the windows' icon until the installed one is found.
QIcon fallbackIcon() {
  QPixmap pm(64, 64);
  pm.fill(Qt::transparent);
  SplashPicture picture(nullptr, {});
  picture.setAttribute(Qt::WA_TranslucentBackground);
  picture.resize(64, 64);
  picture.render(&pm, QPoint(), QRegion(), QWidget::DrawChildren);
  return QIcon(pm);
}

}  // namespace

int runDesktop(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  QCoreApplication::setOrganizationName("Kelvorin");
  QCoreApplication::setApplicationName("Kelvorin");
  QApplication::setWindowIcon(QIcon::fromTheme("kelvorin", fallbackIcon()));
  auto app = std::make_unique<App>();
  QtEventLoop loop;
  QtClock clock;
  app->loop = &loop;
  app->clock = &clock;
  app->interactive = true;
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) words.emplace_back(argv[i]);
  for (auto& w : words) w = commandPath(w);
  int status = 0;
  {
    Desktop desk(*app);
    desk.start(joinCommandLine(words));
    if (!desk.ended()) status = qapp.exec();
  }
  return status;
}

}  // namespace kel::ui
