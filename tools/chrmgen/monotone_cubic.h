// Monotone piecewise-cubic interpolation of y(x) (Fritsch-Carlson slopes, the weighted
// harmonic mean of the neighbouring secants) with zero slope at both ends.
//
// Used for cumulative distributions: through non-decreasing points it never decreases, so
// its derivative, the density, is continuous and never negative, and it starts and ends
// with zero density. Outside [first x, last x] the value is the first/last y, the slope 0.
#pragma once

#include <cstddef>
#include <vector>

namespace p528::chrmgen {

class MonotoneCubic {
 public:
  MonotoneCubic() = default;
  // xs strictly increasing, ys non-decreasing, same length (at least 2). Throws
  // std::invalid_argument otherwise.
  MonotoneCubic(std::vector<double> xs, std::vector<double> ys);

  double Value(double x) const;
  double Derivative(double x) const;
  // Smallest x with Value(x) >= y, for y between the first and last y (bisection).
  double Inverse(double y) const;

  const std::vector<double>& Xs() const { return xs_; }
  const std::vector<double>& Ys() const { return ys_; }

 private:
  size_t Segment(double x) const;

  std::vector<double> xs_, ys_, slopes_;
};

}  // namespace p528::chrmgen
