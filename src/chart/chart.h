// CChart: the chart of every plot of the system (calibration curve, distillation curves,
// their enlarged dialogs, the report's pictures). Qt-free logic; the window layer
// (chart_widget.h) shows it and the report renders it with PaintTo.
//
// Curves: Curves[i] records the caller's arrays of series i (index-parallel to Series).
// The chart never owns point data: the arrays must stay alive and unmoved while shown;
// after a vector is reallocated the owner calls SetSeriesData again.
//
// Typical publication by the engine:
//   chart.ClearSeriesData(k);                       // at the start of a recalculation
//   chart.SetSeriesData(k, xs.data(), ys.data(), n); // when the curve is ready
//   chart.Invalidate();                              // redraw (the window repaints)
//
// All operations run on the window's thread. A chart holds its paint lock, so it is neither
// copied nor moved: keep it in place (as a member, or behind a pointer).
#pragma once

#include <vector>

#include "chart/auto_ctrl.h"

namespace p528 {

struct CurveRef {
  const double* XData = nullptr;
  const double* YData = nullptr;
  int Count = 0;  // a null pointer or a count of 0: no data
};

// Returned by AddSeries when Curves and Series differ in size.
inline constexpr int kAddSeriesFailed = 999999999;

// Window-message number of the click read-out notification (both parameters 0).
inline constexpr int ChartClickMessage = 1024 + 3;

class CChart : public CAutoCtrl {
 public:
  std::vector<CurveRef> Curves;   // index-parallel to Series
  PixelPoint ClickPoint{0, 0};    // pixel of the last left click
  double ClickX = 0, ClickY = 0;  // data coordinates of that click

  // Appends a series copied from the template (Hidden starts at 0) and an empty curve
  // entry; returns its index (the previous number of series), or kAddSeriesFailed.
  int AddSeries(const CAutoSeries& templ);
  // Points series i at the caller's arrays. Ignored when n is 0 (or negative), x or y is
  // null, or i is not a curve index. Does not redraw: call Invalidate.
  void SetSeriesData(int i, const double* x, const double* y, int n);
  // Forgets the data of series i and redraws; ignored when i is not a series index.
  void ClearSeriesData(int i);
  // Removes every series and curve entry.
  void RemoveAllSeries();
  int SeriesCount() const { return static_cast<int>(Series.size()); }

  // Linear interpolation along curve i: axis 0 is X, 1 is Y; `value` is searched in the
  // argument axis's array and the result read from the result axis's array (see
  // BisectInterpolate: ascending, both ends inclusive, no extrapolation). On failure
  // returns false and leaves `result` untouched.
  bool Interpolate(int argumentAxis, int resultAxis, int i, double value, double& result) const;

  // Left-button read-out at pixel p with the view ranges and plot of the last paint: sets
  // ClickPoint, ClickX, ClickY. The window then posts ChartClickMessage to its owner and
  // handles the press as CAutoCtrl does.
  void ClickReadOut(PixelPoint p);
};

}  // namespace p528
