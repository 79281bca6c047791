#include "sample_profile.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace p528::chrmgen {

std::vector<DistributionPoint> ExtendToFullRange(std::vector<DistributionPoint> table,
                                                 double endTemperature) {
  if (table.size() < 2) throw std::invalid_argument("distribution table needs two or more rows");
  // A density d at the first row that falls linearly to zero holds p0 over 2 p0 / d degrees.
  const DistributionPoint a = table[0], b = table[1];
  const double d0 = (b.percent - a.percent) / (b.temperature - a.temperature);
  const DistributionPoint y = table[table.size() - 2], z = table.back();
  const double d1 = (z.percent - y.percent) / (z.temperature - y.temperature);
  if (a.percent > 0) table.insert(table.begin(), {0.0, a.temperature - 2 * a.percent / d0});
  if (z.percent < 100) {
    const double end =
        endTemperature > z.temperature ? endTemperature : z.temperature + 2 * (100 - z.percent) / d1;
    table.push_back({100.0, end});
  }
  return table;
}

SampleProfile::SampleProfile(const SampleRecipe& recipe, const std::vector<SampleComponent>& paraffins,
                             const ColumnModel& column, const CalibrationMap& calibration)
    : recipe_(recipe), calibration_(&calibration) {
  const auto& pts = recipe_.points;
  if (pts.size() < 2) throw std::invalid_argument("sample recipe needs two or more points");
  std::vector<double> temps, percents;
  for (const DistributionPoint& p : pts) {
    temps.push_back(p.temperature);
    percents.push_back(p.percent);
  }
  const MonotoneCubic target(temps, percents);  // validates the order
  if (percents.back() > 100.0) throw std::invalid_argument("sample recipe above 100 %");

  auto peakAt = [&](const SampleComponent& c, double percent) {
    return SamplePeak{c.name, c.boilingPoint, c.index,
                      column.Peak(calibration.TimeAt(c.boilingPoint), percent)};
  };
  for (const SampleComponent& c : recipe_.components)
    if (c.percent > 0) peaks_.push_back(peakAt(c, c.percent));

  // n-paraffin peaks inside the distribution, each carrying its share of the density over
  // its boiling-point bin (half-way to the neighbours on either side).
  for (size_t i = 0; i < paraffins.size(); ++i) {
    const SampleComponent& p = paraffins[i];
    const bool named = std::any_of(recipe_.components.begin(), recipe_.components.end(),
                                   [&](const SampleComponent& c) { return c.name == p.name; });
    if (named) continue;
    const double t = calibration.TimeAt(p.boilingPoint);
    const double margin =
        4.0 * column.Sigma(t) * (1 + column.Settings().tailing) * calibration.DegreesPerMinute(t);
    if (p.boilingPoint - margin <= temps.front() || p.boilingPoint + margin >= temps.back()) continue;
    const double below = i > 0 ? p.boilingPoint - paraffins[i - 1].boilingPoint : 0;
    const double above = i + 1 < paraffins.size() ? paraffins[i + 1].boilingPoint - p.boilingPoint : 0;
    const double bin = (below > 0 && above > 0) ? 0.5 * (below + above) : std::max(below, above);
    const double mass = recipe_.paraffinShare * target.Derivative(p.boilingPoint) * bin;
    if (mass > 0) peaks_.push_back(peakAt(p, mass));
  }
  std::sort(peaks_.begin(), peaks_.end(),
            [](const SamplePeak& a, const SamplePeak& b) { return a.shape.apex < b.shape.apex; });

  // Hump: what the peaks leave of the target at every point; it starts at 0 and ends where
  // the sample stops eluting.
  double peakTotal = 0;
  for (const SamplePeak& p : peaks_) peakTotal += p.shape.area;
  std::vector<double> hump(pts.size());
  for (size_t k = 0; k < pts.size(); ++k) {
    double eluted = 0;
    const double t = calibration.TimeAt(pts[k].temperature);
    for (const SamplePeak& p : peaks_) eluted += p.shape.Cumulative(t);
    hump[k] = pts[k].percent - eluted;
  }
  hump.front() = 0;
  hump.back() = pts.back().percent - peakTotal;
  for (size_t k = 1; k < hump.size(); ++k) {
    if (hump[k] < hump[k - 1]) {
      mismatch_ = std::max(mismatch_, hump[k - 1] - hump[k]);
      hump[k] = hump[k - 1];
    }
  }
  if (hump.back() < 0) throw std::invalid_argument("sample recipe: peaks hold more than the sample");
  hump_ = MonotoneCubic(temps, hump);

  startTime_ = calibration.TimeAt(temps.front());
  endTime_ = calibration.TimeAt(temps.back());
  for (const SamplePeak& p : peaks_) {
    startTime_ = std::min(startTime_, p.shape.Start());
    endTime_ = std::max(endTime_, p.shape.End());
  }
}

double SampleProfile::HumpDensity(double t) const {
  const double temperature = calibration_->TemperatureAtExtended(t);
  return hump_.Derivative(temperature) * calibration_->DegreesPerMinute(t);
}

double SampleProfile::Cumulative(double t) const {
  double eluted = hump_.Value(calibration_->TemperatureAtExtended(t));
  for (const SamplePeak& p : peaks_) eluted += p.shape.Cumulative(t);
  return eluted;
}

double SampleProfile::ElutedPercent() const {
  double total = hump_.Ys().back();
  for (const SamplePeak& p : peaks_) total += p.shape.area;
  return total;
}

double SampleProfile::TimeAtPercent(double percent) const {
  if (percent > ElutedPercent()) return -1.0;
  double lo = startTime_ - 1.0, hi = endTime_ + 1.0;
  for (int i = 0; i < 200 && hi - lo > 1e-12; ++i) {
    const double mid = 0.5 * (lo + hi);
    if (Cumulative(mid) >= percent)
      hi = mid;
    else
      lo = mid;
  }
  return hi;
}

}  // namespace p528::chrmgen
