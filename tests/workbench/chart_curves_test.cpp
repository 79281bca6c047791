// What the workbench's charts show: pointers into the engine's vectors, so the chart and the
// calculation read the same numbers, and nothing once the vectors are about to go.
#include "workbench/chart_curves.h"

#include "chart/chart.h"
#include "workbench/analysis.h"
#include "workbench/calibration_tab.h"
#include "shell/shell.h"

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
  for (std::size_t k = 0; k < 2; ++k) {
    EXPECT_EQ(chart.Curves[k].XData, curve.times.data());
    EXPECT_EQ(chart.Curves[k].YData, curve.temps.data());
    EXPECT_EQ(chart.Curves[k].Count, 3);
  }
  double viaChart = 0;
  double viaLookup = 0;
  ASSERT_TRUE(chart.Interpolate(0, 1, 0, 2.5, viaChart));
  ASSERT_TRUE(CalibLookup(curve, CalibAxis::Time, 2.5, viaLookup));
  EXPECT_EQ(viaChart, viaLookup);

  ClearCalibrationChart(chart);
  EXPECT_EQ(chart.SeriesCount(), 0);
}

TEST(DistillationChart, CurveKShowsAnalysisKAndIsLetGoBeforeTheNextCalculation) {
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
  EXPECT_EQ(chart.Curves[0].XData, analysis.Analyses[0].PointTemp.data());
  EXPECT_EQ(chart.Curves[0].YData, analysis.Analyses[0].PercentOff.data());
  EXPECT_EQ(chart.Curves[0].Count, 2);
  EXPECT_EQ(chart.Curves[1].XData, nullptr);
  EXPECT_EQ(chart.Curves[2].XData, analysis.Analyses[2].PointTemp.data());

  ClearDistillationCurves(chart);
  ASSERT_EQ(chart.SeriesCount(), 3);
  for (const CurveRef& c : chart.Curves) EXPECT_EQ(c.XData, nullptr);
}

}  // namespace
}  // namespace p528
