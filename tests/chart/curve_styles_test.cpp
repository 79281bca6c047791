#include "chart/curve_styles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "chart/chart.h"
#include "chart/recording_canvas.h"

namespace p528 {
namespace {

using test::CanvasOp;
using test::RecordingCanvas;

// A series on a 0..100 x 0..100 plot of 101 x 101 pixels: value x is column x, value y is
// row 100 - y.
struct PixelSeries {
  std::vector<double> x, y;
  CAutoSeries s;
  RecordingCanvas canvas;
  PixelSeries(std::vector<double> xs, std::vector<double> ys) : x(std::move(xs)), y(std::move(ys)) {
    s.PlotRect = {0, 0, 101, 101};
    s.XMin = 0;
    s.XMax = 100;
    s.YMin = 0;
    s.YMax = 100;
    s.SetPoints(x, y);
    s.Surface = &canvas;
  }
  std::vector<PixelPoint> LineEnds() const {
    std::vector<PixelPoint> out;
    for (const CanvasOp& op : canvas.OpsOf(CanvasOp::Line)) out.push_back(op.to);
    return out;
  }
};

PixelPoint At(double x, double y) { return {static_cast<int>(x), static_cast<int>(100 - y)}; }

TEST(SmoothCurveTest, FormFollowsTheXSequence) {
  const struct {
    const char* name;
    std::vector<double> x;
    bool parametric;
  } cases[] = {
      {"ascending", {0, 1, 2, 3, 4}, false},   {"descending", {4, 3, 2, 1}, false},
      {"repeated X", {0, 1, 1, 2}, true},      {"back and forth", {0, 2, 1, 3}, true},
      {"first two equal", {1, 1, 2, 3}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PixelSeries p(c.x, std::vector<double>(c.x.size(), 0));
    EXPECT_EQ(SmoothCurveIsParametric(p.s), c.parametric);
  }
}

TEST(SmoothCurveTest, PassesThroughEveryPointAndEndsExactlyOnTheLast) {
  const struct {
    const char* name;
    std::vector<double> x, y;
  } cases[] = {
      {"function of X, four points", {0, 30, 60, 100}, {0, 60, 30, 100}},
      {"function of X, six points", {0, 20, 40, 60, 80, 100}, {10, 90, 20, 80, 30, 70}},
      {"parametric, repeated X", {0, 50, 50, 100}, {0, 20, 80, 100}},
      {"parametric, back and forth", {10, 60, 40, 90}, {10, 30, 70, 90}},
      {"three points, parabola", {0, 50, 100}, {0, 100, 0}},
      {"three points, parametric", {0, 50, 50}, {0, 50, 100}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PixelSeries p(c.x, c.y);
    p.s.LineMode = LineSpline;
    p.s.SplineSteps = 10;
    DrawSmoothCurve(p.s);
    const auto& ops = p.canvas.Ops();
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops.front().kind, CanvasOp::Move);
    EXPECT_EQ(ops.front().to, At(c.x.front(), c.y.front()));
    const auto ends = p.LineEnds();
    ASSERT_FALSE(ends.empty());
    EXPECT_EQ(ends.back(), At(c.x.back(), c.y.back()));
    for (std::size_t k = 1; k < c.x.size(); ++k) {
      EXPECT_NE(std::find(ends.begin(), ends.end(), At(c.x[k], c.y[k])), ends.end()) << "point " << k;
    }
  }
}

TEST(SmoothCurveTest, FirstIntervalIsTheParabolaThroughTheFirstThreePoints) {
  // y = x^2 / 100 sampled at 0, 50, 100 and a fourth point: the first piece reproduces it.
  PixelSeries p({0, 50, 100, 150}, {0, 25, 100, 0});
  p.s.XMax = 150;  // column = round(x * 150 / 150) = x for x in 0..100
  p.s.PlotRect = {0, 0, 151, 101};
  p.s.SplineSteps = 10;
  DrawSmoothCurve(p.s);
  const auto ends = p.LineEnds();
  ASSERT_GE(ends.size(), 9u);
  for (std::size_t j = 0; j < 9; ++j) {
    const double X = 5.0 * static_cast<double>(j + 1);
    EXPECT_EQ(ends[j], (PixelPoint{static_cast<int>(X), 100 - RoundPixel(X * X / 100)})) << j;
  }
}

TEST(SmoothCurveTest, PiecesJoinWithoutAKink) {
  // Regression: the middle piece of the function form once ended with a slope of -10 at
  // (4, 4) where the next piece starts with 0.5, a sharp corner in a "smooth" curve.
  // 1000 pixels per unit and 100 steps: neighbouring computed points lie 10 columns apart,
  // and on a smooth curve their rows sit symmetrically around the joint.
  PixelSeries p({2, 3, 4, 5}, {2, 5, 4, 6});
  p.s.PlotRect = {0, 0, 10001, 10001};
  p.s.XMax = 10;
  p.s.YMax = 10;
  p.s.SplineSteps = 100;
  DrawSmoothCurve(p.s);
  const auto ends = p.LineEnds();
  for (PixelPoint joint : {PixelPoint{3000, 5000}, PixelPoint{4000, 6000}}) {
    SCOPED_TRACE(joint.x);
    const auto at = std::find(ends.begin(), ends.end(), joint);
    ASSERT_NE(at, ends.end());
    ASSERT_TRUE(at != ends.begin() && at + 1 != ends.end());
    const PixelPoint before = *(at - 1), after = *(at + 1);
    EXPECT_EQ(after.x - joint.x, joint.x - before.x);
    EXPECT_NEAR((after.y - joint.y) + (before.y - joint.y), 0, 3);
  }
}

TEST(SmoothCurveTest, TwoPointSplineIsDrawnAsAPolyline) {
  const double x[] = {0, 100}, y[] = {0, 100};
  CChart chart;
  CAutoSeries s;
  s.LineMode = LineSpline;
  s.Colour = 0x00AA00;
  chart.AddSeries(s);
  chart.SetSeriesData(0, x, y, 2);
  RecordingCanvas canvas;
  chart.PaintTo(canvas, PixelRect{0, 0, 300, 200}, false);
  int lines = 0;
  for (const CanvasOp& op : canvas.OpsOf(CanvasOp::Line)) lines += op.pen.colour == 0x00AA00;
  EXPECT_EQ(lines, 1);
}

TEST(BandsTest, OverlapIsFilledInLightRed) {
  PixelSeries p({10, 20}, {30, 40});
  p.s.MarkerStyle = MarkerBands;
  p.s.ZoneTypes = {1, 7};
  DrawBands(p.s);
  const auto fills = p.canvas.OpsOf(CanvasOp::Fill);
  ASSERT_EQ(fills.size(), 3u);
  EXPECT_EQ(fills[0].rect, (PixelRect{10, 0, 30, 101}));
  EXPECT_EQ(fills[0].colour, kBandZone1);
  EXPECT_EQ(fills[1].rect, (PixelRect{20, 0, 40, 101}));
  EXPECT_EQ(fills[1].colour, kBandDefault);
  EXPECT_EQ(fills[2].rect, (PixelRect{20, 0, 30, 101}));
  EXPECT_EQ(fills[2].colour, kBandOverlap);
}

TEST(BandsTest, BandsAreClampedToThePlotAndOutsideOnesSkipped) {
  PixelSeries p({-50, 90, 150, 40}, {10, 200, 300, 45});
  p.s.MarkerStyle = MarkerBands;
  DrawBands(p.s);
  const auto fills = p.canvas.OpsOf(CanvasOp::Fill);
  ASSERT_EQ(fills.size(), 3u);  // the band at 150..300 lies right of the plot
  EXPECT_EQ(fills[0].rect, (PixelRect{0, 0, 10, 101}));
  EXPECT_EQ(fills[1].rect, (PixelRect{90, 0, 101, 101}));
  EXPECT_EQ(fills[2].rect, (PixelRect{40, 0, 45, 101}));
}

TEST(LeaderTest, LineAndArrowDependOnTheDistance) {
  const struct {
    const char* name;
    int below;  // pixels the point lies below its linked point
    int lines;
  } cases[] = {
      {"20 px: line and arrow head", 20, 3}, {"16 px (4 s): line and arrow head", 16, 3},
      {"10 px: line only", 10, 1},           {"4 px (s): line only", 4, 1},
      {"3 px: circle only", 3, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PixelSeries target({50}, {50.0 + c.below});
    PixelSeries p({50}, {50});
    p.s.MarkerStyle = MarkerLeader;
    DrawMarkers(p.s, &target.s);
    EXPECT_EQ(p.canvas.OpsOf(CanvasOp::Ellipse).size(), 1u);
    const auto lines = p.canvas.OpsOf(CanvasOp::Line);
    ASSERT_EQ(static_cast<int>(lines.size()), c.lines);
    if (c.lines > 0) {
      EXPECT_EQ(lines[0].from, (PixelPoint{50, 46}));  // from the circle's top
      EXPECT_EQ(lines[0].to, (PixelPoint{50, 50 - c.below}));
    }
    if (c.lines == 3) {
      EXPECT_EQ(lines[1].to, (PixelPoint{48, 50 - c.below + 12}));
      EXPECT_EQ(lines[2].to, (PixelPoint{52, 50 - c.below + 12}));
    }
  }
}

TEST(LeaderTest, ShorterLinkedSeriesGetsNoLeader) {
  PixelSeries target({50}, {90});
  PixelSeries p({40, 60}, {50, 50});
  p.s.MarkerStyle = MarkerLeader;
  DrawMarkers(p.s, &target.s);
  EXPECT_EQ(p.canvas.OpsOf(CanvasOp::Ellipse).size(), 2u);
  EXPECT_EQ(p.canvas.OpsOf(CanvasOp::Line).size(), 3u);  // point 0 only
}

TEST(MarkerTest, ShapesAroundThePointAndOnlyInsideThePlot) {
  const struct {
    const char* name;
    int style;
    CanvasOp::Kind kind;
    int count;
  } cases[] = {
      {"circle", MarkerCircle, CanvasOp::Ellipse, 1},
      {"square", MarkerSquare, CanvasOp::Rect, 1},
      {"cross", MarkerCross, CanvasOp::Line, 2},
      {"plus", MarkerPlus, CanvasOp::Line, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PixelSeries p({50, 150}, {50, 50});  // the second point lies right of the plot
    p.s.MarkerStyle = c.style;
    p.s.MarkerSize = 3;
    DrawMarkers(p.s);
    const auto ops = p.canvas.OpsOf(c.kind);
    ASSERT_EQ(static_cast<int>(ops.size()), c.count);
    if (c.kind != CanvasOp::Line) {
      EXPECT_EQ(ops[0].rect, (PixelRect{47, 47, 54, 54}));
      EXPECT_TRUE(ops[0].brush.hollow);
    }
  }
}

}  // namespace
}  // namespace p528
