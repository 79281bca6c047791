// A curve of a chart as a value: its own copy of the points and how it is drawn. The charts
// hold their curves this way, so a curve stays valid whatever happens to the vectors it was
// filled from (a recalculation replaces them); the report's pictures get copies.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "chart/canvas.h"

namespace p528 {

enum MarkerStyles : int {
  MarkerNone = 0,
  MarkerCircle = 1,
  MarkerCross = 2,
  MarkerPlus = 3,
  MarkerSquare = 4,
  MarkerLeader = 5,  // circle with a leader line to the Linked curve's point
  MarkerBands = 6,   // each point is a vertical band from its X to its Y
};

// Any other LineMode value draws no line.
enum LineModes : int { LineNone = 0, LinePolyline = 1, LineSpline = 2 };

struct Curve {
  COLORREF Colour = 0x000000;  // pen colour of line and markers
  std::vector<double> XData;   // empty: X of point i is X0 + i * DX
  std::vector<double> YData;   // empty: Y of point i is Y0 + i * DY
  std::vector<int> ZoneTypes;  // per-point zone type of MarkerBands, may be empty
  int Linked = -1;             // index of the target curve of MarkerLeader in the same chart
  double X0 = 0, DX = 1.0;
  double Y0 = 0, DY = 1.0;
  int MarkerStyle = MarkerNone;
  int PenStyle = PenSolid;
  int PenWidth = 0;    // 0 thinnest
  int MarkerSize = 4;  // half size s of a marker, pixels
  int LineMode = LinePolyline;
  int SplineSteps = 20;  // sub-segments per interval of LineSpline
  int Hidden = 0;        // skipped when drawing (still counts in automatic ranges)

  // Number of points: as many as both arrays have (one array alone: its size).
  int Count() const {
    const std::size_t n = XData.empty()   ? YData.size()
                          : YData.empty() ? XData.size()
                                          : std::min(XData.size(), YData.size());
    return static_cast<int>(n);
  }
  // Takes the points; X and Y of point i are x[i] and y[i].
  void SetPoints(std::vector<double> x, std::vector<double> y) {
    XData = std::move(x);
    YData = std::move(y);
  }
  void ClearPoints() {
    XData.clear();
    YData.clear();
  }

  Pen LinePen() const { return Pen{PenStyle, PenWidth, Colour}; }
};

}  // namespace p528
