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

bool CalibWalk::Restart(double value, double& result) {
  if (!ascending_) return CalibLookup(curve_, from_, value, result);
  hi_ = static_cast<std::size_t>(std::lower_bound(searched_, searched_ + count_, value) - searched_);
  hi_ = std::clamp<std::size_t>(hi_, 1, count_ - 1);
  return Lookup(value, result);
}

}  // namespace p528
