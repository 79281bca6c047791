#include "chart/ticks.h"

#include <cmath>

#include "shell/text.h"

namespace p528 {

namespace {

// round(v) of the tick arithmetic: ceil(v - 0.5).
double RoundHalfDown(double v) { return std::ceil(v - 0.5); }

}  // namespace

NiceStepResult NiceStep(double lo, double hi, int length, int spacing, bool automatic) {
  NiceStepResult r;
  const double raw = (hi - lo) * spacing / length;
  const double e = std::floor(std::log10(raw));
  const double m = raw * std::pow(10.0, -e);
  double f = 1;
  if (m > 7.5) {
    f = 10;
  } else if (m > 3.5) {
    f = 5;
  } else if (m > 2.6) {
    f = 3;
  } else if (m > 2.4) {
    f = 2.5;
  } else if (m > 1.5) {
    f = 2;
  }
  const double step = f * std::pow(10.0, e);
  r.step = step;
  r.lo = lo;
  r.hi = hi;

  double k = std::floor(lo / step);
  if (automatic && lo - k * step < step / 2) {
    r.firstTick = k * step;
    r.lo = k * step;
  } else {
    r.firstTick = std::ceil(lo / step - 0.01) * step;
  }
  k = std::ceil(hi / step);
  if (automatic && k * step - hi < step / 2) {
    r.lastTick = k * step;
    r.hi = k * step;
  } else {
    r.lastTick = std::floor(hi / step + 0.01) * step;
  }
  return r;
}

std::vector<double> TickSequence(double first, double last, double step, int maxTicks) {
  std::vector<double> ticks;
  if (!(step > 0) || !std::isfinite(step) || !std::isfinite(first) || !std::isfinite(last)) return ticks;
  const double q = std::pow(10.0, std::floor(std::log10(step)) - 3);
  const double end = last + step / 2;
  // Each tick from its index, rounded to a thousandth of the step's decade, so that
  // no error accumulates along the axis.
  double v = first;
  for (int k = 1; v < end && static_cast<int>(ticks.size()) < maxTicks; ++k) {
    ticks.push_back(v);
    v = RoundHalfDown((first + k * step) / q) * q;
  }
  return ticks;
}

std::string TickLabel(double v) {
  // The rounding of the sequence turns a zero reached from below into -0: label it "0".
  if (v == 0) v = 0.0;
  return Format("%.10g", v);
}

}  // namespace p528
