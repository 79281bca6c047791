#include "workbench/chart_curves.h"

#include "chart/chart.h"
#include "engine/texts/calculation_texts.h"
#include "shell/shell.h"
#include "workbench/analysis.h"
#include "workbench/calibration_tab.h"
#include "workbench/chart_page_rules.h"
#include "workbench/workbench_texts.h"

#include <cstddef>

namespace p528 {

namespace {

// Calibration chart: the curve as a red polyline, the points as blue circles.
constexpr COLORREF kCurveColour = 0x0808FC;
constexpr COLORREF kPointColour = 0xFC0808;

}  // namespace

void SetUpDistillationChart(CChart& chart, const Shell& shell) {
  SetUpAnalysisChart(chart, kAnalysisCurveColours, shell.Str(text::kDistillationXCaption),
                     shell.Str(text::kDistillationYCaption));
}

void ClearCalibrationChart(CChart& chart) {
  chart.RemoveAllSeries();
  chart.SetXRange(-1, 1);
  chart.SetYRange(0, 100);
  chart.Invalidate();
}

void ShowCalibrationCurve(CChart& chart, const CalibCurve& curve, const Shell& shell) {
  chart.RemoveAllSeries();
  CAutoSeries line;
  line.LineMode = LinePolyline;
  line.MarkerStyle = MarkerNone;
  line.Colour = kCurveColour;
  CAutoSeries markers;
  markers.LineMode = LineNone;
  markers.MarkerStyle = MarkerCircle;
  markers.MarkerSize = 3;
  markers.Colour = kPointColour;
  const int lineIndex = chart.AddSeries(line);
  const int markerIndex = chart.AddSeries(markers);
  chart.SetCurve(lineIndex, curve.times, curve.temps);
  chart.SetCurve(markerIndex, curve.times, curve.temps);
  chart.SetXCaption(shell.Str(text::kCaptionTimeMin));
  chart.SetYCaption(shell.Str(text::kCaptionTempC));
  chart.AutoX = true;
  chart.AutoY = true;
  chart.Invalidate();
}

void ClearDistillationCurves(CChart& chart) {
  for (int k = 0; k < chart.SeriesCount(); ++k) chart.ClearSeriesData(k);
}

void ShowDistillationCurves(CChart& chart, const CAnalysis& analysis) {
  for (std::size_t k = 0; k < analysis.Analyses.size(); ++k) {
    const ChrmResult& a = analysis.Analyses[k];
    if (a.File == nullptr) continue;
    if (static_cast<int>(k) < chart.SeriesCount() && !a.PointTemp.empty()) {
      chart.SetCurve(static_cast<int>(k), a.PointTemp, a.PercentOff);
    }
  }
  chart.Invalidate();
}

}  // namespace p528
