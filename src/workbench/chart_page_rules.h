// The rules of the chart pages and their enlarged dialogs, without the windows: the
// calculators ("Рассчитать Y" / "Рассчитать X"), the show flags and swatch colours of the
// three analysis curves, the click read-out of the enlarged distillation chart, handing the
// page's curves to an enlarged dialog, and the set-up of the dialogs' charts.
//
// Curves are looked up with the chart's Interpolate (ascending, both ends inclusive, no
// extrapolation); a curve without data or a value outside it gives 0. Texts typed by the
// user are read by the decimal-prefix rule. User-interface thread only.
#pragma once

#include "chart/chart.h"

#include <array>
#include <string>

namespace p528 {

inline constexpr int kAnalysisCurves = 3;
// Curve colours of analyses 1, 2, 3 (red, blue, green), 0x00BBGGRR.
inline constexpr std::array<COLORREF, kAnalysisCurves> kAnalysisCurveColours = {0x0808FC, 0xFC0808, 0x08FC08};

// Calculator on curve `series`: with `yFromX` the Y at X = `text`, else the X at Y = `text`;
// "%.5g" of the result, "0" when the curve has no data or the value lies outside it.
std::string CurveCalculatorText(const CChart& chart, int series, bool yFromX, const std::string& text);

// True when curve `series` of the chart has points.
bool CurveHasPoints(const CChart& chart, int series);

// Show flags: series k is hidden when analysis k + 1 is not shown (only series that
// exist); the chart is redrawn. A hidden curve still counts in the automatic ranges.
void ApplyShowFlags(CChart& chart, const std::array<bool, kAnalysisCurves>& shown);

// The swatch colour of analysis `series` + 1 for its curve (when the series exists).
void SetCurveColour(CChart& chart, int series, COLORREF colour);

// Click read-out of the enlarged distillation chart: for each curve with points, the X text
// ("%.5g" of ClickX) and the Y on that curve at ClickX ("0" outside it). Curves without
// points leave their read-outs as they were.
struct ReadOutTexts {
  std::string x;
  std::string y;
};
void AnalysisClickReadOut(const CChart& chart, std::array<ReadOutTexts, kAnalysisCurves>& readOuts);
// The same for curve 0 of the X/Y chart dialog.
void CurveClickReadOut(const CChart& chart, ReadOutTexts& readOut);

// The enlarged distillation chart: its series get copies of the page's points (curves with
// points only) and the page's swatch colours. Returns false when no curve has points (the
// dialog is then not shown).
bool CopyAnalysisCurves(const CChart& page, CChart& dialog,
                        const std::array<COLORREF, kAnalysisCurves>& colours);

// Chart of the distillation page and its enlarged dialog: both grids, mode 0, automatic
// ranges, blue captions, no zoom, scroll bars allowed, three polylines without markers in
// `colours`, the given captions.
void SetUpAnalysisChart(CChart& chart, const std::array<COLORREF, kAnalysisCurves>& colours,
                        const std::string& xCaption, const std::string& yCaption);

// Chart of the X/Y chart dialog: as above, with series 0 the red curve and series 1 the
// blue circle markers (size 3, no line).
void SetUpCurveChart(CChart& chart, const std::string& xCaption, const std::string& yCaption);

}  // namespace p528
