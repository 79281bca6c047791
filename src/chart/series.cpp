#include "chart/series.h"

#include <cmath>

namespace p528 {

double CAutoSeries::GetX(int i) const {
  const double v = XData.empty() ? X0 + i * DX : XData[static_cast<std::size_t>(i)];
  return (Mode & CoordLogX) ? std::log10(v) : v;
}

double CAutoSeries::GetY(int i) const {
  const double v = YData.empty() ? Y0 + i * DY : YData[static_cast<std::size_t>(i)];
  return (Mode & CoordLogY) ? std::log10(v) : v;
}

}  // namespace p528
