#include "chart/qt/chart_png.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QPainter>

#include "chart/qt/qpainter_canvas.h"

namespace p528 {

QImage RenderChartImage(CAutoPanel& chart, int width, int height) {
  if (width < 1 || height < 1 || qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    return QImage();
  }
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return image;
  QPainter painter(&image);
  QPainterCanvas canvas(painter);
  chart.PaintTo(canvas, PixelRect{0, 0, width, height}, false);
  painter.end();
  return image;
}

std::vector<unsigned char> RenderChartPng(CAutoPanel& chart, int width, int height) {
  const QImage image = RenderChartImage(chart, width, height);
  if (image.isNull()) return {};
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return {};
  return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

}  // namespace p528
