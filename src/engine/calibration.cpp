#include "engine/calibration.h"

#include "engine/calculation.h"
#include "engine/calibration_checks.h"
#include "engine/distillation.h"
#include "numeric/interpolate.h"
#include "shell/text.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <mutex>

namespace p528 {

bool CalibLookup(const CalibCurve& curve, CalibAxis from, double value, double& result) {
  if (!curve.registered) return false;
  const std::size_t n = curve.times.size();
  if (n == 0 || curve.temps.size() != n || n > static_cast<std::size_t>(INT_MAX)) return false;
  const bool byTime = from == CalibAxis::Time;
  const double* searched = byTime ? curve.times.data() : curve.temps.data();
  const double* read = byTime ? curve.temps.data() : curve.times.data();
  return BisectInterpolate(searched, read, static_cast<int>(n), value, result);
}

double HalfHeightWidth(const ChrmChannel& channel, const ChrmPeak& peak) {
  double start;
  double step;
  {
    std::lock_guard<std::mutex> lock(*channel.lock);
    start = channel.startTime;
    step = channel.step;
  }
  // Peak times on the sampling grid give their own sample (0 before the start or with a
  // step of 0).
  const std::vector<float>& x = channel.samples;
  const std::size_t size = x.size();
  const std::size_t front = SampleIndex(peak.front, start, step);
  const std::size_t top = SampleIndex(peak.time, start, step);
  const std::size_t back = SampleIndex(peak.back, start, step);
  if (front >= size || top >= size || back >= size) return 0.0;
  int64_t i = static_cast<int64_t>(front);
  const int64_t a = static_cast<int64_t>(top);
  int64_t j = static_cast<int64_t>(back);

  const int64_t i0 = i;
  const int64_t j0 = j;
  const double x0 = x[static_cast<std::size_t>(i0)];
  const double x1 = x[static_cast<std::size_t>(j0)];
  auto halfLine = [&](int64_t m) {
    const double base =
        j0 == i0 ? x0 : x0 + (x1 - x0) * static_cast<double>(m - i0) / static_cast<double>(j0 - i0);
    return base + peak.height * 0.5;
  };
  while (i < a && x[static_cast<std::size_t>(i)] < halfLine(i)) ++i;
  while (j > a && x[static_cast<std::size_t>(j)] < halfLine(j)) --j;
  return static_cast<double>(j - i + 1) * step;
}

namespace {

void MatchPeaks(CalcResult& engine, const ChrmFile& calibrationRun) {
  ComponentTable& table = engine.components;
  // Rows that no peak of this run matches must not keep an earlier run's times; C1-C4
  // come with the input (the calibration tab's times).
  for (std::size_t k = 4; k < table.size(); ++k) {
    table[k].retentionTime = 0.0;
    table[k].peakWidth = 0.0;
  }
  const bool latin = engine.settings.latinNames;
  // Every name folded once instead of once per comparison: texts whose folded forms differ
  // are never equal, and the comparison itself confirms the rare pairs whose forms agree.
  std::vector<std::string> foldedNames;
  std::vector<std::string> foldedAlts;
  foldedNames.reserve(table.size());
  foldedAlts.reserve(table.size());
  for (const ComponentRecord& row : table) {
    foldedNames.push_back(FoldCase(latin ? row.nameLatin : row.name));
    foldedAlts.push_back(FoldCase(latin ? row.altNameLatin : row.altName));
  }
  for (const ChrmChannel& channel : calibrationRun.channels) {
    for (const ChrmPeak& peak : channel.peaks) {
      // An unnamed peak identifies no component: it would otherwise match every row whose
      // name or additional name is empty (a user row typically) and add a false point.
      if (peak.name.empty()) continue;
      const std::string foldedPeak = FoldCase(peak.name);
      for (std::size_t k = 0; k < table.size(); ++k) {
        ComponentRecord& row = table[k];
        const std::string& name = latin ? row.nameLatin : row.name;
        const std::string& alt = latin ? row.altNameLatin : row.altName;
        if ((foldedNames[k] == foldedPeak && EqualsNoCase(name, peak.name)) ||
            (foldedAlts[k] == foldedPeak && EqualsNoCase(alt, peak.name))) {
          row.retentionTime = peak.time;
          row.peakWidth = HalfHeightWidth(channel, peak);
          break;
        }
      }
    }
  }
}

void AssembleCurve(CalibCurve& curve, const ComponentTable& table) {
  std::size_t count = 0;
  for (const ComponentRecord& row : table) {
    if (row.retentionTime > 0) ++count;
  }
  curve.times.resize(count);
  curve.temps.resize(count);
  std::size_t i = 0;
  for (const ComponentRecord& row : table) {
    if (row.retentionTime > 0) {
      curve.times[i] = row.retentionTime;
      curve.temps[i] = row.boilingPoint;
      ++i;
    }
  }
  curve.registered = true;
}

}  // namespace

void BuildCalibration(CalcResult& engine) {
  CalcCalibration& calibration = engine.calibration;
  if (calibration.CalibrationChrm == nullptr) return;
  MatchPeaks(engine, *calibration.CalibrationChrm);
  AssembleCurve(calibration.curve, engine.components);
  CheckResolution(engine);
  CheckResponseFactors(engine);
}

}  // namespace p528
