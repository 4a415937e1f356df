// Kelvorin - desktop workbench for vibrational calculations.
#include "ui/plot_painter.hpp"

#include "ui/qt_canvas.hpp"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace kel::ui {

void paintPlot(QPainter& painter, const PlotScene& scene) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.fillRect(QRectF(0, 0, scene.width, scene.height), Qt::white);
  for (const auto& l : scene.lines) {
    QPolygonF poly;
    poly.reserve(qsizetype(l.points.size() / 2));
    for (std::size_t i = 0; i + 1 < l.points.size(); i += 2)
      poly << QPointF(l.points[i], l.points[i + 1]);
    QPen pen(qcolour(l.colour), l.width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawPolyline(poly);
  }
  QFont font("DejaVu Sans");
  font.setStyleHint(QFont::SansSerif);
  for (const auto& t : scene.texts) {
    if (t.text.empty()) continue;
    font.setPixelSize(std::max(1, int(std::lround(t.size))));
    painter.setFont(font);
    painter.setPen(qcolour(t.colour));
    const QString text = QString::fromStdString(t.text);
    const double w = QFontMetricsF(font).horizontalAdvance(text);
    const double shift = t.anchor == TextAnchor::Start    ? 0
                         : t.anchor == TextAnchor::Middle ? w / 2
                                                          : w;
    painter.save();
    painter.translate(t.x, t.y);
    if (t.vertical) painter.rotate(-90);
    painter.drawText(QPointF(-shift, 0), text);
    painter.restore();
  }
  painter.restore();
}

bool savePlot(const PlotScene& scene, const std::string& file) {
  const int w = std::max(1, int(std::lround(scene.width)));
  const int h = std::max(1, int(std::lround(scene.height)));
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    paintPlot(painter, scene);
  }
  return image.save(QString::fromStdString(file), "PNG");
}

}  // namespace kel::ui
