#include "ui/chart/qt/chart_png.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "ui/chart/qt/qpainter_canvas.h"

namespace p528 {
namespace {

bool IsColour(QRgb pixel, COLORREF c) {
  return qRed(pixel) == RedOf(c) && qGreen(pixel) == GreenOf(c) && qBlue(pixel) == BlueOf(c);
}

TEST(ChartPngTest, PictureIsAnOpaquePngOfTheRequestedSize) {
  const double x[] = {0, 30, 100}, y[] = {0, 90, 100};
  CChart chart;
  CAutoSeries s;
  s.Colour = 0x0808FC;
  chart.AddSeries(s);
  chart.SetSeriesData(0, x, y, 3);
  chart.SetXCaption("t, °C");
  chart.SetYCaption("Доля отгона, %");
  chart.CaptionColour = 0xFF0000;
  const std::vector<unsigned char> png = RenderChartPng(chart, 320, 240);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(std::vector<unsigned char>(png.begin(), png.begin() + 4), (std::vector<unsigned char>{0x89, 'P', 'N', 'G'}));
  QImage image;
  ASSERT_TRUE(image.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
  EXPECT_EQ(image.size(), QSize(320, 240));
  EXPECT_FALSE(image.hasAlphaChannel());
  EXPECT_TRUE(RenderChartPng(chart, 0, 10).empty());
}

TEST(ChartPngTest, CurveIsClippedAndTheYCaptionStandsUpright) {
  const double x[] = {-50, 0, 50, 100, 150}, y[] = {50, 0, 100, 0, 50};
  CChart chart;
  CAutoSeries s;
  s.Colour = 0x0808FC;
  chart.AddSeries(s);
  chart.SetSeriesData(0, x, y, 5);
  chart.SetXRange(0, 100);
  chart.SetYCaption("Доля отгона, %");
  chart.CaptionColour = 0xFF0000;
  const QImage image = RenderChartImage(chart, 400, 300);
  ASSERT_FALSE(image.isNull());
  const PixelRect p = chart.PlotRect;
  int curve = 0;
  QRect caption;
  for (int row = 0; row < image.height(); ++row) {
    for (int col = 0; col < image.width(); ++col) {
      const QRgb px = image.pixel(col, row);
      if (IsColour(px, 0x0808FC)) {
        ++curve;
        // Lines stay inside; a dot at a point on the edge may reach 2 pixels beyond it.
        const PixelRect dotReach{p.left - 2, p.top - 2, p.right + 2, p.bottom + 2};
        EXPECT_TRUE(dotReach.Contains({col, row})) << col << "," << row;
      }
      // Caption pixels: blue-dominated, left of the plot.
      if (col < p.left - 20 && qBlue(px) > 128 && qRed(px) < 100) caption |= QRect(col, row, 1, 1);
    }
  }
  EXPECT_GT(curve, 100);
  ASSERT_FALSE(caption.isEmpty());
  EXPECT_GT(caption.height(), 3 * caption.width());  // turned by 90 degrees
}

TEST(QPainterCanvasTest, LinesLeaveOutTheirEndPixelAndTheBandInvertsTwiceToNothing) {
  QImage image(40, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    canvas.MoveTo({2, 5});
    canvas.LineTo({12, 5}, Pen{PenSolid, 0, 0x000000});
  }
  EXPECT_EQ(image.pixel(2, 5), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(11, 5), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(12, 5), qRgb(255, 255, 255));
  const QImage before = image.copy();
  {
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    canvas.InvertOutline({5, 2, 30, 15});
  }
  EXPECT_EQ(image.pixel(5, 10), qRgb(0, 0, 0));         // left edge inverted
  EXPECT_EQ(image.pixel(29, 10), qRgb(0, 0, 0));        // right edge: column right - 1
  EXPECT_EQ(image.pixel(15, 2), qRgb(0, 0, 0));         // top edge
  EXPECT_EQ(image.pixel(15, 14), qRgb(0, 0, 0));        // bottom edge: row bottom - 1
  EXPECT_EQ(image.pixel(30, 10), qRgb(255, 255, 255));  // outside
  EXPECT_EQ(image.pixel(15, 10), qRgb(255, 255, 255));  // inside: no fill
  EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 255));    // the black line crossing the edge turns white
  {
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    canvas.InvertOutline({5, 2, 30, 15});
  }
  EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace p528
