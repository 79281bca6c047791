// CChart: the chart of every plot of the system (calibration curve, distillation curves,
// their enlarged dialogs, the control chart). Qt-free logic; the window layer
// (chart_widget.h) shows it, and the report draws a picture of it (chart_snapshot.h).
//
// Curves: every series owns a copy of its points (Curve), so a chart stays valid whatever
// happens to the vectors it was filled from; a recalculation clears the curves and fills
// them again when its results are ready.
//
// Typical publication by the workbench:
//   chart.ClearSeriesData(k);          // at the start of a recalculation
//   chart.SetCurve(k, xs, ys);         // when the result is ready (copies the values)
//   chart.Invalidate();                // redraw (the window repaints)
//
// All operations run on the window's thread. A chart holds its paint lock, so it is neither
// copied nor moved: keep it in place (as a member, or behind a pointer).
#pragma once

#include <vector>

#include "chart/auto_ctrl.h"

namespace p528 {

// Window-message number of the click read-out notification (both parameters 0).
inline constexpr int ChartClickMessage = 1024 + 3;

class CChart : public CAutoCtrl {
 public:
  PixelPoint ClickPoint{0, 0};    // pixel of the last left click
  double ClickX = 0, ClickY = 0;  // data coordinates of that click

  // Appends a series copied from the template (Hidden starts at 0); returns its index (the
  // previous number of series).
  int AddSeries(const CAutoSeries& templ);
  // Series i takes the points (x[k], y[k]). Ignored when either vector is empty or i is not
  // a series index. Does not redraw: call Invalidate.
  void SetCurve(int i, std::vector<double> x, std::vector<double> y);
  // The same from arrays of n values, copied. Ignored when n is 0 (or negative), x or y is
  // null, or i is not a series index.
  void SetSeriesData(int i, const double* x, const double* y, int n);
  // Whether series i has points.
  bool HasPoints(int i) const;
  // Forgets the points of series i and redraws; ignored when i is not a series index.
  void ClearSeriesData(int i);
  // Removes every series.
  void RemoveAllSeries();
  int SeriesCount() const { return static_cast<int>(Series.size()); }

  // Linear interpolation along series i: axis 0 is X, 1 is Y; `value` is searched in the
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
