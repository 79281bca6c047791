// Shape of one chromatographic peak: a two-sided Gaussian whose apex lies at `apex`, with
// standard deviation `sigmaLeft` before the apex and `sigmaRight` after it. sigmaRight larger
// than sigmaLeft makes a tailing peak; equal values give a plain Gaussian. Times in minutes,
// `area` in detector units x minutes (or percent of a sample, when used for mass bookkeeping).
#pragma once

namespace p528::chrmgen {

// Half-height width of a Gaussian of standard deviation 1: 2 sqrt(2 ln 2).
inline constexpr double kHalfWidthPerSigma = 2.3548200450309493;

struct PeakShape {
  double apex = 0;
  double sigmaLeft = 0;
  double sigmaRight = 0;
  double area = 0;

  // Signal at the apex.
  double Height() const;
  // Signal at time t.
  double Value(double t) const;
  // Area eluted from the start of the run up to time t (0 .. area).
  double Cumulative(double t) const;
  // Area between times a and b (a <= b).
  double AreaBetween(double a, double b) const { return Cumulative(b) - Cumulative(a); }
  // Width at half height, minutes.
  double HalfHeightWidth() const { return 0.5 * kHalfWidthPerSigma * (sigmaLeft + sigmaRight); }
  // Where the signal has fallen to a negligible part of the height (4 standard deviations).
  double Start() const { return apex - 4.0 * sigmaLeft; }
  double End() const { return apex + 4.0 * sigmaRight; }
};

}  // namespace p528::chrmgen
