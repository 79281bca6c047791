// The result pages' rules: calculators on a curve, show flags and colours, and the click
// read-out of the enlarged distillation chart.
#include "workbench/chart_page_rules.h"

#include <gtest/gtest.h>

namespace p528::test {
namespace {

// A distillation chart with curves 1 and 3 (temperatures 100..300 and 150..250).
struct AnalysisChart {
  AnalysisChart() {
    SetUpAnalysisChart(chart, kAnalysisCurveColours, "t, °C", "%");
    chart.SetSeriesData(0, t1.data(), p1.data(), 3);
    chart.SetSeriesData(2, t3.data(), p3.data(), 2);
  }
  std::vector<double> t1{100, 200, 300}, p1{0, 50, 100};
  std::vector<double> t3{150, 250}, p3{10, 90};
  CChart chart;
};

TEST(ChartPageRules, CalculatorGivesZeroOutsideTheCurveAndTheLastPointAtItsEnd) {
  AnalysisChart a;
  EXPECT_EQ(CurveCalculatorText(a.chart, 0, true, "99"), "0");
  EXPECT_EQ(CurveCalculatorText(a.chart, 0, true, "300"), "100");
  EXPECT_EQ(CurveCalculatorText(a.chart, 0, true, "150"), "25");
  EXPECT_EQ(CurveCalculatorText(a.chart, 0, false, "75"), "250");
  EXPECT_EQ(CurveCalculatorText(a.chart, 1, true, "150"), "0");  // analysis 2 missing
  EXPECT_EQ(CurveCalculatorText(a.chart, 0, true, "abc"), "0");  // reads 0: below the curve
}

TEST(ChartPageRules, ClickReadOutFillsTheCurvesWithPoints) {
  AnalysisChart a;
  a.chart.ClickX = 175;
  std::array<ReadOutTexts, kAnalysisCurves> readOuts{};
  readOuts[1] = {"old", "old"};
  AnalysisClickReadOut(a.chart, readOuts);
  EXPECT_EQ(readOuts[0].x, "175");
  EXPECT_EQ(readOuts[0].y, "37.5");
  EXPECT_EQ(readOuts[1].x, "old");  // no points: untouched
  EXPECT_EQ(readOuts[2].y, "30");

  a.chart.ClickX = 120;  // covered by curve 1 only
  AnalysisClickReadOut(a.chart, readOuts);
  EXPECT_EQ(readOuts[2].x, "120");
  EXPECT_EQ(readOuts[2].y, "0");
}

TEST(ChartPageRules, HiddenCurveAndNewColourReachTheChartAndTheEnlargedCopy) {
  AnalysisChart a;
  ApplyShowFlags(a.chart, {true, true, false});
  EXPECT_EQ(a.chart.Series[2].Hidden, 1);
  EXPECT_EQ(a.chart.Series[0].Hidden, 0);
  SetCurveColour(a.chart, 0, 0x123456);
  SetCurveColour(a.chart, 7, 0x123456);  // no such series: ignored
  EXPECT_EQ(a.chart.Series[0].Colour, 0x123456u);

  CChart enlarged;
  SetUpAnalysisChart(enlarged, kAnalysisCurveColours, "t, °C", "%");
  ASSERT_TRUE(CopyAnalysisCurves(a.chart, enlarged, {0x123456, 0xFC0808, 0x08FC08}));
  EXPECT_EQ(enlarged.Series[0].Colour, 0x123456u);
  EXPECT_EQ(enlarged.Series[2].XData, a.t3);
  EXPECT_FALSE(enlarged.HasPoints(1));
  // The enlarged copy keeps its points when the page's curves are replaced while it is open.
  a.chart.ClearSeriesData(2);
  a.chart.SetCurve(2, std::vector<double>(1000, 1.0), std::vector<double>(1000, 2.0));
  EXPECT_EQ(CurveCalculatorText(enlarged, 2, true, "200"), "50");

  CChart empty;
  SetUpAnalysisChart(empty, kAnalysisCurveColours, "", "");
  EXPECT_FALSE(CopyAnalysisCurves(empty, enlarged, kAnalysisCurveColours));
}

}  // namespace
}  // namespace p528::test
