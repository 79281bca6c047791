#include "chart/qt/chart_png.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

#include "chart/qt/qpainter_canvas.h"

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
  EXPECT_EQ(std::vector<unsigned char>(png.begin(), png.begin() + 4),
            (std::vector<unsigned char>{0x89, 'P', 'N', 'G'}));
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

// A polyline from (30, 20) with a pen per segment and fills of one rectangle before some
// segments, painted through the canvas and, segment by segment, with QPainter itself.
struct Stroke {
  PixelPoint to;
  int pen;
  bool fillFirst = false;
};

std::pair<QImage, QImage> PaintBothWays(const std::vector<Stroke>& strokes) {
  const Pen pens[] = {{PenSolid, 0, 0x0808FC}, {PenSolid, 0, 0xFC0808}, {PenDash, 0, 0x0808FC}};
  const PixelRect fill{4, 4, 40, 30};
  auto paint = [&](bool throughCanvas) {
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    PixelPoint from{30, 20};
    canvas.MoveTo(from);
    for (const Stroke& s : strokes) {
      const Pen& pen = pens[s.pen];
      if (throughCanvas) {
        if (s.fillFirst) canvas.FillRect(fill, 0x00FF00);
        canvas.LineTo(s.to, pen);
      } else {
        if (s.fillFirst)
          painter.fillRect(QRect(fill.left, fill.top, fill.Width(), fill.Height()), QColor(0, 255, 0));
        QPen q(QPainterCanvas::ToQColor(pen.colour));
        q.setStyle(pen.style == PenDash ? Qt::DashLine : Qt::SolidLine);
        q.setWidth(0);
        q.setCapStyle(Qt::FlatCap);
        q.setJoinStyle(Qt::MiterJoin);
        painter.setPen(q);
        if (!(s.to == from)) painter.drawLine(QPoint(from.x, from.y), QPoint(s.to.x, s.to.y));
      }
      from = s.to;
    }
    painter.end();
    return image;
  };
  return {paint(true), paint(false)};
}

// The canvas leaves out a one-pixel step drawn already with the same pen since anything else
// was drawn: a curve that retraces its steps must still paint what every segment paints,
// also when it is covered in between or retraced in another colour.
TEST(QPainterCanvasTest, RetracedStepsPaintWhatEverySegmentPaints) {
  // A square of one-pixel steps around (5, 5), its steps in all four directions.
  auto square = [](int pen, bool fillFirst) {
    return std::vector<Stroke>{{{6, 5}, pen, fillFirst}, {{6, 6}, pen}, {{5, 6}, pen}, {{5, 5}, pen}};
  };
  std::vector<Stroke> covered = {{{5, 5}, 0}};
  for (const auto& part : {square(0, false), square(0, false), square(0, true)})
    covered.insert(covered.end(), part.begin(), part.end());
  std::vector<Stroke> recoloured = {{{5, 5}, 0}};
  for (const auto& part : {square(0, false), square(1, false)})
    recoloured.insert(recoloured.end(), part.begin(), part.end());

  std::vector<Stroke> walk;
  PixelPoint at{30, 20};
  unsigned seed = 528;
  for (int i = 0; i < 4000; ++i) {
    seed = seed * 1103515245u + 12345u;
    const int move = static_cast<int>((seed >> 16) % 9);
    PixelPoint to{std::clamp(at.x + move % 3 - 1, 0, 59), std::clamp(at.y + move / 3 - 1, 0, 39)};
    if (i % 97 == 0) to = {static_cast<int>(seed % 60), static_cast<int>((seed >> 8) % 40)};  // a long line
    walk.push_back({to, (i / 700) % 3, i % 450 == 0});
    at = to;
  }
  for (const auto* strokes : {&covered, &recoloured, &walk}) {
    const auto [canvas, reference] = PaintBothWays(*strokes);
    EXPECT_EQ(canvas, reference);
  }
}

}  // namespace
}  // namespace p528
