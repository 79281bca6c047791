// Distillation primitives: from one analysis chromatogram to its percent-off curve and
// point table. Shared by every method, the reference check and the fractions.
//
// Only channel 0 is used; sample i lies at StartTime + i × Step (minutes). Every function
// tolerates an empty channel, a step of 0, NaN samples and times outside the samples: it
// returns the documented "unknown" value instead of reading out of bounds.
#pragma once

#include "engine/records.h"

#include <cstddef>
#include <optional>
#include <string>

namespace p528 {

struct CalibCurve;

// Times that lie within this distance of a sample time are that sample time (min).
inline constexpr double kGridTolerance = 1e-5;

// Sample index of time t on the grid (start, step). k = floor((t - start)/step + 0.5) when
// start + k·step lies within kGridTolerance of t (then *onGrid is true); otherwise
// trunc((t - start)/step). Times not after `start`, a step not above 0 and NaN give 0.
// A plain truncation would give the previous sample for grid times computed in floating
// point (with a step of 0.01 or 1/600 min about one time in twenty).
std::size_t SampleIndex(double t, double start, double step, bool* onGrid = nullptr);

// Detector level before the sample elutes, from the raw samples of channel 0 (window
// [t0 - 1/12, t0] when t0 > 1/12 min, else [start, 1/60 min]): mean of the samples strictly
// inside mean ± sd. Flat window: the mean; empty window: 0.
double ZeroLevel(const ChrmChannel& channel, double timeStartSample);

// Blank-corrected signal: Signal[i] = max(0, x[i] - blank[i] - (ZeroLevel - Blank.ZeroLevel))
// and Times[i] = i × Step + StartTime over the shorter of the two runs. Does nothing
// without a blank chromatogram or channel.
void SubtractBlank(const ChrmResult& blank, ChrmResult& r);

// Signal at time t (linear between samples); -1.0 before StartTime or past the last point.
double SignalAt(const ChrmResult& r, double t);

// Area between t1 and t2 (t1 <= t2), detector units × min. Bounds past the recorded
// samples are limited to the samples.
double Area(const ChrmResult& r, double t1, double t2);

// End of elution by the rate of change of the signal in one-second windows, scanning
// backwards from the last sample; EndTime = -1.0 when none is found (TotalArea -1.0 when
// the rate is undefined).
void FindEndTime(ChrmResult& r);

// Percent-off curve up to EndTime and the temperatures at the interval starts. No curve
// (empty vectors) when EndTime is not after StartTime.
void BuildCurve(ChrmResult& r, int32_t method, const CalibCurve& curve);

// Point at percent p; (-1, -1, p) outside the curve or the calibration.
DistPoint PointAtPercent(const ChrmResult& r, double p, const CalibCurve& curve);

// Ibp, Fbp, LastPoint and PointTable. `stepPercent` is read when useDefault is 0. Returns
// the step taken instead when the step (set or default) exceeds the curve's reach: the
// whole percents of half the reach; the caller keeps it as the step of the runs after.
std::optional<double> BuildPointTable(ChrmResult& r, double stepPercent, int useDefault, int32_t method,
                                      const CalibCurve& curve);

// Fills the leading and trailing zero entries of PointTemp with the first / last non-zero
// one (for the chart only).
void ExtendPointTemp(ChrmResult& r);

// Default percent step of the point table: 5 % for methods 0 and 1, 10 % otherwise.
double DefaultStepPercent(int32_t method);

}  // namespace p528
