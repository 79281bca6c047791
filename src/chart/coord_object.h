// Coordinate state shared by the chart panel and each of its series: the plot rectangle,
// the view ranges, the value -> pixel mapping and its inverse, and the pen position of the
// line being drawn (with clipping to the plot).
//
// View ranges are in plotted units (after log10 on a logarithmic axis). Pixel arithmetic
// is integer: round(v) is ceil(v - 0.5), the nearest integer with halves going down.
#pragma once

#include "chart/canvas.h"

namespace p528 {

// Bits of `Mode`.
enum CoordModeBits : int {
  CoordPolar = 1,  // x is an angle in radians and y a radius
  CoordLogX = 2,   // x values are plotted as log10(x)
  CoordLogY = 4,   // y values are plotted as log10(y)
};

// round(v) = ceil(v - 0.5), limited to +-1e9 pixels so that far-away values stay
// representable in the integer clipping arithmetic; NaN maps far outside (-1e9).
int RoundPixel(double v);

class CAutoCoordObject {
 public:
  int Mode = 0;
  PixelRect PlotRect{};       // plot area; set by the layout
  Canvas* Surface = nullptr;  // valid only while drawing
  bool AutoX = true;          // the X view range follows the data
  bool AutoY = true;
  double XMin = 0, XMax = 0, YMin = 0, YMax = 0;                      // current view range
  double FixedXMin = 0, FixedXMax = 0, FixedYMin = 0, FixedYMax = 0;  // view range when not automatic
  PixelPoint PenPoint{0, 0};  // last mapped point of the line being drawn
  int PenInside = 1;          // PenPoint lies inside PlotRect

  // Value -> pixel column / row on the current view range; 0 when the range has zero width.
  int Px(double x) const;
  int Py(double y) const;
  // Cartesian: (Px(x), Py(y)); polar: (Px(cos(x) * y), Py(sin(x) * y)).
  int MapX(double x, double y) const;
  int MapY(double x, double y) const;
  // Pixel -> data value (10 raised to the result on a logarithmic axis). A plot one pixel
  // wide (or high) gives XMin (YMax) instead of dividing by zero.
  double UnmapX(int column) const;
  double UnmapY(int row) const;

  // a >= b: the axis becomes automatic; otherwise it is fixed to (a, b) (logarithms under
  // CoordLogX / CoordLogY).
  void SetXRange(double a, double b);
  void SetYRange(double a, double b);

  // Line drawing through Surface. StartLine maps the point, makes it the pen position and
  // moves there without drawing; LineToValue draws from the pen position to the mapped
  // point, clipped to the plot (a segment with both ends outside is never drawn; a jump of
  // more than 12 pixels sideways ends with a dot). A point with a non-finite value breaks
  // the line: the next finite point starts it again.
  void StartLine(double x, double y, const Pen& pen);
  void LineToValue(double x, double y, const Pen& pen);

 private:
  bool lineBroken_ = false;
};

// Clips the segment a-b to the box [left, right - 1] x [top, bottom - 1] of `plot`: each
// end beyond an edge slides along the segment onto it, edges in the order top, bottom - 1,
// left, right - 1; an edge applies when the ends are not strictly on the same side of it.
// Integer arithmetic, a * b / c rounded to nearest. Exposed for the tests.
void ClipSegment(const PixelRect& plot, PixelPoint& a, PixelPoint& b);

}  // namespace p528
