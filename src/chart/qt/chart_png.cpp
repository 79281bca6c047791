#include "chart/qt/chart_png.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QPainter>

#include "chart/chart_snapshot.h"
#include "chart/qt/qpainter_canvas.h"

namespace p528 {

namespace {

// An image of width x height with `draw(canvas, rect)` painted into it.
template <class Draw>
QImage RenderImage(int width, int height, Draw draw) {
  if (width < 1 || height < 1 || qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    return QImage();
  }
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return image;
  QPainter painter(&image);
  QPainterCanvas canvas(painter);
  draw(canvas, PixelRect{0, 0, width, height});
  painter.end();
  return image;
}

std::vector<unsigned char> EncodePng(const QImage& image) {
  if (image.isNull()) return {};
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return {};
  return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

}  // namespace

QImage RenderChartImage(CAutoPanel& chart, int width, int height) {
  return RenderImage(width, height,
                     [&chart](Canvas& canvas, const PixelRect& r) { chart.PaintTo(canvas, r, false); });
}

QImage RenderPictureImage(const ChartPicture& picture, int width, int height) {
  return RenderImage(width, height,
                     [&picture](Canvas& canvas, const PixelRect& r) { PaintPicture(picture, canvas, r); });
}

std::vector<unsigned char> RenderChartPng(CAutoPanel& chart, int width, int height) {
  return EncodePng(RenderChartImage(chart, width, height));
}

std::vector<unsigned char> RenderPicturePng(const ChartPicture& picture, int width, int height) {
  return EncodePng(RenderPictureImage(picture, width, height));
}

bool QtChartPngRenderer::RenderPng(const ChartPicture& picture, int width, int height,
                                   std::vector<unsigned char>& png) {
  png = RenderPicturePng(picture, width, height);
  return !png.empty();
}

}  // namespace p528
