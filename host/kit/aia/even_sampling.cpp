#include "host/kit/aia/even_sampling.h"

#include "shell/text.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace p528::aia {

std::string EvenSamplingOf(const std::vector<double>& times, const std::string& unitName,
                           EvenSampling& sampling) {
  for (const double t : times) {
    if (!std::isfinite(t)) return "some sampling times are missing";
  }
  if (times.size() < 2) return "a single sample gives no sampling interval";
  const size_t points = times.size();
  const double step = (times.back() - times.front()) / static_cast<double>(points - 1);
  if (!(step > 0) || !std::isfinite(step)) return "the sampling times do not increase";
  // Times stored in single precision carry their rounding; a tenth of a step allows for it.
  const double largest = std::max(std::fabs(times.front()), std::fabs(times.back()));
  const double tolerance = 0.1 * step + 4 * FLT_EPSILON * largest;
  for (size_t i = 0; i < points; ++i) {
    const double off = times[i] - (times.front() + static_cast<double>(i) * step);
    if (!(std::fabs(off) <= tolerance))
      return Format("the sampling is not uniform: sample %zu lies %.4g %s off an even step of %.6g %s", i + 1,
                    std::fabs(off), unitName.c_str(), step, unitName.c_str());
  }
  sampling.start = times.front();
  sampling.step = step;
  return {};
}

}  // namespace p528::aia
