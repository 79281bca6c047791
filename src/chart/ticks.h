// Round tick steps and tick sequences of a chart axis.
#pragma once

#include <string>
#include <vector>

namespace p528 {

struct NiceStepResult {
  double step = 0;  // 1, 2, 2.5, 3 or 5 times a power of ten
  double firstTick = 0;
  double lastTick = 0;
  double lo = 0;  // range, extended to the grid on an automatic axis
  double hi = 0;
};

// Tick step for the range lo..hi drawn over `length` pixels with ticks at least `spacing`
// pixels apart. An automatic axis extends its range to the neighbouring grid lines when
// they are less than half a step away. The result's step is 0 or not finite when the
// range has zero width or is not finite (see TickSequence).
NiceStepResult NiceStep(double lo, double hi, int length, int spacing, bool automatic);

// Tick values first, then each from the previous one as round((v + step) / q) * q with
// q = 10^(floor(log10(step)) - 3), while v < last + step / 2. Empty when the step is not a
// positive finite number or the ends are not finite; at most `maxTicks` values, so that a
// degenerate step cannot make it run away.
std::vector<double> TickSequence(double first, double last, double step, int maxTicks = 10000);

// Label of a tick: "%.10g"; a negative zero is labelled "0".
std::string TickLabel(double v);

}  // namespace p528
