#include "chart/series.h"

#include <cmath>

namespace p528 {

double CAutoSeries::GetX(int i) const {
  const double v = XData != nullptr ? XData[i] : X0 + i * DX;
  return (Mode & CoordLogX) ? std::log10(v) : v;
}

double CAutoSeries::GetY(int i) const {
  const double v = YData != nullptr ? YData[i] : Y0 + i * DY;
  return (Mode & CoordLogY) ? std::log10(v) : v;
}

}  // namespace p528
