#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "chart/chart.h"
#include "chart/recording_canvas.h"

namespace p528 {
namespace {

using test::CanvasOp;
using test::RecordingCanvas;

struct ZoomChart {
  CChart chart;
  RecordingCanvas canvas;
  int redraws = 0;
  ZoomChart() {
    CAutoSeries s;
    chart.AddSeries(s);
    chart.SetCurve(0, {0, 100}, {0, 100});
    chart.SetInvalidateHandler([this] { ++redraws; });
    Paint();
  }
  void Paint() {
    canvas.Clear();
    chart.PaintWindow(canvas, PixelRect{0, 0, 400, 300});
  }
  PixelPoint Centre() const {
    const PixelRect& p = chart.PlotRect;
    return {(p.left + p.right) / 2, (p.top + p.bottom) / 2};
  }
};

TEST(ZoomTest, BandsNarrowerThanThreePixelsAreRefused) {
  const struct {
    int dx, dy;
    bool zoomed;
  } cases[] = {{2, 50, false}, {50, 2, false}, {-2, -2, false}, {3, 3, true}, {-60, -40, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
    ZoomChart t;
    const PixelPoint a = t.Centre();
    const PixelPoint b{a.x + c.dx, a.y + c.dy};
    EXPECT_TRUE(t.chart.ButtonDown(MouseLeft, a));
    EXPECT_TRUE(t.chart.MouseMove(b, true));
    const CAutoCtrl::ReleaseResult r = t.chart.ButtonUp(MouseLeft, b);
    EXPECT_TRUE(r.consumed);
    EXPECT_EQ(r.zoomed, c.zoomed);
    EXPECT_FALSE(t.chart.BandActive);
    EXPECT_EQ(t.chart.AutoX, !c.zoomed);
    EXPECT_EQ(t.chart.AutoY, !c.zoomed);
    if (c.zoomed) {
      EXPECT_DOUBLE_EQ(t.chart.FixedXMin, t.chart.UnmapX(std::min(a.x, b.x)));
      EXPECT_DOUBLE_EQ(t.chart.FixedYMax, t.chart.UnmapY(std::min(a.y, b.y)));
      EXPECT_EQ(t.redraws, 1);
    }
  }
}

TEST(ZoomTest, BandBeyondThePlotIsLimitedToTheView) {
  ZoomChart t;
  const double xmax = t.chart.XMax, ymin = t.chart.YMin;
  const PixelPoint a = t.Centre();
  t.chart.ButtonDown(MouseLeft, a);
  t.chart.MouseMove({a.x + 1000, a.y + 1000}, true);
  ASSERT_TRUE(t.chart.ButtonUp(MouseLeft, {a.x + 1000, a.y + 1000}).zoomed);
  EXPECT_DOUBLE_EQ(t.chart.FixedXMax, xmax);
  EXPECT_DOUBLE_EQ(t.chart.FixedYMin, ymin);
}

TEST(ZoomTest, ZoomToIgnoresBandsBelowOnePartIn100000) {
  ZoomChart t;
  EXPECT_FALSE(t.chart.ZoomTo(50, 50.0001, 0, 100));
  EXPECT_TRUE(t.chart.AutoX);
  EXPECT_TRUE(t.chart.ZoomTo(50.001, 50, 90, 10));  // pairs come in any order
  EXPECT_DOUBLE_EQ(t.chart.FixedXMin, 50);
  EXPECT_DOUBLE_EQ(t.chart.FixedXMax, 50.001);
  EXPECT_DOUBLE_EQ(t.chart.FixedYMin, 10);
  EXPECT_DOUBLE_EQ(t.chart.FixedYMax, 90);
}

TEST(ZoomTest, PressesAreConsumedOnlyByAnEnabledZoomButton) {
  ZoomChart t;
  t.chart.ZoomEnabled = false;
  EXPECT_FALSE(t.chart.ButtonDown(MouseLeft, t.Centre()));
  EXPECT_FALSE(t.chart.ButtonUp(MouseLeft, t.Centre()).consumed);
  t.chart.ZoomEnabled = true;
  t.chart.ZoomButton = MouseRight;
  EXPECT_FALSE(t.chart.ButtonDown(MouseLeft, t.Centre()));
  EXPECT_TRUE(t.chart.ButtonDown(MouseRight, t.Centre()));
  EXPECT_FALSE(t.chart.ButtonDown(MouseRight, t.Centre()));  // a band is already active
  EXPECT_FALSE(t.chart.ButtonUp(MouseLeft, t.Centre()).consumed);
  EXPECT_TRUE(t.chart.ButtonUp(MouseRight, t.Centre()).consumed);
}

TEST(ZoomTest, MoveWithoutTheButtonEndsTheBand) {
  ZoomChart t;
  const PixelPoint a = t.Centre();
  t.chart.ButtonDown(MouseLeft, a);
  EXPECT_FALSE(t.chart.MouseMove(a, true));  // same point: nothing to redraw
  EXPECT_TRUE(t.chart.MouseMove({a.x + 20, a.y + 20}, true));
  EXPECT_EQ(t.chart.BandRect(), (PixelRect{a.x, a.y, a.x + 20, a.y + 20}));
  t.Paint();
  EXPECT_EQ(t.canvas.Ops().back().kind, CanvasOp::Invert);
  EXPECT_TRUE(t.chart.MouseMove({a.x + 30, a.y + 30}, false));
  EXPECT_FALSE(t.chart.BandActive);
  EXPECT_FALSE(t.chart.ButtonUp(MouseLeft, a).consumed);
}

// A chart whose view shows part of the data, with round steps, set directly.
void ShowPart(CChart& c, double xmin, double xmax) {
  c.FullXMin = 0;
  c.FullXMax = 100;
  c.FullYMin = 0;
  c.FullYMax = 100;
  c.XMin = xmin;
  c.XMax = xmax;
  c.YMin = 0;
  c.YMax = 20;
  c.XStep = 5;
  c.YStep = 5;
}

TEST(ScrollTest, HorizontalStepsStopAtTheData) {
  const struct {
    const char* name;
    double xmin, xmax;
    int code;
    std::uint32_t position;
    bool changed;
    double newMin, newMax;
  } cases[] = {
      {"left at the start", 0, 20, ScrollLineUp, 0, false, 0, 0},
      {"right", 0, 20, ScrollLineDown, 0, true, 5, 25},
      {"page left near the start", 3, 23, ScrollPageUp, 0, true, 0, 20},
      {"right at the end", 80, 100, ScrollPageDown, 0, false, 0, 0},
      {"right near the end", 78, 98, ScrollLineDown, 0, true, 80, 100},
      {"thumb track", 0, 20, ScrollThumbTrack, 3, true, 15, 35},
      {"thumb track past the end", 0, 20, ScrollThumbTrack, 0xFFFFFFFFu, true, 80, 100},
      {"thumb position is not handled", 0, 20, ScrollThumbPosition, 3, false, 0, 0},
      {"end scroll", 0, 20, ScrollEnd, 0, false, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CChart chart;
    ShowPart(chart, c.xmin, c.xmax);
    int redraws = 0;
    chart.SetInvalidateHandler([&redraws] { ++redraws; });
    EXPECT_EQ(chart.ScrollHorizontal(c.code, c.position), c.changed);
    EXPECT_EQ(redraws, c.changed ? 1 : 0);
    EXPECT_EQ(chart.AutoX, !c.changed);
    if (c.changed) {
      EXPECT_DOUBLE_EQ(chart.FixedXMin, c.newMin);
      EXPECT_DOUBLE_EQ(chart.FixedXMax, c.newMax);
    }
  }
}

TEST(ScrollTest, VerticalStepsAreNotLimitedButTheThumbIs) {
  CChart chart;
  ShowPart(chart, 0, 20);
  chart.YMin = 80;
  chart.YMax = 100;
  EXPECT_TRUE(chart.ScrollVertical(ScrollLineUp, 0));
  EXPECT_DOUBLE_EQ(chart.FixedYMin, 85);
  EXPECT_DOUBLE_EQ(chart.FixedYMax, 105);  // above the data
  EXPECT_TRUE(chart.ScrollVertical(ScrollPageDown, 0));
  EXPECT_DOUBLE_EQ(chart.FixedYMin, 75);
  EXPECT_TRUE(chart.ScrollVertical(ScrollThumbTrack, 1000));
  EXPECT_DOUBLE_EQ(chart.FixedYMin, 0);  // limited to the bottom of the data
  EXPECT_DOUBLE_EQ(chart.FixedYMax, 20);
  EXPECT_FALSE(chart.ScrollVertical(ScrollBottom, 0));
}

TEST(ScrollTest, EmptyChartHasNothingToScroll) {
  CChart chart;
  chart.XStep = std::nan("");
  EXPECT_FALSE(chart.ScrollHorizontal(ScrollLineDown, 0));
  EXPECT_TRUE(chart.AutoX);
}

TEST(ScrollBarTest, BarsFollowTheViewAgainstTheFullRange) {
  ZoomChart t;
  EXPECT_TRUE(t.chart.HScrollHidden);
  EXPECT_TRUE(t.chart.VScrollHidden);
  EXPECT_FALSE(t.chart.HScroll.visible);

  // Data 0..112.3 high, view 0..100: ceil(12.3) = 13 units of 0.01.
  t.chart.SetCurve(0, {0, 100}, {0, 112.3});
  t.chart.SetXRange(20, 40);
  t.chart.SetYRange(0, 100);
  t.Paint();
  EXPECT_DOUBLE_EQ(t.chart.FullYMax, 112.3);
  EXPECT_TRUE(t.chart.VScroll.visible);
  EXPECT_EQ(t.chart.VScroll.maximum, 1300);
  EXPECT_EQ(t.chart.VScroll.position, 1300);
  EXPECT_TRUE(t.chart.HScroll.visible);
  EXPECT_FALSE(t.chart.HScrollHidden);
  // The horizontal bar counts in the previous layout's step.
  t.Paint();
  const double step = t.chart.XStep;
  EXPECT_EQ(t.chart.HScroll.maximum, static_cast<int>(std::ceil((100 - 20) / step)));
  EXPECT_EQ(t.chart.HScroll.position, static_cast<int>(std::ceil(20 / step)));

  t.chart.HScrollAllowed = false;
  t.Paint();
  EXPECT_FALSE(t.chart.HScroll.visible);
  EXPECT_TRUE(t.chart.HScrollHidden);
}

}  // namespace
}  // namespace p528
