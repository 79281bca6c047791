// Many calibration lookups in one pass, in mostly ascending order (the sample times of a
// curve): the same results as CalibLookup, found by walking forward from the previous
// bracketing pair instead of bisecting the whole curve for every value.
//
// The walk is used only when the searched vector ascends (never decreases, no NaN): there
// the bisection's bracket is always the first point not below the value and the point
// before it, which the walk finds directly. Any other curve, and a value that goes back,
// is looked up by CalibLookup itself. The walk reads the curve's vectors, which must not
// change while it is in use.
#pragma once

#include "engine/calibration.h"

#include <cstddef>

namespace p528 {

class CalibWalk {
 public:
  CalibWalk(const CalibCurve& curve, CalibAxis from);

  // CalibLookup(curve, from, value, result).
  bool Lookup(double value, double& result);

 private:
  const CalibCurve& curve_;
  CalibAxis from_;
  const double* searched_ = nullptr;
  const double* read_ = nullptr;
  std::size_t count_ = 0;
  bool ascending_ = false;
  std::size_t hi_ = 1;  // upper point of the last bracket
};

}  // namespace p528
