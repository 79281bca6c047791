// What the workbench's charts show: copies of the result's vectors, so the chart and the
// calculation read the same numbers, and the chart's curves outlive the vectors they came
// from (a recalculation replaces them).
#include "workbench/chart_curves.h"

#include "chart/chart.h"
#include "shell/shell.h"
#include "workbench/analysis.h"
#include "workbench/calibration_tab.h"

#include <gtest/gtest.h>

namespace p528 {
namespace {

TEST(CalibrationChart, ShowsTheTabsCurveAndReadsWhatTheLookupReads) {
  Shell shell;
  CalibCurve curve;
  curve.times = {0.5, 2.0, 3.0};
  curve.temps = {-161.5, 36.1, 68.7};
  curve.registered = true;
  CChart chart;
  ShowCalibrationCurve(chart, curve, shell);
  ASSERT_EQ(chart.SeriesCount(), 2);
  for (const CAutoSeries& s : chart.Series) {
    EXPECT_EQ(s.XData, curve.times);
    EXPECT_EQ(s.YData, curve.temps);
  }
  double viaChart = 0;
  double viaLookup = 0;
  ASSERT_TRUE(chart.Interpolate(0, 1, 0, 2.5, viaChart));
  ASSERT_TRUE(CalibLookup(curve, CalibAxis::Time, 2.5, viaLookup));
  EXPECT_EQ(viaChart, viaLookup);

  ClearCalibrationChart(chart);
  EXPECT_EQ(chart.SeriesCount(), 0);
}

TEST(DistillationChart, CurveKShowsAnalysisKAndOutlivesTheResultVectors) {
  Shell shell;
  CAnalysis analysis(shell);
  ChrmFile file;
  for (int k = 0; k < 4; ++k) {
    ChrmResult a;
    a.File = k == 1 ? nullptr : &file;  // an empty record is skipped
    a.PointTemp = {100.0 + k, 200.0 + k};
    a.PercentOff = {10.0, 20.0};
    analysis.Analyses.push_back(a);
  }
  CChart chart;
  SetUpDistillationChart(chart, shell);
  ASSERT_EQ(chart.SeriesCount(), 3);
  ShowDistillationCurves(chart, analysis);
  EXPECT_EQ(chart.Series[0].XData, (std::vector<double>{100, 200}));
  EXPECT_EQ(chart.Series[0].YData, (std::vector<double>{10, 20}));
  EXPECT_FALSE(chart.HasPoints(1));
  EXPECT_EQ(chart.Series[2].XData, (std::vector<double>{102, 202}));

  // The next calculation replaces the records and their vectors: the chart still shows and
  // reads its own copy (the sanitizer build catches any read of the freed vectors).
  analysis.Analyses.assign(8, ChrmResult{});
  analysis.Analyses.shrink_to_fit();
  double y = 0;
  ASSERT_TRUE(chart.Interpolate(0, 1, 2, 152.0, y));
  EXPECT_EQ(y, 15.0);

  ClearDistillationCurves(chart);
  ASSERT_EQ(chart.SeriesCount(), 3);
  for (int k = 0; k < 3; ++k) EXPECT_FALSE(chart.HasPoints(k));
}

}  // namespace
}  // namespace p528
