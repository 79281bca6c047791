// The workbench's two charts and what they show: the calibration chart shows the calibration
// tab's curve, the distillation chart one curve per analysis (red, blue, green). The
// calculation only computes the vectors; these functions copy them into the charts' curves
// and clear the curves again.
//
// A chart's curves are its own copies: nothing a later calculation does to the calibration
// tab or the analyses' PointTemp/PercentOff vectors reaches a chart until the next Show
// call. Nothing here redraws but where said; the recalculation invalidates both charts at
// its end.
#pragma once

namespace p528 {

class CAnalysis;
class CChart;
class Shell;
struct CalibCurve;

// The distillation chart's initial look: both grids, automatic ranges, blue captions, no
// zoom, scrolling allowed, three empty curves, captions "t, °C" and "Доля отгона, %".
void SetUpDistillationChart(CChart& chart, const Shell& shell);

// The calibration chart without a curve: no series, X -1..1, Y 0..100, redrawn.
void ClearCalibrationChart(CChart& chart);
// The calibration chart shows `curve`: a red polyline and blue circles (size 3) over the
// same two vectors, captions "T, мин" and "t, °C", automatic ranges, redrawn.
void ShowCalibrationCurve(CChart& chart, const CalibCurve& curve, const Shell& shell);

// Every curve of the distillation chart forgets its data (the series stay).
void ClearDistillationCurves(CChart& chart);
// Curve k of the distillation chart shows analysis k (temperature against % off) for every
// analysis with a chromatogram and a curve, as far as the chart has series; redrawn.
void ShowDistillationCurves(CChart& chart, const CAnalysis& analysis);

}  // namespace p528
