// Layout and drawing of the whole chart through the recording canvas. Its synthetic font
// of height 12 has ascent 10 and character width 6, so tick sizes are TickIn 4, TickOut 2,
// LabelGap 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "chart/chart.h"
#include "chart/recording_canvas.h"

namespace p528 {
namespace {

using test::CanvasOp;
using test::RecordingCanvas;

const PixelRect kWindow{0, 0, 400, 300};

CAutoSeries Polyline(COLORREF colour) {
  CAutoSeries s;
  s.Colour = colour;
  s.LineMode = LinePolyline;
  return s;
}

int CountOps(const RecordingCanvas& c, CanvasOp::Kind kind) { return static_cast<int>(c.OpsOf(kind).size()); }

std::vector<CanvasOp> LinesInColour(const RecordingCanvas& c, COLORREF colour) {
  std::vector<CanvasOp> out;
  for (const CanvasOp& op : c.OpsOf(CanvasOp::Line))
    if (op.pen.colour == colour) out.push_back(op);
  return out;
}

struct TwoPointChart {
  const double x[2] = {0, 100};
  const double y[2] = {0, 100};
  CChart chart;
  TwoPointChart() {
    chart.AddSeries(Polyline(0x0808FC));
    chart.SetSeriesData(0, x, y, 2);
  }
};

TEST(PaintTest, BufferedPaintDrawsOffScreenAndCopiesOnce) {
  TwoPointChart t;
  RecordingCanvas canvas;
  t.chart.PaintTo(canvas, PixelRect{5, 7, 405, 307}, true);
  const auto& ops = canvas.Ops();
  ASSERT_GE(ops.size(), 3u);
  EXPECT_EQ(ops.front().kind, CanvasOp::Offscreen);
  EXPECT_EQ(ops.front().rect, (PixelRect{0, 0, 400, 300}));
  EXPECT_EQ(ops[1].kind, CanvasOp::Fill);
  EXPECT_EQ(ops[1].rect, (PixelRect{0, 0, 400, 300}));
  EXPECT_EQ(ops.back().kind, CanvasOp::Copy);
  EXPECT_EQ(ops.back().to, (PixelPoint{5, 7}));
  EXPECT_EQ(CountOps(canvas, CanvasOp::Copy), 1);
}

TEST(PaintTest, UnbufferedPaintWhenNoOffscreenSurface) {
  TwoPointChart t;
  RecordingCanvas canvas;
  canvas.offscreenAvailable = false;
  t.chart.PaintTo(canvas, kWindow, true);
  EXPECT_EQ(canvas.Ops().front().kind, CanvasOp::Fill);
  EXPECT_TRUE(t.chart.PlotDrawn());
}

TEST(PaintTest, RoundTicksAndLabelsOnBothAxes) {
  TwoPointChart t;
  RecordingCanvas canvas;
  t.chart.PaintTo(canvas, kWindow, false);
  const std::vector<double> xt = t.chart.XTicks();
  const std::vector<double> yt = t.chart.YTicks();
  ASSERT_GE(xt.size(), 3u);
  ASSERT_GE(yt.size(), 3u);
  EXPECT_DOUBLE_EQ(xt.front(), 0);
  EXPECT_DOUBLE_EQ(xt.back(), 100);
  EXPECT_DOUBLE_EQ(yt.front(), 0);
  EXPECT_DOUBLE_EQ(yt.back(), 100);
  std::vector<std::string> xLabels, yLabels;
  for (const CanvasOp& op : canvas.OpsOf(CanvasOp::Text)) {
    if (op.align == TextAlign::CentreTop) xLabels.push_back(op.text);
    if (op.align == TextAlign::RightBaseline) yLabels.push_back(op.text);
    if (op.align == TextAlign::CentreTop) {
      EXPECT_EQ(op.to.y, t.chart.PlotRect.bottom + 2 + 1 + 2);
    }
  }
  EXPECT_EQ(xLabels.size(), xt.size());
  EXPECT_EQ(yLabels.size(), yt.size());
  EXPECT_EQ(xLabels.front(), "0");
  EXPECT_EQ(xLabels.back(), "100");
  // Labels do not crowd: the tick spacing leaves room for the widest label.
  const double spacing =
      (t.chart.PlotRect.right - t.chart.PlotRect.left) * t.chart.XStep / (t.chart.XMax - t.chart.XMin);
  EXPECT_GE(spacing, 3 * 6 + 6);
}

TEST(PaintTest, EmptyCaptionsStillCostTheGap) {
  const struct {
    const char* name;
    const char* xCaption;
    int captionGap;
    int plotBottom;
  } cases[] = {
      {"no captions", "", 2, 280},      // 300 - margin 1 - gap 2 - (12 + 2 + 2 + 1)
      {"X caption", "T, мин", 2, 268},  // the caption's height 12 more
      {"no gap", "", 0, 282},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TwoPointChart t;
    t.chart.SetXCaption(c.xCaption);
    t.chart.CaptionGap = c.captionGap;
    RecordingCanvas canvas;
    t.chart.PaintTo(canvas, kWindow, false);
    EXPECT_EQ(t.chart.PlotRect.bottom, c.plotBottom);
    EXPECT_EQ(t.chart.PlotRect.top, 10);  // the axis font's ascent
  }
}

TEST(PaintTest, CaptionsAreAnchoredAndTheYCaptionTurned) {
  TwoPointChart t;
  t.chart.SetXCaption("t, °C");
  t.chart.SetYCaption("Доля отгона, %");
  t.chart.CaptionColour = 0xFF0000;
  RecordingCanvas canvas;
  t.chart.PaintTo(canvas, kWindow, false);
  const auto texts = canvas.OpsOf(CanvasOp::Text);
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "t, °C");
  EXPECT_EQ(texts[0].align, TextAlign::RightBottom);
  EXPECT_EQ(texts[0].to, (PixelPoint{398, 299}));
  EXPECT_EQ(texts[0].font.escapement, 0);
  EXPECT_EQ(texts[0].colour, 0xFF0000u);
  EXPECT_EQ(texts[1].text, "Доля отгона, %");
  EXPECT_EQ(texts[1].align, TextAlign::RightTop);
  EXPECT_EQ(texts[1].to, (PixelPoint{1, 2}));
  EXPECT_EQ(texts[1].font.escapement, 900);
  EXPECT_GE(t.chart.PlotRect.left, 1 + 12 + 2);  // the turned caption's column and the gap
}

TEST(PaintTest, CurveStaysInsideThePlotAndFrameSurroundsIt) {
  const double x[] = {-50, 0, 50, 100, 150};
  const double y[] = {0, 100, 50, 0, 100};
  CChart chart;
  chart.AddSeries(Polyline(0x0808FC));
  chart.SetSeriesData(0, x, y, 5);
  chart.SetXRange(0, 100);
  RecordingCanvas canvas;
  chart.PaintTo(canvas, kWindow, false);
  const PixelRect p = chart.PlotRect;
  const auto lines = LinesInColour(canvas, 0x0808FC);
  ASSERT_FALSE(lines.empty());
  for (const CanvasOp& op : lines) {
    EXPECT_TRUE(p.Contains(op.from)) << op.from.x << "," << op.from.y;
    EXPECT_TRUE(p.Contains(op.to)) << op.to.x << "," << op.to.y;
  }
  // Frame: left, bottom, right, top edges one pixel outside the plot.
  std::vector<PixelPoint> frame;
  for (const CanvasOp& op : canvas.OpsOf(CanvasOp::Line))
    if (op.from == PixelPoint{p.left - 1, p.top - 1} || !frame.empty()) {
      if (frame.size() < 4) frame.push_back(op.to);
    }
  EXPECT_EQ(frame,
            (std::vector<PixelPoint>{
                {p.left - 1, p.bottom}, {p.right, p.bottom}, {p.right, p.top - 1}, {p.left - 1, p.top - 1}}));
}

TEST(PaintTest, ClickReadOutAtThePlotEdges) {
  TwoPointChart t;
  RecordingCanvas canvas;
  t.chart.PaintTo(canvas, kWindow, false);
  const PixelRect p = t.chart.PlotRect;
  t.chart.ClickReadOut({p.left, p.bottom - 1});
  EXPECT_DOUBLE_EQ(t.chart.ClickX, t.chart.XMin);
  EXPECT_DOUBLE_EQ(t.chart.ClickY, t.chart.YMin);
  t.chart.ClickReadOut({p.right - 1, p.top});
  EXPECT_DOUBLE_EQ(t.chart.ClickX, t.chart.XMax);
  EXPECT_DOUBLE_EQ(t.chart.ClickY, t.chart.YMax);
  EXPECT_EQ(t.chart.ClickPoint, (PixelPoint{p.right - 1, p.top}));
}

TEST(AutoRangeTest, NarrowAndEqualValuesWiden) {
  const struct {
    const char* name;
    std::vector<double> values;
    double lo, hi;
  } cases[] = {
      {"all equal", {5, 5, 5}, 4.9995, 5.0005},
      {"1000 and 1000.5", {1000, 1000.5}, 1000.25 - 1.0005 / 2, 1000.25 + 1.0005 / 2},
      {"wide enough stays", {-3, 7}, -3, 7},
      {"zero", {0, 0}, -0.0005, 0.0005},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CChart chart;
    chart.AddSeries(CAutoSeries{});
    chart.SetSeriesData(0, c.values.data(), c.values.data(), static_cast<int>(c.values.size()));
    chart.AutoRangeX();
    EXPECT_DOUBLE_EQ(chart.XMin, c.lo);
    EXPECT_DOUBLE_EQ(chart.XMax, c.hi);
    EXPECT_TRUE(chart.XRangeCached);
  }
}

TEST(AutoRangeTest, NoSeriesGivesZeroRangeAndMapsToZero) {
  CChart chart;
  chart.AutoRangeX();
  chart.AutoRangeY();
  EXPECT_EQ(chart.XMin, 0);
  EXPECT_EQ(chart.XMax, 0);
  EXPECT_FALSE(chart.XRangeCached);
  chart.PlotRect = {10, 10, 100, 100};
  EXPECT_EQ(chart.MapX(5, 5), 0);
  EXPECT_EQ(chart.MapY(5, 5), 0);
}

TEST(AutoRangeTest, HiddenSeriesCountBandsDoNot) {
  const double small[] = {0, 10}, large[] = {0, 1000}, band[] = {-500, 5000};
  CChart chart;
  chart.AddSeries(Polyline(0x0808FC));
  chart.AddSeries(Polyline(0xFC0808));
  CAutoSeries bands;
  bands.MarkerStyle = MarkerBands;
  bands.LineMode = LineNone;
  chart.AddSeries(bands);
  chart.SetSeriesData(0, small, small, 2);
  chart.SetSeriesData(1, large, large, 2);
  chart.SetSeriesData(2, band, band, 2);
  chart.Series[1].Hidden = 1;
  chart.AutoRangeX();
  EXPECT_DOUBLE_EQ(chart.XMin, 0);
  EXPECT_DOUBLE_EQ(chart.XMax, 1000);
  RecordingCanvas canvas;
  chart.PaintTo(canvas, kWindow, false);
  EXPECT_TRUE(LinesInColour(canvas, 0xFC0808).empty());
  EXPECT_FALSE(LinesInColour(canvas, 0x0808FC).empty());
}

TEST(AutoRangeTest, NonFiniteValuesAreLeftOut) {
  const double inf = std::numeric_limits<double>::infinity();
  const double x[] = {0, std::nan(""), 50, inf, 100};
  CChart chart;
  chart.AddSeries(CAutoSeries{});
  chart.SetSeriesData(0, x, x, 5);
  chart.AutoRangeX();
  EXPECT_DOUBLE_EQ(chart.XMin, 0);
  EXPECT_DOUBLE_EQ(chart.XMax, 100);
}

// The chart must paint something sensible and go on painting normally afterwards.
TEST(RobustnessTest, DegenerateChartsPaintBackgroundAndFrameThenRecover) {
  const double nan = std::nan("");
  const double allNan[] = {nan, nan};
  const double equal[] = {3, 3};
  const struct {
    const char* name;
    int series;          // number of series added
    const double* data;  // data of series 0, null for none
    int count;
    PixelRect window;
    bool plotDrawn;
  } cases[] = {
      {"no series", 0, nullptr, 0, kWindow, true},
      {"series without points", 2, nullptr, 0, kWindow, true},
      {"only NaN points", 1, allNan, 2, kWindow, true},
      {"one repeated point", 1, equal, 2, kWindow, true},
      {"0 x 0 window", 1, equal, 2, PixelRect{0, 0, 0, 0}, false},
      {"1 x 1 window", 1, equal, 2, PixelRect{0, 0, 1, 1}, false},
      {"window too small for the plot", 1, equal, 2, PixelRect{0, 0, 20, 20}, false},
      {"window one pixel high", 1, equal, 2, PixelRect{0, 0, 400, 1}, false},
  };
  const double x[] = {0, 50, 100};
  const double y[] = {0, 80, 100};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CChart chart;
    chart.SetXCaption("T, мин");
    for (int i = 0; i < c.series; ++i) chart.AddSeries(Polyline(0x0808FC));
    if (c.data != nullptr) chart.SetSeriesData(0, c.data, c.data, c.count);
    RecordingCanvas canvas;
    chart.PaintTo(canvas, c.window, true);
    EXPECT_EQ(chart.PlotDrawn(), c.plotDrawn);
    ASSERT_FALSE(canvas.OpsOf(CanvasOp::Fill).empty());  // the background at least
    EXPECT_EQ(canvas.OpsOf(CanvasOp::Fill).front().rect.Width(), c.window.Width());
    EXPECT_EQ(CountOps(canvas, CanvasOp::Rect), c.plotDrawn ? 1 : 0);  // the plot area
    EXPECT_FALSE(chart.XRangeCached);
    EXPECT_FALSE(chart.YRangeCached);

    // Data arrives and the window has its normal size again.
    if (chart.SeriesCount() == 0) chart.AddSeries(Polyline(0x0808FC));
    chart.SetSeriesData(0, x, y, 3);
    RecordingCanvas again;
    chart.PaintTo(again, kWindow, true);
    EXPECT_TRUE(chart.PlotDrawn());
    EXPECT_DOUBLE_EQ(chart.XTicks().front(), 0);
    EXPECT_DOUBLE_EQ(chart.XTicks().back(), 100);
    EXPECT_FALSE(LinesInColour(again, 0x0808FC).empty());
  }
}

TEST(RobustnessTest, TickFittingEndsForDegenerateFontsAndRanges) {
  const double x[] = {0, 100};
  const struct {
    const char* name;
    int charWidth;
    double fixedLo, fixedHi;
  } cases[] = {
      {"font without width", 0, 0, 0},
      {"very wide font", 500, 0, 0},
      {"range far below the values' resolution", -1, 1e20, 1e20 + 1},
      {"huge range", -1, -1e300, 1e300},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CChart chart;
    chart.AddSeries(Polyline(0x0808FC));
    chart.SetSeriesData(0, x, x, 2);
    chart.SetXRange(c.fixedLo, c.fixedHi);
    RecordingCanvas canvas;
    canvas.charWidthOverride = c.charWidth;
    chart.PaintTo(canvas, PixelRect{0, 0, 800, 500}, false);
    EXPECT_LE(chart.XTicks().size(), 10000u);
  }
}

TEST(RobustnessTest, RangesAreRecomputedOnEveryPaint) {
  CChart chart;
  chart.AddSeries(Polyline(0x0808FC));
  chart.SetCurve(0, {0, 10}, {0, 10});
  RecordingCanvas canvas;
  chart.PaintTo(canvas, kWindow, false);
  EXPECT_LE(chart.XMax, 10.5);
  chart.SetCurve(0, {0, 1000}, {0, 1000});
  chart.PaintTo(canvas, kWindow, false);
  EXPECT_GE(chart.XMax, 1000);
}

}  // namespace
}  // namespace p528
