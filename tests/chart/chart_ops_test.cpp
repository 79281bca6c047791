#include "chart/chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace p528 {
namespace {

TEST(ChartOpsTest, AddSeriesNumbersFromZeroAndResetsHidden) {
  CChart chart;
  CAutoSeries templ;
  templ.Colour = 0x0808FC;
  templ.Hidden = 1;
  EXPECT_EQ(chart.AddSeries(templ), 0);
  EXPECT_EQ(chart.AddSeries(templ), 1);
  EXPECT_EQ(chart.AddSeries(templ), 2);
  EXPECT_EQ(chart.SeriesCount(), 3);
  EXPECT_EQ(chart.Series[2].Colour, 0x0808FCu);
  EXPECT_EQ(chart.Series[2].Hidden, 0);
}

TEST(ChartOpsTest, SetSeriesDataIgnoresEmptyOrMissingInput) {
  const double x1[] = {1, 2, 3}, y1[] = {4, 5, 6};
  const double x2[] = {7}, y2[] = {8};
  CChart chart;
  chart.AddSeries(CAutoSeries{});
  chart.SetSeriesData(0, x1, y1, 3);
  const struct {
    const char* name;
    int index;
    const double* x;
    const double* y;
    int n;
  } ignored[] = {
      {"count 0", 0, x2, y2, 0},
      {"negative count", 0, x2, y2, -1},
      {"null x", 0, nullptr, y2, 1},
      {"null y", 0, x2, nullptr, 1},
      {"index past the table", 1, x2, y2, 1},
      {"negative index", -1, x2, y2, 1},
  };
  for (const auto& c : ignored) {
    SCOPED_TRACE(c.name);
    chart.SetSeriesData(c.index, c.x, c.y, c.n);
    EXPECT_EQ(chart.Series[0].XData, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(chart.Series[0].YData, (std::vector<double>{4, 5, 6}));
  }
}

TEST(ChartOpsTest, SetSeriesDataDoesNotRedrawButClearDoes) {
  const double x[] = {1, 2}, y[] = {3, 4};
  CChart chart;
  int redraws = 0;
  chart.SetInvalidateHandler([&redraws] { ++redraws; });
  chart.AddSeries(CAutoSeries{});
  chart.SetSeriesData(0, x, y, 2);
  EXPECT_EQ(redraws, 0);
  chart.ClearSeriesData(0);
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(chart.Series[0].Count(), 0);
  EXPECT_FALSE(chart.HasPoints(0));
  chart.ClearSeriesData(5);  // no such series: ignored, no redraw
  EXPECT_EQ(redraws, 1);
}

TEST(ChartOpsTest, RemoveAllSeriesEmptiesTheTable) {
  CChart chart;
  chart.AddSeries(CAutoSeries{});
  chart.AddSeries(CAutoSeries{});
  chart.RemoveAllSeries();
  EXPECT_EQ(chart.SeriesCount(), 0);
  EXPECT_EQ(chart.AddSeries(CAutoSeries{}), 0);
}

TEST(ChartOpsTest, AxisRangesTurnFixedOrAutomatic) {
  CChart chart;
  chart.SetXRange(-1, 1);
  chart.SetYRange(0, 100);
  EXPECT_FALSE(chart.AutoX);
  EXPECT_FALSE(chart.AutoY);
  EXPECT_DOUBLE_EQ(chart.FixedXMin, -1);
  EXPECT_DOUBLE_EQ(chart.FixedYMax, 100);
  chart.SetXRange(5, 5);  // start not below end: automatic again
  EXPECT_TRUE(chart.AutoX);
  EXPECT_DOUBLE_EQ(chart.FixedXMin, -1);
  chart.Mode = CoordLogX;
  chart.SetXRange(10, 1000);
  EXPECT_DOUBLE_EQ(chart.FixedXMin, 1);
  EXPECT_DOUBLE_EQ(chart.FixedXMax, 3);
}

TEST(ChartOpsTest, SeriesStayInPlaceForLinks) {
  // A leader series points at another series of the chart; adding series must not move it.
  CChart chart;
  chart.AddSeries(CAutoSeries{});
  const CAutoSeries* first = &chart.Series[0];
  for (int i = 0; i < 100; ++i) chart.AddSeries(CAutoSeries{});
  EXPECT_EQ(&chart.Series[0], first);
}

TEST(ChartOpsTest, CaptionsKeepAtMost255Units) {
  CChart chart;
  std::string cyrillic;
  for (int i = 0; i < 300; ++i) cyrillic += "Д";
  chart.SetYCaption(cyrillic);
  EXPECT_EQ(chart.YCaption.size(), 255u * 2);
  std::string astral = std::string(254, 'a') + "\xF0\x9F\x98\x80";  // a pair would be units 255 and 256
  chart.SetXCaption(astral);
  EXPECT_EQ(chart.XCaption, std::string(254, 'a'));
  chart.SetXCaption("t, °C");
  EXPECT_EQ(chart.XCaption, "t, °C");
}

// Interpolate along a curve of the chart: the read-outs of the windows.
constexpr double kUntouched = -12345.0;

struct LookupCase {
  const char* name;
  int argumentAxis;
  double value;
  bool ok;
  double expected;
};

TEST(ChartInterpolateTest, ThreePointCurveBothWays) {
  const std::vector<double> x = {0, 10, 20};
  const std::vector<double> y = {0, 100, 400};
  CChart chart;
  ASSERT_EQ(chart.AddSeries(CAutoSeries{}), 0);
  chart.SetSeriesData(0, x.data(), y.data(), 3);
  const LookupCase cases[] = {
      {"X 0 (first point inclusive)", 0, 0, true, 0},
      {"X 5", 0, 5, true, 50},
      {"X 10", 0, 10, true, 100},
      {"X 15", 0, 15, true, 250},
      {"X 20 (last point inclusive)", 0, 20, true, 400},
      {"X 25 beyond the curve", 0, 25, false, 0},
      {"X -1 before the curve", 0, -1, false, 0},
      {"Y 250", 1, 250, true, 15},
      {"Y 400", 1, 400, true, 20},
      {"Y 401", 1, 401, false, 0},
      {"X NaN", 0, std::nan(""), false, 0},
  };
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(c.name);
    double result = kUntouched;
    EXPECT_EQ(chart.Interpolate(c.argumentAxis, 1 - c.argumentAxis, 0, c.value, result), c.ok);
    EXPECT_DOUBLE_EQ(result, c.ok ? c.expected : kUntouched);
  }
}

TEST(ChartInterpolateTest, FailsWithoutCurveOrArrays) {
  CChart chart;
  double result = kUntouched;
  EXPECT_FALSE(chart.Interpolate(0, 1, 0, 1.0, result));  // no curve entry
  chart.AddSeries(CAutoSeries{});
  EXPECT_FALSE(chart.Interpolate(0, 1, 0, 1.0, result));  // entry without arrays
  EXPECT_FALSE(chart.Interpolate(0, 1, -1, 1.0, result));
  EXPECT_DOUBLE_EQ(result, kUntouched);
}

}  // namespace
}  // namespace p528
