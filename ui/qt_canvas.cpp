// Kelvorin - desktop workbench for vibrational calculations.
#include "ui/qt_canvas.hpp"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPrinter>
#include <QString>

#include <cmath>

namespace kel::ui {

namespace {

constexpr double PixelsPerPoint = 96.0 / 72.0;

QString qstr(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

bool endsWithCi(const std::string& s, std::string_view ext) {
  if (s.size() < ext.size()) return false;
  for (std::size_t i = 0; i < ext.size(); ++i) {
    char a = s[s.size() - ext.size() + i];
    if (a >= 'A' && a <= 'Z') a = char(a - 'A' + 'a');
    if (a != ext[i]) return false;
  }
  return true;
}

}  // namespace

QColor qcolour(Colour c) { return QColor(c & 255, (c >> 8) & 255, (c >> 16) & 255); }

QtCanvas::QtCanvas(int widthPx, int heightPx, Colour background)
    : image_(widthPx, heightPx, QImage::Format_RGB32), background_(background) {
  image_.fill(qcolour(background_));
}

QtCanvas::~QtCanvas() { end(); }

void QtCanvas::resize(int widthPx, int heightPx) {
  end();
  image_ = QImage(widthPx, heightPx, QImage::Format_RGB32);
  image_.fill(qcolour(background_));
}

const QImage& QtCanvas::image() {
  end();
  return image_;
}

QPainter& QtCanvas::painter() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, true);
  }
  return *painter_;
}

void QtCanvas::end() {
  if (painter_) painter_->end();
  painter_.reset();
}

double QtCanvas::scaleWidth() const { return image_.width() * TwipsPerPixel; }
double QtCanvas::scaleHeight() const { return image_.height() * TwipsPerPixel; }

void QtCanvas::clear() {
  end();
  image_.fill(qcolour(background_));
}

void QtCanvas::setLineWidth(int pixels) { lineWidth_ = pixels < 1 ? 1 : pixels; }
void QtCanvas::setFillColour(Colour c) { fill_ = qcolour(c); }
void QtCanvas::setFillStyle(FillStyle s) { style_ = s; }

void QtCanvas::circle(double x, double y, double r, Colour outline) {
  QPainter& p = painter();
  p.setPen(QPen(qcolour(outline), lineWidth_));
  p.setBrush(QBrush(fill_, style_ == FillStyle::Solid ? Qt::SolidPattern : Qt::DiagCrossPattern));
  double k = 1 / TwipsPerPixel;
  p.drawEllipse(QPointF(x * k, y * k), r * k, r * k);
}

void QtCanvas::line(double x1, double y1, double x2, double y2, Colour c) {
  QPainter& p = painter();
  p.setPen(QPen(qcolour(c), lineWidth_, Qt::SolidLine, Qt::RoundCap));
  double k = 1 / TwipsPerPixel;
  p.drawLine(QPointF(x1 * k, y1 * k), QPointF(x2 * k, y2 * k));
}

void QtCanvas::setTextPos(double x, double y) {
  textX_ = x;
  textY_ = y;
}

void QtCanvas::setFontSize(double points) { fontSize_ = points; }

const QFont& QtCanvas::fontOf(double points) {
  int key = int(std::lround(points * 10));
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    QFont f("DejaVu Sans");
    f.setBold(true);
    f.setPixelSize(std::max(1, int(std::lround(points * PixelsPerPoint))));
    it = fonts_.emplace(key, f).first;
  }
  return it->second;
}

void QtCanvas::printText(std::string_view text) {
  QPainter& p = painter();
  const QFont& f = fontOf(fontSize_);
  p.setFont(f);
  p.setPen(Qt::black);
  QFontMetricsF fm(f);
  double k = 1 / TwipsPerPixel;
  p.drawText(QPointF(textX_ * k, textY_ * k + fm.ascent()), qstr(text));
}

void QtCanvas::textSize(std::string_view text, double points, double& w, double& h) {
  QFontMetricsF fm(fontOf(points));
  w = fm.horizontalAdvance(qstr(text)) * TwipsPerPixel;
  h = fm.height() * TwipsPerPixel;
}

bool QtCanvas::savePicture(const std::string& file) {
  end();
  const char* format = endsWithCi(file, ".png") ? "PNG" : "BMP";
  return image_.save(QString::fromStdString(file), format);
}

void QtClipboard::clear() {
  if (auto* c = QGuiApplication::clipboard()) c->clear();
}

void QtClipboard::setPicture(Surface& picture) {
  auto* canvas = dynamic_cast<QtCanvas*>(&picture);
  auto* c = QGuiApplication::clipboard();
  if (canvas && c) c->setImage(canvas->image());
}

struct QtPrinter::Job {
  QPrinter printer{QPrinter::HighResolution};
  std::unique_ptr<QPainter> painter;
};

QtPrinter::QtPrinter() = default;
QtPrinter::~QtPrinter() { endDoc(); }

void QtPrinter::drawPicture(Surface& picture, double x, double y) {
  auto* canvas = dynamic_cast<QtCanvas*>(&picture);
  if (!canvas) return;
  if (!job_) {
    job_ = std::make_unique<Job>();
    job_->painter = std::make_unique<QPainter>();
    if (!job_->painter->begin(&job_->printer)) {
      job_.reset();
      return;
    }
  }
  // twips are 1/1440 inch; the picture keeps its size at 96 pixels to the inch
  double dpi = job_->printer.resolution();
  const QImage& img = canvas->image();
  QRectF target(x / 1440 * dpi, y / 1440 * dpi, img.width() / 96.0 * dpi,
                img.height() / 96.0 * dpi);
  job_->painter->drawImage(target, img);
}

void QtPrinter::endDoc() {
  if (!job_) return;
  job_->painter->end();
  job_.reset();
}

}  // namespace kel::ui
