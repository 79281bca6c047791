#include "engine/calib_walk.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace p528 {

CalibWalk::CalibWalk(const CalibCurve& curve, CalibAxis from) : curve_(curve), from_(from) {
  const std::size_t n = curve.times.size();
  if (!curve.registered || n < 2 || curve.temps.size() != n || n > static_cast<std::size_t>(INT_MAX)) return;
  const bool byTime = from == CalibAxis::Time;
  searched_ = byTime ? curve.times.data() : curve.temps.data();
  read_ = byTime ? curve.temps.data() : curve.times.data();
  count_ = n;
  ascending_ = !std::isnan(searched_[0]);
  for (std::size_t i = 1; i < n && ascending_; ++i) ascending_ = searched_[i - 1] <= searched_[i];
}

bool CalibWalk::Lookup(double value, double& result) {
  if (!ascending_) return CalibLookup(curve_, from_, value, result);
  const double* r = searched_;
  const double* t = read_;
  if (std::isnan(value) || value < r[0] || r[count_ - 1] < value) return false;
  // The bisection ends on hi = the first point not below the value (at least 1), lo = hi - 1.
  if (hi_ > 1 && r[hi_ - 1] >= value) {
    hi_ = static_cast<std::size_t>(std::lower_bound(r, r + count_, value) - r);
    if (hi_ < 1) hi_ = 1;
  }
  while (r[hi_] < value) ++hi_;
  const std::size_t lo = hi_ - 1;
  const std::size_t hi = hi_;
  // A flat pair would divide by zero: the lookup fails as CalibLookup does.
  if (r[lo] == r[hi]) return false;
  const double s = (t[lo] - t[hi]) / (r[lo] - r[hi]);
  result = t[lo] - r[lo] * s + s * value;
  return true;
}

}  // namespace p528
