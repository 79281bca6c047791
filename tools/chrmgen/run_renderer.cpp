#include "run_renderer.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "random.h"

namespace p528::chrmgen {

namespace {

constexpr double kReach = 10.0;  // peaks are evaluated within 10 standard deviations

double PeakValue(const PeakShape& shape, double t) {
  const double sigma = t < shape.apex ? shape.sigmaLeft : shape.sigmaRight;
  if (std::abs(t - shape.apex) > kReach * sigma) return 0;
  return shape.Value(t);
}

// Where the falling flank of `a` meets the rising flank of `b` (apex of a before apex of b).
double Crossing(const PeakShape& a, const PeakShape& b) {
  double lo = a.apex, hi = b.apex;
  for (int i = 0; i < 100; ++i) {
    const double mid = 0.5 * (lo + hi);
    if (a.Value(mid) > b.Value(mid))
      lo = mid;
    else
      hi = mid;
  }
  return 0.5 * (lo + hi);
}

double PeaksAt(const std::vector<RunPeak>& peaks, double t) {
  double sum = 0;
  for (const RunPeak& p : peaks) sum += PeakValue(p.shape, t);
  return sum;
}

// Where the summed peaks reach their maximum near the apex of `shape`: an overlapping
// neighbour shifts the observed top away from the peak's own apex. A peak that shows no top
// of its own between its boundaries (a shoulder on a larger neighbour) keeps its own apex.
double ObservedApex(const std::vector<RunPeak>& peaks, const PeakShape& shape, double front, double back) {
  const double first = std::max(front, shape.apex - shape.sigmaLeft);
  const double last = std::min(back, shape.apex + shape.sigmaRight);
  double lo = first, hi = last;
  for (int i = 0; i < 100; ++i) {
    const double a = lo + (hi - lo) / 3, b = hi - (hi - lo) / 3;
    if (PeaksAt(peaks, a) < PeaksAt(peaks, b))
      lo = a;
    else
      hi = b;
  }
  const double top = 0.5 * (lo + hi);
  const double margin = 1e-3 * (last - first);
  return top - first > margin && last - top > margin ? top : shape.apex;
}

}  // namespace

double CleanSignal(const RunPlan& plan, const ColumnModel& column, double t, int skip) {
  double value = plan.offset + column.Bleed(t);
  if (plan.sample != nullptr) value += plan.sampleScale * plan.sample->HumpDensity(t);
  for (size_t j = 0; j < plan.peaks.size(); ++j)
    if (static_cast<int>(j) != skip) value += PeakValue(plan.peaks[j].shape, t);
  return value;
}

std::vector<float> RenderSamples(const RunPlan& plan, const ColumnModel& column) {
  const size_t n = column.SampleCount();
  const double step = column.Settings().step;
  std::vector<float> samples(n);
  Random noise(plan.seed);
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) * step;
    const double drawn = noise.Normal();
    samples[i] = static_cast<float>(CleanSignal(plan, column, t) + plan.noise * drawn);
  }
  Random spikes(plan.seed ^ 0x5A17E5ull);
  for (int k = 0; k < plan.spikes; ++k) {
    const size_t at = static_cast<size_t>(spikes.Uniform() * static_cast<double>(n));
    const double size = spikes.Uniform(20.0, 200.0);
    samples[std::min(at, n - 1)] += static_cast<float>(size);
  }
  return samples;
}

std::vector<ChrmPeak> BuildPeakTable(const RunPlan& plan, const ColumnModel& column) {
  const double step = column.Settings().step;
  const size_t last = column.SampleCount() - 1;
  std::vector<size_t> order(plan.peaks.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(),
            [&](size_t a, size_t b) { return plan.peaks[a].shape.apex < plan.peaks[b].shape.apex; });

  // Boundaries of every drawn peak (listed or not), limited by overlapping neighbours.
  std::vector<double> front(order.size()), back(order.size());
  for (size_t k = 0; k < order.size(); ++k) {
    front[k] = plan.peaks[order[k]].shape.Start();
    back[k] = plan.peaks[order[k]].shape.End();
  }
  for (size_t k = 1; k < order.size(); ++k) {
    if (front[k] < back[k - 1]) {
      const double cut = Crossing(plan.peaks[order[k - 1]].shape, plan.peaks[order[k]].shape);
      back[k - 1] = std::min(back[k - 1], cut);
      front[k] = std::max(front[k], cut);
    }
  }

  // Drop-line integration on the background without individual peaks: a peak's area and
  // height are the whole peak signal between its boundaries and at its apex, so the tail of
  // an overlapping neighbour counts where it lies, as a data system would integrate it.
  RunPlan background = plan;
  background.peaks.clear();
  std::vector<ChrmPeak> table;
  double listedArea = 0;
  for (size_t k = 0; k < order.size(); ++k) {
    const RunPeak& peak = plan.peaks[order[k]];
    if (!peak.listed) continue;
    const auto toIndex = [&](double t) {
      return static_cast<size_t>(std::clamp(std::round(t / step), 0.0, static_cast<double>(last)));
    };
    const size_t left = toIndex(front[k]), right = std::max(toIndex(back[k]), left + 1);
    ChrmPeak row;
    row.front = static_cast<double>(left) * step;
    row.back = static_cast<double>(right) * step;
    row.time = ObservedApex(plan.peaks, peak.shape, front[k], back[k]);
    row.height = PeaksAt(plan.peaks, row.time);
    for (const RunPeak& other : plan.peaks) row.area += other.shape.AreaBetween(row.front, row.back);
    row.name = peak.name;
    row.left = static_cast<int>(left);
    row.right = static_cast<int>(right);
    row.front_base_height = CleanSignal(background, column, row.front);
    row.back_base_height = CleanSignal(background, column, row.back);
    row.index = peak.index;
    listedArea += row.area;
    table.push_back(row);
  }
  for (ChrmPeak& row : table) row.concent = listedArea > 0 ? row.area * 100.0 / listedArea : 0;
  return table;
}

}  // namespace p528::chrmgen
