// Kelvorin - desktop workbench for vibrational calculations.
// The viewer's drawing surface on a Qt raster image, and the Qt clipboard and printer.
#pragma once

#include "viewer/surface.hpp"
#include "writers/gif_writer.hpp"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>

namespace kel::ui {

/// The picture of a Qt surface as RGBA pixels at its size in pixels; false for another
/// kind of surface.
bool canvasPixels(Surface& surface, RgbaImage& out);

/// A packed colour (red + 256 green + 65536 blue) as a Qt colour.
QColor qcolour(Colour c);

/// The retained picture: QPainter on a QImage, lengths in twips (15 to a pixel).
class QtCanvas : public Surface {
 public:
  QtCanvas(int widthPx, int heightPx, Colour background = 16777215);
  ~QtCanvas() override;
  /// New size in pixels; the picture is cleared.
  void resize(int widthPx, int heightPx);
  /// Device pixels to a pixel (1, 1.5, 2 on high-density screens): the picture keeps its size
  /// in pixels and twips and is drawn that much finer; it is cleared.
  void setPixelRatio(double ratio);
  double pixelRatio() const { return ratio_; }
  /// The picture as drawn so far (the painter is ended first), at the pixel ratio.
  const QImage& image();
  /// Counts the changes of the picture: a window repaints only when it moved on.
  unsigned long long changes() const { return changes_; }

  double scaleWidth() const override;
  double scaleHeight() const override;
  void clear() override;
  void setLineWidth(int pixels) override;
  void setFillColour(Colour c) override;
  void setFillStyle(FillStyle s) override;
  void circle(double x, double y, double r, Colour outline) override;
  void line(double x1, double y1, double x2, double y2, Colour c) override;
  void setTextPos(double x, double y) override;
  void setFontSize(double points) override;
  void printText(std::string_view text) override;
  void textSize(std::string_view text, double points, double& w, double& h) override;
  bool savePicture(const std::string& file) override;

 private:
  QPainter& painter();
  void end();
  /// Notes the pixels a drawing covers (corners in pixels, widened by margin).
  void touch(double x1, double y1, double x2, double y2, double margin);
  const QFont& fontOf(double points);
  /// A ball drawn once per radius and colours, then copied (animation frames repeat them).
  const QImage& ballSprite(double radiusPx, QRgb fill, QRgb outline, int width);
  /// A text drawn once per caption and size.
  const QImage& textSprite(std::string_view text, double points);

  using BallKey = std::tuple<int, QRgb, QRgb, int>;
  std::map<BallKey, QImage> balls_;
  std::unordered_map<std::string, QImage> texts_;
  std::unordered_map<std::string, std::pair<double, double>> sizes_;

  int width_, height_;  ///< in pixels
  double ratio_ = 1;
  QImage image_;  ///< width_ x height_ pixels of ratio_ x ratio_ device pixels
  QRect dirty_;   ///< pixels drawn since the last clear
  unsigned long long changes_ = 0;
  std::unique_ptr<QPainter> painter_;
  Colour background_;
  int lineWidth_ = 1;
  QColor fill_ = Qt::white;
  FillStyle style_ = FillStyle::Solid;
  double textX_ = 0, textY_ = 0, fontSize_ = 8;
  std::map<int, QFont> fonts_;  // by tenths of a point
};

/// The system clipboard.
class QtClipboard : public Clipboard {
 public:
  void clear() override;
  void setPicture(Surface& picture) override;
};

/// The default printer: each picture on a page of its own.
class QtPrinter : public Printer {
 public:
  QtPrinter();
  ~QtPrinter() override;
  void drawPicture(Surface& picture, double x, double y) override;
  void endDoc() override;

 private:
  struct Job;
  std::unique_ptr<Job> job_;
};

}  // namespace kel::ui
