#include "engine/calibration.h"

#include "engine/analysis.h"
#include "engine/calibration_checks.h"
#include "engine/distillation.h"
#include "engine/result_tables.h"
#include "engine/texts/calculation_texts.h"
#include "numeric/interpolate.h"
#include "shell/settings.h"
#include "shell/shell.h"
#include "shell/text.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <mutex>

namespace p528 {

namespace {

const char* const kTimeKeys[4] = {"time_C1", "time_C2", "time_C3", "time_C4"};

}  // namespace

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

void CalibrationTab::SetUpPointsList(const Shell& shell) {
  points.DeleteAllColumns();
  points.AppendColumn("", 0);
  points.AppendColumn(shell.Str(text::kCaptionTimeMin), 82);
  points.AppendColumn(shell.Str(text::kCaptionTempC), 75);
}

void CalibrationTab::LoadTimes(const Shell& shell) {
  for (std::size_t k = 0; k < 4; ++k)
    timeC[k] = ReadSettingText(shell, kSectionSettings, kTimeKeys[k], "0.0");
}

void CalibrationTab::SetTime(const Shell& shell, int index, std::string text, ComponentTable& components) {
  if (index < 0 || index > 3) return;
  const auto k = static_cast<std::size_t>(index);
  timeC[k] = std::move(text);
  WriteSettingText(shell, kSectionSettings, kTimeKeys[k], timeC[k]);
  ApplyTimes(components);
  FillPointsList();
}

void CalibrationTab::ApplyTimes(ComponentTable& components) const {
  for (std::size_t k = 0; k < 4 && k < components.size(); ++k) {
    // The times are kept in single precision, as the calibration tab stores them.
    const float single = static_cast<float>(DecimalPrefix(timeC[k]));
    components[k].retentionTime = static_cast<double>(single);
  }
}

void CalibrationTab::CalculateY() {
  double y = 0;
  if (!CalibLookup(curve, CalibAxis::Time, DecimalPrefix(textX), y)) y = 0;
  textY = Format("%.5g", y);
}

void CalibrationTab::CalculateX() {
  double x = 0;
  if (!CalibLookup(curve, CalibAxis::Temp, DecimalPrefix(textY), x)) x = 0;
  textX = Format("%.5g", x);
}

std::string CalibrationTab::ResolutionText() const { return Format("%.1f", resolution); }

void CalibrationTab::FillPointsList() {
  points.DeleteAllRows();
  if (curve.times.empty() || curve.temps.empty() || curve.times.size() != curve.temps.size()) return;
  for (std::size_t i = 0; i < curve.times.size(); ++i) {
    points.AppendRow({"", Format("%.5g", curve.times[i]), Format("%.5g", curve.temps[i])});
  }
}

void ClearCalibration(CAnalysis& engine) {
  CalibrationTab& tab = engine.calibration;
  tab.CalibrationChrm = nullptr;
  tab.CheckChrm = nullptr;
  tab.points.DeleteAllRows();
  tab.textX = "0.0";
  tab.textY = "0.0";
  tab.resolution = 0.0;
  tab.isWindow = IsWindowRange();
  tab.curve.registered = false;
  tab.curve.times.clear();
  tab.curve.temps.clear();
  // The rows point at peaks of a check run that may be gone after this recalculation:
  // they are dropped rather than kept with factor 0, and the list goes with them (the
  // response-factor step does not run without a calibration run).
  tab.responseRows.clear();
  engine.tables.response.DeleteAllRows();
}

namespace {

void MatchPeaks(CAnalysis& engine, const ChrmFile& calibrationRun) {
  ComponentTable& table = engine.components;
  // Rows that no peak of this run matches must not keep an earlier run's times; C1-C4
  // come from the calibration tab.
  for (std::size_t k = 4; k < table.size(); ++k) {
    table[k].retentionTime = 0.0;
    table[k].peakWidth = 0.0;
  }
  engine.calibration.ApplyTimes(table);
  const bool latin = engine.shell.foreignUi != 0;
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

void BuildCalibration(CAnalysis& engine) {
  CalibrationTab& tab = engine.calibration;
  if (tab.CalibrationChrm == nullptr) return;
  MatchPeaks(engine, *tab.CalibrationChrm);
  AssembleCurve(tab.curve, engine.components);
  tab.FillPointsList();
  CheckResolution(engine);
  CheckResponseFactors(engine);
  FillResponseList(engine);
}

}  // namespace p528
