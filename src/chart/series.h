// One data series of a chart: a curve (its own points and look) with the coordinate state
// of the panel, so that the mapping and line drawing of the panel serve the series too.
#pragma once

#include "chart/coord_object.h"
#include "chart/curve.h"

namespace p528 {

class CAutoSeries : public CAutoCoordObject, public Curve {
 public:
  // Point i in plotted units: the array value, or X0 + i * DX without an array; log10 of
  // it under CoordLogX (CoordLogY for GetY). i must be below Count().
  double GetX(int i) const;
  double GetY(int i) const;
};

}  // namespace p528
