#include "monotone_cubic.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace p528::chrmgen {

MonotoneCubic::MonotoneCubic(std::vector<double> xs, std::vector<double> ys)
    : xs_(std::move(xs)), ys_(std::move(ys)) {
  const size_t n = xs_.size();
  if (n < 2 || ys_.size() != n) throw std::invalid_argument("monotone cubic: need two or more points");
  for (size_t k = 1; k < n; ++k) {
    if (!(xs_[k] > xs_[k - 1])) throw std::invalid_argument("monotone cubic: x must increase");
    if (ys_[k] < ys_[k - 1]) throw std::invalid_argument("monotone cubic: y must not decrease");
  }
  slopes_.assign(n, 0.0);
  for (size_t k = 1; k + 1 < n; ++k) {
    const double h0 = xs_[k] - xs_[k - 1], h1 = xs_[k + 1] - xs_[k];
    const double d0 = (ys_[k] - ys_[k - 1]) / h0, d1 = (ys_[k + 1] - ys_[k]) / h1;
    if (d0 <= 0 || d1 <= 0) continue;  // flat neighbour: keep the curve flat at the point
    const double w0 = 2 * h1 + h0, w1 = h1 + 2 * h0;
    slopes_[k] = (w0 + w1) / (w0 / d0 + w1 / d1);
  }
}

size_t MonotoneCubic::Segment(double x) const {
  const auto it = std::upper_bound(xs_.begin(), xs_.end(), x);
  const size_t k = static_cast<size_t>(it - xs_.begin());
  return std::clamp<size_t>(k, 1, xs_.size() - 1) - 1;
}

double MonotoneCubic::Value(double x) const {
  if (xs_.empty()) return 0;
  if (x <= xs_.front()) return ys_.front();
  if (x >= xs_.back()) return ys_.back();
  const size_t k = Segment(x);
  const double h = xs_[k + 1] - xs_[k];
  const double s = (x - xs_[k]) / h;
  const double s2 = s * s, s3 = s2 * s;
  return ys_[k] * (2 * s3 - 3 * s2 + 1) + h * slopes_[k] * (s3 - 2 * s2 + s) +
         ys_[k + 1] * (3 * s2 - 2 * s3) + h * slopes_[k + 1] * (s3 - s2);
}

double MonotoneCubic::Derivative(double x) const {
  if (xs_.empty() || x <= xs_.front() || x >= xs_.back()) return 0;
  const size_t k = Segment(x);
  const double h = xs_[k + 1] - xs_[k];
  const double s = (x - xs_[k]) / h;
  const double s2 = s * s;
  return (ys_[k] * (6 * s2 - 6 * s) + ys_[k + 1] * (6 * s - 6 * s2)) / h + slopes_[k] * (3 * s2 - 4 * s + 1) +
         slopes_[k + 1] * (3 * s2 - 2 * s);
}

double MonotoneCubic::Inverse(double y) const {
  if (xs_.empty()) return 0;
  if (y <= ys_.front()) return xs_.front();
  if (y >= ys_.back()) return xs_.back();
  double lo = xs_.front(), hi = xs_.back();
  for (int i = 0; i < 200 && hi - lo > 1e-12 * (1 + std::abs(hi)); ++i) {
    const double mid = 0.5 * (lo + hi);
    if (Value(mid) >= y)
      hi = mid;
    else
      lo = mid;
  }
  return hi;
}

}  // namespace p528::chrmgen
