// Linear interpolation along a curve of points: the one search used by the chart's
// read-outs and by the engine's time <-> temperature conversion of the calibration.
//
// The argument array must ascend; both ends are inclusive and nothing is extrapolated.
// The arrays belong to the caller and are only read.
#pragma once

namespace p528 {

// Looks `value` up in `arguments` (count points) and interpolates linearly in `results`.
// Returns true and sets `result` on success. Fails, leaving `result` untouched, when an
// array is null, count is below 1, value is NaN, value lies below the first or above the
// last argument (checked on the current bracket at every halving step, so a curve that does
// not ascend can fail inside), the bracket does not close to neighbouring points within
// count steps, or the two bracketing arguments are equal (a single point, or a flat piece:
// no division by zero).
// Formula, in this order: results[lo] - arguments[lo] * s + s * value with
// s = (results[lo] - results[hi]) / (arguments[lo] - arguments[hi]).
bool BisectInterpolate(const double* arguments, const double* results, int count, double value,
                       double& result);

}  // namespace p528
