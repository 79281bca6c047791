// Chart pictures (Qt): a chart, or a chart's picture, drawn at a given pixel size into an
// image without alpha, and that image as PNG bytes, for the report.
//
// Drawing text needs a QGuiApplication. Inside the plug-in the host's application serves;
// a command-line program must create one first (with QT_QPA_PLATFORM=offscreen when there
// is no display). Without one the functions return an empty result instead of drawing.
// Runs on the chart's thread; the chart is drawn as currently scaled (unbuffered PaintTo).
#pragma once

#include <QImage>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_picture.h"

namespace p528 {

// The chart at width x height pixels (QImage::Format_RGB32); a null image when a size is
// below 1 or there is no QGuiApplication.
QImage RenderChartImage(CAutoPanel& chart, int width, int height);
// The same for a chart's picture.
QImage RenderPictureImage(const ChartPicture& picture, int width, int height);

// The pictures encoded as PNG; empty when they cannot be made.
std::vector<unsigned char> RenderChartPng(CAutoPanel& chart, int width, int height);
std::vector<unsigned char> RenderPicturePng(const ChartPicture& picture, int width, int height);

// The report's renderer over RenderPicturePng (needs a QGuiApplication, as above).
class QtChartPngRenderer : public ChartPngRenderer {
 public:
  bool RenderPng(const ChartPicture& picture, int width, int height,
                 std::vector<unsigned char>& png) override;
};

}  // namespace p528
