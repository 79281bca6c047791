#include "chart/coord_object.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "chart/recording_canvas.h"

namespace p528 {
namespace {

using test::CanvasOp;
using test::RecordingCanvas;

CAutoCoordObject Plot(PixelRect rect, double xmin, double xmax, double ymin, double ymax) {
  CAutoCoordObject c;
  c.PlotRect = rect;
  c.XMin = xmin;
  c.XMax = xmax;
  c.YMin = ymin;
  c.YMax = ymax;
  return c;
}

TEST(MappingTest, RoundingTakesHalvesDown) {
  const struct {
    double v;
    int expected;
  } cases[] = {{2.5, 2}, {2.51, 3},           {-2.5, -3},           {-2.49, -2},
               {0.5, 0}, {1e300, 1000000000}, {-1e300, -1000000000}};
  for (const auto& c : cases) EXPECT_EQ(RoundPixel(c.v), c.expected) << c.v;
  EXPECT_EQ(RoundPixel(std::nan("")), -1000000000);
  // The rule itself, ceil(v - 0.5) limited to 1e9 pixels, on values next to halves and
  // integers, small and beyond 2^52.
  for (double base : {0.0, 0.5, 1.0, 2.5, 799.5, 4503599627370496.0, 1e17}) {
    for (double v : {base, std::nextafter(base, -1e300), std::nextafter(base, 1e300)}) {
      for (double sv : {v, -v}) {
        EXPECT_EQ(RoundPixel(sv), static_cast<int>(std::clamp(std::ceil(sv - 0.5), -1e9, 1e9))) << sv;
      }
    }
  }
}

TEST(MappingTest, EdgesOfTheRangeMapToTheEdgesOfThePlot) {
  const CAutoCoordObject c = Plot({10, 20, 110, 70}, 0, 50, -1, 1);
  EXPECT_EQ(c.Px(0), 10);
  EXPECT_EQ(c.Px(50), 109);
  EXPECT_EQ(c.Py(-1), 69);
  EXPECT_EQ(c.Py(1), 20);
  EXPECT_EQ(c.Px(25), 10 + RoundPixel(49.5));  // 59: the half goes down
}

TEST(MappingTest, ZeroWidthRangesMapToZero) {
  const CAutoCoordObject c = Plot({10, 20, 110, 70}, 0, 0, 0, 0);
  EXPECT_EQ(c.MapX(123, 4), 0);
  EXPECT_EQ(c.MapY(123, 4), 0);
}

TEST(MappingTest, ReadOutAtThePlotEdges) {
  const CAutoCoordObject c = Plot({10, 20, 110, 70}, 0, 50, -1, 1);
  EXPECT_DOUBLE_EQ(c.UnmapX(10), 0);
  EXPECT_DOUBLE_EQ(c.UnmapX(109), 50);
  EXPECT_DOUBLE_EQ(c.UnmapY(20), 1);
  EXPECT_DOUBLE_EQ(c.UnmapY(69), -1);
  CAutoCoordObject log = Plot({0, 0, 101, 101}, 0, 2, 0, 1);
  log.Mode = CoordLogX | CoordLogY;
  EXPECT_DOUBLE_EQ(log.UnmapX(100), 100);
  EXPECT_DOUBLE_EQ(log.UnmapY(0), 10);
}

TEST(MappingTest, OnePixelPlotReadsOutWithoutDividingByZero) {
  const CAutoCoordObject c = Plot({10, 20, 11, 21}, 3, 7, 5, 9);
  EXPECT_DOUBLE_EQ(c.UnmapX(10), 3);
  EXPECT_DOUBLE_EQ(c.UnmapY(20), 9);
}

TEST(MappingTest, PolarMapsAngleAndRadius) {
  CAutoCoordObject c = Plot({0, 0, 201, 201}, -1, 1, -1, 1);
  c.Mode = CoordPolar;
  EXPECT_EQ(c.MapX(0, 1), 200);
  EXPECT_EQ(c.MapY(M_PI / 2, 1), 0);
}

TEST(ClipTest, EndsSlideOntoTheEdgesInOrder) {
  const PixelRect plot{0, 0, 101, 101};  // box [0, 100] x [0, 100]
  const struct {
    const char* name;
    PixelPoint a, b, clippedA, clippedB;
  } cases[] = {
      {"inside stays", {10, 10}, {90, 90}, {10, 10}, {90, 90}},
      {"leaves through the top", {50, 50}, {50, -50}, {50, 50}, {50, 0}},
      {"leaves through the bottom at a slant", {0, 50}, {100, 150}, {0, 50}, {50, 100}},
      {"crosses left to right", {-100, 50}, {200, 50}, {0, 50}, {100, 50}},
      {"rounds to nearest", {0, 2}, {4, -1}, {0, 2}, {3, 0}},
      {"corner to corner", {-10, -10}, {110, 110}, {0, 0}, {100, 100}},
      {"both beyond the same edges stay", {200, 200}, {300, 300}, {200, 200}, {300, 300}},
      {"slides along the far edge first", {-5, 200}, {50, 300}, {0, 209}, {50, 300}},
      {"on the edge line itself", {0, 0}, {100, 0}, {0, 0}, {100, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PixelPoint a = c.a, b = c.b;
    ClipSegment(plot, a, b);
    EXPECT_EQ(a, c.clippedA);
    EXPECT_EQ(b, c.clippedB);
  }
}

// Draws a polyline through pixel-exact values on a 0..100 plot of 101 x 101 pixels.
std::vector<CanvasOp> DrawLine(std::initializer_list<PixelPoint> points) {
  RecordingCanvas canvas;
  CAutoCoordObject c = Plot({0, 0, 101, 101}, 0, 100, 0, 100);
  c.Surface = &canvas;
  const Pen pen{PenSolid, 0, 0x123456};
  bool first = true;
  for (PixelPoint p : points) {
    // y is given as a row: the value is 100 - row.
    if (first) {
      c.StartLine(p.x, 100 - p.y, pen);
      first = false;
    } else {
      c.LineToValue(p.x, 100 - p.y, pen);
    }
  }
  return canvas.Ops();
}

TEST(LineTest, SegmentWithBothEndsOutsideIsNeverDrawn) {
  const auto ops = DrawLine({{-50, 50}, {150, 50}});
  for (const CanvasOp& op : ops) EXPECT_NE(op.kind, CanvasOp::Line);
}

TEST(LineTest, EnteringSegmentStartsAtTheEdge) {
  const auto ops = DrawLine({{-50, 50}, {10, 50}});
  ASSERT_GE(ops.size(), 3u);
  EXPECT_EQ(ops[1].kind, CanvasOp::Move);
  EXPECT_EQ(ops[1].to, (PixelPoint{0, 50}));
  EXPECT_EQ(ops[2].kind, CanvasOp::Line);
  EXPECT_EQ(ops[2].to, (PixelPoint{10, 50}));
}

TEST(LineTest, LeavingSegmentEndsAtTheEdge) {
  const auto ops = DrawLine({{90, 50}, {150, 50}, {160, 50}});
  std::vector<PixelPoint> ends;
  for (const CanvasOp& op : ops)
    if (op.kind == CanvasOp::Line) ends.push_back(op.to);
  EXPECT_EQ(ends, (std::vector<PixelPoint>{{100, 50}}));
}

TEST(LineTest, DotAfterALongHorizontalJump) {
  const auto ops = DrawLine({{10, 50}, {22, 50}, {35, 40}, {35, 90}});
  std::vector<PixelRect> dots;
  for (const CanvasOp& op : ops)
    if (op.kind == CanvasOp::Ellipse) dots.push_back(op.rect);
  // 12 columns: no dot; 13 columns: a dot at the later point; vertical: none.
  EXPECT_EQ(dots, (std::vector<PixelRect>{{33, 38, 38, 43}}));
}

TEST(LineTest, SamePixelAddsNoLine) {
  const auto ops = DrawLine({{10, 50}, {10, 50}, {20, 50}});
  int lines = 0;
  for (const CanvasOp& op : ops) lines += op.kind == CanvasOp::Line;
  EXPECT_EQ(lines, 1);
}

TEST(LineTest, NonFiniteValueBreaksTheLine) {
  RecordingCanvas canvas;
  CAutoCoordObject c = Plot({0, 0, 101, 101}, 0, 100, 0, 100);
  c.Surface = &canvas;
  const Pen pen{};
  c.StartLine(10, 10, pen);
  c.LineToValue(20, 20, pen);
  c.LineToValue(30, std::nan(""), pen);
  c.LineToValue(40, 40, pen);
  c.LineToValue(50, 50, pen);
  std::vector<PixelPoint> lineEnds;
  for (const CanvasOp& op : canvas.Ops())
    if (op.kind == CanvasOp::Line) lineEnds.push_back(op.to);
  EXPECT_EQ(lineEnds, (std::vector<PixelPoint>{{20, 80}, {50, 50}}));
}

}  // namespace
}  // namespace p528
