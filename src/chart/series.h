// One data series of a chart: a plain record beginning with its own coordinate state, so
// that the mapping and line drawing of the panel serve the series too.
//
// Ownership: the chart never owns point data. XData, YData and ZoneTypes point into arrays
// of the caller, which must stay alive and unmoved while the chart shows them. Linked
// points at another series of the same chart (series are never moved once added).
#pragma once

#include "chart/coord_object.h"

namespace p528 {

enum MarkerStyles : int {
  MarkerNone = 0,
  MarkerCircle = 1,
  MarkerCross = 2,
  MarkerPlus = 3,
  MarkerSquare = 4,
  MarkerLeader = 5,  // circle with a leader line to the Linked series' point
  MarkerBands = 6,   // each point is a vertical band from its X to its Y
};

// Any other LineMode value draws no line.
enum LineModes : int { LineNone = 0, LinePolyline = 1, LineSpline = 2 };

class CAutoSeries : public CAutoCoordObject {
 public:
  COLORREF Colour = 0x000000;           // pen colour of line and markers
  int Count = 0;                        // number of points
  const double* XData = nullptr;        // caller-owned; null: X of point i is X0 + i * DX
  const double* YData = nullptr;        // caller-owned; null: Y of point i is Y0 + i * DY
  const int* ZoneTypes = nullptr;       // per-point zone type of MarkerBands, may be null
  const CAutoSeries* Linked = nullptr;  // target series of MarkerLeader, may be null
  double X0 = 0, DX = 1.0;
  double Y0 = 0, DY = 1.0;
  int MarkerStyle = MarkerNone;
  int PenStyle = PenSolid;
  int PenWidth = 0;    // 0 thinnest
  int MarkerSize = 4;  // half size s of a marker, pixels
  int LineMode = LinePolyline;
  int SplineSteps = 20;  // sub-segments per interval of LineSpline
  int Hidden = 0;        // skipped when drawing (still counts in automatic ranges)

  // Point i in plotted units: the array value, or X0 + i * DX without an array; log10 of
  // it under CoordLogX (CoordLogY for GetY). i must be below Count.
  double GetX(int i) const;
  double GetY(int i) const;

  Pen LinePen() const { return Pen{PenStyle, PenWidth, Colour}; }
};

}  // namespace p528
