#include "numeric/interpolate.h"

#include <cmath>

namespace p528 {

bool BisectInterpolate(const double* arguments, const double* results, int count, double value,
                       double& result) {
  if (arguments == nullptr || results == nullptr || count < 1) return false;
  // A NaN passes every bound check below and would come back as a "found" NaN.
  if (std::isnan(value)) return false;
  const double* r = arguments;
  const double* t = results;
  int lo = 0;
  int hi = count - 1;
  for (int pass = 0; pass < count; ++pass) {
    if (r[hi] < value || value < r[lo]) return false;
    if (hi - lo <= 1) break;
    const int h = (hi - lo) / 2;
    if (r[hi - h] >= value) {
      hi = hi - h;
    } else {
      lo = lo + h;
    }
  }
  if (hi - lo > 1) return false;
  // One point, or two equal arguments: the slope would divide by zero.
  if (r[lo] == r[hi]) return false;
  const double s = (t[lo] - t[hi]) / (r[lo] - r[hi]);
  result = t[lo] - r[lo] * s + s * value;
  return true;
}

}  // namespace p528
