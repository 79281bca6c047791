#include "workbench/chart_page_rules.h"

#include "shell/text.h"

namespace p528 {

namespace {

constexpr int kAxisX = 0;
constexpr int kAxisY = 1;

void SetUpCommon(CChart& chart, const std::string& xCaption, const std::string& yCaption) {
  chart.GridFlags = GridVertical | GridHorizontal;
  chart.Mode = 0;
  chart.AutoX = true;
  chart.AutoY = true;
  chart.CaptionColour = 0xFF0000;
  chart.ZoomEnabled = false;
  chart.HScrollAllowed = true;
  chart.VScrollAllowed = true;
  chart.RemoveAllSeries();
  chart.SetXCaption(xCaption);
  chart.SetYCaption(yCaption);
}

}  // namespace

bool CurveHasPoints(const CChart& chart, int series) { return chart.HasPoints(series); }

std::string CurveCalculatorText(const CChart& chart, int series, bool yFromX, const std::string& text) {
  double result = 0.0;
  const double value = DecimalPrefix(text);
  if (!chart.Interpolate(yFromX ? kAxisX : kAxisY, yFromX ? kAxisY : kAxisX, series, value, result)) {
    result = 0.0;
  }
  return Format("%.5g", result);
}

void ApplyShowFlags(CChart& chart, const std::array<bool, kAnalysisCurves>& shown) {
  for (int k = 0; k < kAnalysisCurves && k < chart.SeriesCount(); ++k) {
    chart.Series[static_cast<std::size_t>(k)].Hidden = shown[static_cast<std::size_t>(k)] ? 0 : 1;
  }
  chart.Invalidate();
}

void SetCurveColour(CChart& chart, int series, COLORREF colour) {
  if (series < 0 || series >= chart.SeriesCount()) return;
  chart.Series[static_cast<std::size_t>(series)].Colour = colour;
}

void AnalysisClickReadOut(const CChart& chart, std::array<ReadOutTexts, kAnalysisCurves>& readOuts) {
  for (int k = 0; k < kAnalysisCurves; ++k) {
    if (!CurveHasPoints(chart, k)) continue;
    ReadOutTexts& out = readOuts[static_cast<std::size_t>(k)];
    out.x = Format("%.5g", chart.ClickX);
    // The value at ClickX itself, not at its rounded text.
    double y = 0.0;
    if (!chart.Interpolate(kAxisX, kAxisY, k, chart.ClickX, y)) y = 0.0;
    out.y = Format("%.5g", y);
  }
}

void CurveClickReadOut(const CChart& chart, ReadOutTexts& readOut) {
  if (!CurveHasPoints(chart, 0)) return;
  readOut.x = Format("%.5g", chart.ClickX);
  double y = 0.0;
  if (!chart.Interpolate(kAxisX, kAxisY, 0, chart.ClickX, y)) y = 0.0;
  readOut.y = Format("%.5g", y);
}

bool CopyAnalysisCurves(const CChart& page, CChart& dialog,
                        const std::array<COLORREF, kAnalysisCurves>& colours) {
  bool any = false;
  for (int k = 0; k < kAnalysisCurves; ++k) {
    SetCurveColour(dialog, k, colours[static_cast<std::size_t>(k)]);
    if (!CurveHasPoints(page, k)) continue;
    const CAutoSeries& curve = page.Series[static_cast<std::size_t>(k)];
    dialog.SetCurve(k, curve.XData, curve.YData);
    any = true;
  }
  dialog.Invalidate();
  return any;
}

void SetUpAnalysisChart(CChart& chart, const std::array<COLORREF, kAnalysisCurves>& colours,
                        const std::string& xCaption, const std::string& yCaption) {
  SetUpCommon(chart, xCaption, yCaption);
  for (COLORREF colour : colours) {
    CAutoSeries curve;
    curve.LineMode = LinePolyline;
    curve.MarkerStyle = MarkerNone;
    curve.Colour = colour;
    chart.AddSeries(curve);
  }
}

void SetUpCurveChart(CChart& chart, const std::string& xCaption, const std::string& yCaption) {
  SetUpCommon(chart, xCaption, yCaption);
  CAutoSeries curve;
  curve.LineMode = LinePolyline;
  curve.MarkerStyle = MarkerNone;
  curve.Colour = 0x0808FC;
  chart.AddSeries(curve);
  CAutoSeries points;
  points.LineMode = LineNone;
  points.MarkerStyle = MarkerCircle;
  points.MarkerSize = 3;
  points.Colour = 0xFC0808;
  chart.AddSeries(points);
}

}  // namespace p528
