#include "peak_shape.h"

#include <cmath>

namespace p528::chrmgen {

namespace {
constexpr double kSqrtHalfPi = 1.2533141373155003;  // sqrt(pi / 2)
}

double PeakShape::Height() const { return area / (kSqrtHalfPi * (sigmaLeft + sigmaRight)); }

double PeakShape::Value(double t) const {
  const double sigma = t < apex ? sigmaLeft : sigmaRight;
  const double z = (t - apex) / sigma;
  return Height() * std::exp(-0.5 * z * z);
}

double PeakShape::Cumulative(double t) const {
  const double h = Height();
  if (t <= apex) return h * sigmaLeft * kSqrtHalfPi * std::erfc((apex - t) / (sigmaLeft * M_SQRT2));
  return h * kSqrtHalfPi * (sigmaLeft + sigmaRight * std::erf((t - apex) / (sigmaRight * M_SQRT2)));
}

}  // namespace p528::chrmgen
