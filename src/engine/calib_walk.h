// Many calibration lookups in one pass, in mostly ascending order (the sample times of a
// curve): the same results as CalibLookup, found by walking forward from the previous
// bracketing pair instead of bisecting the whole curve for every value.
//
// The walk is used only when the searched vector ascends (never decreases, no NaN): there
// the bisection's bracket is always the first point not below the value and the point
// before it, which the walk finds directly (a value that goes back starts it again from a
// binary search). Any other curve is looked up by CalibLookup itself. The walk reads the
// curve's vectors, which must not change while it is in use.
#pragma once

#include "engine/calibration.h"

#include <cmath>
#include <cstddef>

namespace p528 {

class CalibWalk {
 public:
  CalibWalk(const CalibCurve& curve, CalibAxis from);

  // CalibLookup(curve, from, value, result).
  bool Lookup(double value, double& result);

 private:
  // A curve the walk does not take (CalibLookup), or a value before the last bracket.
  bool Restart(double value, double& result);

  const CalibCurve& curve_;
  CalibAxis from_;
  const double* searched_ = nullptr;
  const double* read_ = nullptr;
  std::size_t count_ = 0;
  bool ascending_ = false;
  std::size_t hi_ = 1;  // upper point of the last bracket
  // The pair ending at pairHi_: result = base_ + slope_ × value, that is t[lo] - r[lo]·s + s·v.
  std::size_t pairHi_ = 0;
  bool pairFlat_ = false;
  double slope_ = 0;
  double base_ = 0;
  double pairBottom_ = 0;  // searched value of the pair's lower point
  double pairTop_ = 0;     // and of its upper point
};

// Inline: it runs once per sample interval of a curve.
inline bool CalibWalk::Lookup(double value, double& result) {
  // Most values fall in the pair of the one before: the first point not below the value is
  // the pair's upper point when the lower one lies below it (or is the curve's first point).
  if (pairHi_ != 0 && !pairFlat_ && value <= pairTop_ &&
      (value > pairBottom_ || (pairHi_ == 1 && value >= pairBottom_))) {
    result = base_ + slope_ * value;
    return true;
  }
  const double* r = searched_;
  if (!ascending_ || (hi_ > 1 && r[hi_ - 1] >= value)) return Restart(value, result);
  if (std::isnan(value) || value < r[0] || r[count_ - 1] < value) return false;
  // The bisection ends on hi = the first point not below the value (at least 1), lo = hi - 1.
  while (r[hi_] < value) ++hi_;
  if (hi_ != pairHi_) {
    // A new bracketing pair: its slope and its value at 0, as the formula forms them.
    pairHi_ = hi_;
    const std::size_t lo = hi_ - 1;
    // A flat pair would divide by zero: the lookup fails as CalibLookup does.
    pairFlat_ = r[lo] == r[hi_];
    slope_ = pairFlat_ ? 0.0 : (read_[lo] - read_[hi_]) / (r[lo] - r[hi_]);
    base_ = read_[lo] - r[lo] * slope_;
    pairBottom_ = r[lo];
    pairTop_ = r[hi_];
  }
  if (pairFlat_) return false;
  result = base_ + slope_ * value;
  return true;
}

}  // namespace p528
