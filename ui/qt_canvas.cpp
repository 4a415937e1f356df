// Kelvorin - desktop workbench for vibrational calculations.
#include "ui/qt_canvas.hpp"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPrinter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kel::ui {

namespace {

constexpr double PixelsPerPoint = 96.0 / 72.0;
constexpr std::size_t MaxSprites = 4000;  // drawn pieces kept for the next frames

QString qstr(std::string_view s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

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

QColor qcolour(Colour c) {
  return QColor(c & 255, (c >> 8) & 255, (c >> 16) & 255);
}

QtCanvas::QtCanvas(int widthPx, int heightPx, Colour background)
    : width_(widthPx),
      height_(heightPx),
      image_(widthPx, heightPx, QImage::Format_RGB32),
      background_(background) {
  image_.fill(qcolour(background_));
}

QtCanvas::~QtCanvas() {
  end();
}

void QtCanvas::resize(int widthPx, int heightPx) {
  end();
  width_ = widthPx;
  height_ = heightPx;
  image_ = QImage(QSize(widthPx, heightPx) * ratio_, QImage::Format_RGB32);
  image_.setDevicePixelRatio(ratio_);
  image_.fill(qcolour(background_));
  dirty_ = QRect();
  ++changes_;
}

const QImage& QtCanvas::image() {
  end();
  return image_;
}

QPainter& QtCanvas::painter() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
  }
  return *painter_;
}

void QtCanvas::end() {
  if (painter_) painter_->end();
  painter_.reset();
}

void QtCanvas::setPixelRatio(double ratio) {
  if (!(ratio > 0) || ratio == ratio_) return;
  ratio_ = ratio;
  balls_.clear();
  texts_.clear();
  resize(width_, height_);
}

double QtCanvas::scaleWidth() const {
  return width_ * TwipsPerPixel;
}
double QtCanvas::scaleHeight() const {
  return height_ * TwipsPerPixel;
}

void QtCanvas::clear() {
  end();
  // only what was drawn since the last clear: the rest is background already
  QRect logical = dirty_;
  dirty_ = QRect();
  if (logical.isEmpty()) return;
  QRect r = QRect(QPoint(int(std::floor(logical.left() * ratio_)),
                         int(std::floor(logical.top() * ratio_))),
                  QPoint(int(std::ceil((logical.right() + 1) * ratio_)) - 1,
                         int(std::ceil((logical.bottom() + 1) * ratio_)) - 1))
                .intersected(image_.rect());
  if (r.isEmpty()) return;
  ++changes_;
  QRgb bg = qcolour(background_).rgb();
  for (int y = r.top(); y <= r.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    std::fill(line + r.left(), line + r.right() + 1, bg);
  }
}

void QtCanvas::touch(double x1, double y1, double x2, double y2, double margin) {
  int l = int(std::floor(std::min(x1, x2) - margin)) - 1;
  int t = int(std::floor(std::min(y1, y2) - margin)) - 1;
  int r = int(std::ceil(std::max(x1, x2) + margin)) + 1;
  int b = int(std::ceil(std::max(y1, y2) + margin)) + 1;
  dirty_ = dirty_.united(QRect(QPoint(l, t), QPoint(r, b)));
  ++changes_;
}

void QtCanvas::setLineWidth(int pixels) {
  lineWidth_ = pixels < 1 ? 1 : pixels;
}
void QtCanvas::setFillColour(Colour c) {
  fill_ = qcolour(c);
}
void QtCanvas::setFillStyle(FillStyle s) {
  style_ = s;
}

const QImage& QtCanvas::ballSprite(double radiusPx, QRgb fill, QRgb outline, int width) {
  BallKey key{int(std::lround(radiusPx * 4)), fill, outline, width};
  auto it = balls_.find(key);
  if (it != balls_.end()) return it->second;
  if (balls_.size() >= MaxSprites) balls_.clear();  // sizes dragged through many radii
  double r = std::get<0>(key) / 4.0;
  int half = int(std::ceil(r + width)) + 1;
  QImage img(QSize(2 * half + 1, 2 * half + 1) * ratio_, QImage::Format_ARGB32_Premultiplied);
  img.setDevicePixelRatio(ratio_);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor::fromRgb(outline), width));
  p.setBrush(QColor::fromRgb(fill));
  p.drawEllipse(QPointF(half + 0.5, half + 0.5), r, r);
  p.end();
  return balls_.emplace(key, std::move(img)).first->second;
}

void QtCanvas::circle(double x, double y, double r, Colour outline) {
  double k = 1 / TwipsPerPixel;
  if (style_ == FillStyle::Solid && r * k <= 200) {
    const QImage& img = ballSprite(r * k, fill_.rgb(), qcolour(outline).rgb(), lineWidth_);
    QSize size = img.deviceIndependentSize().toSize();
    int half = size.width() / 2;
    QPoint at(int(std::floor(x * k)) - half, int(std::floor(y * k)) - half);
    painter().drawImage(at, img);
    touch(at.x(), at.y(), at.x() + size.width(), at.y() + size.height(), 0);
    return;
  }
  QPainter& p = painter();
  p.setPen(QPen(qcolour(outline), lineWidth_));
  if (style_ == FillStyle::None)
    p.setBrush(Qt::NoBrush);
  else
    p.setBrush(QBrush(fill_, style_ == FillStyle::Solid ? Qt::SolidPattern : Qt::DiagCrossPattern));
  p.drawEllipse(QPointF(x * k, y * k), r * k, r * k);
  touch(x * k - r * k, y * k - r * k, x * k + r * k, y * k + r * k, lineWidth_);
}

void QtCanvas::line(double x1, double y1, double x2, double y2, Colour c) {
  QPainter& p = painter();
  double k = 1 / TwipsPerPixel;
  QPointF a(x1 * k, y1 * k), b(x2 * k, y2 * k);
  QPointF d = b - a;
  double len = std::hypot(d.x(), d.y());
  touch(a.x(), a.y(), b.x(), b.y(), lineWidth_);
  if (lineWidth_ <= 1 || len == 0) {
    p.setPen(QPen(qcolour(c), lineWidth_));
    p.drawLine(a, b);
    return;
  }
  // a wide line as a filled band: the raster engine's fast path
  QPointF n(-d.y() / len * lineWidth_ / 2, d.x() / len * lineWidth_ / 2);
  const QPointF band[4] = {a + n, b + n, b - n, a - n};
  p.setPen(Qt::NoPen);
  p.setBrush(qcolour(c));
  p.drawConvexPolygon(band, 4);
}

void QtCanvas::setTextPos(double x, double y) {
  textX_ = x;
  textY_ = y;
}

void QtCanvas::setFontSize(double points) {
  fontSize_ = points;
}

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

const QImage& QtCanvas::textSprite(std::string_view text, double points) {
  std::string key = std::to_string(std::lround(points * 10)) + "|" + std::string(text);
  auto it = texts_.find(key);
  if (it != texts_.end()) return it->second;
  if (texts_.size() >= MaxSprites) texts_.clear();
  const QFont& f = fontOf(points);
  QFontMetricsF fm(f);
  QString s = qstr(text);
  int w = std::max(1, int(std::ceil(fm.horizontalAdvance(s))) + 2);
  int h = std::max(1, int(std::ceil(fm.height())) + 1);
  QImage img(QSize(w, h) * ratio_, QImage::Format_ARGB32_Premultiplied);
  img.setDevicePixelRatio(ratio_);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setFont(f);
  p.setPen(Qt::black);
  p.drawText(QPointF(0, fm.ascent()), s);
  p.end();
  return texts_.emplace(std::move(key), std::move(img)).first->second;
}

void QtCanvas::printText(std::string_view text) {
  if (text.find_first_not_of(' ') == std::string_view::npos) return;
  double k = 1 / TwipsPerPixel;
  const QImage& img = textSprite(text, fontSize_);
  QPoint at(int(std::lround(textX_ * k)), int(std::lround(textY_ * k)));
  painter().drawImage(at, img);
  QSizeF size = img.deviceIndependentSize();
  touch(at.x(), at.y(), at.x() + size.width(), at.y() + size.height(), 0);
}

void QtCanvas::textSize(std::string_view text, double points, double& w, double& h) {
  std::string key = std::to_string(std::lround(points * 10)) + "|" + std::string(text);
  auto it = sizes_.find(key);
  if (it == sizes_.end()) {
    if (sizes_.size() >= MaxSprites) sizes_.clear();
    QFontMetricsF fm(fontOf(points));
    it = sizes_
             .emplace(std::move(key), std::pair{fm.horizontalAdvance(qstr(text)) * TwipsPerPixel,
                                                fm.height() * TwipsPerPixel})
             .first;
  }
  w = it->second.first;
  h = it->second.second;
}

bool QtCanvas::savePicture(const std::string& file) {
  end();
  const char* format = endsWithCi(file, ".png") ? "PNG" : "BMP";
  return image_.save(QString::fromStdString(file), format);
}

bool canvasPixels(Surface& surface, RgbaImage& out) {
  auto* canvas = dynamic_cast<QtCanvas*>(&surface);
  if (!canvas) return false;
  int w = int(std::lround(canvas->scaleWidth() / TwipsPerPixel));
  int h = int(std::lround(canvas->scaleHeight() / TwipsPerPixel));
  QImage image = canvas->image();
  if (image.width() != w || image.height() != h)
    image = image.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  image = image.convertToFormat(QImage::Format_RGBA8888);
  out.width = w;
  out.height = h;
  out.pixels.resize(4 * std::size_t(w) * std::size_t(h));
  for (int y = 0; y < h; ++y)
    std::memcpy(&out.pixels[4 * std::size_t(y) * std::size_t(w)], image.constScanLine(y),
                4 * std::size_t(w));
  return true;
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
QtPrinter::~QtPrinter() {
  endDoc();
}

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
  QRectF target(x / 1440 * dpi, y / 1440 * dpi, img.deviceIndependentSize().width() / 96.0 * dpi,
                img.deviceIndependentSize().height() / 96.0 * dpi);
  job_->painter->drawImage(target, img);
}

void QtPrinter::endDoc() {
  if (!job_) return;
  job_->painter->end();
  job_.reset();
}

}  // namespace kel::ui
