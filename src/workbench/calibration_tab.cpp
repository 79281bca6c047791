#include "workbench/calibration_tab.h"

#include "engine/texts/calculation_texts.h"
#include "shell/settings.h"
#include "shell/shell.h"
#include "shell/text.h"

namespace p528 {

namespace {

const char* const kTimeKeys[4] = {"time_C1", "time_C2", "time_C3", "time_C4"};

}  // namespace

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

std::array<double, 4> CalibrationTab::Times() const {
  std::array<double, 4> times{};
  for (std::size_t k = 0; k < 4; ++k) {
    // The times are kept in single precision, as the calibration tab stores them.
    const float single = static_cast<float>(DecimalPrefix(timeC[k]));
    times[k] = static_cast<double>(single);
  }
  return times;
}

void CalibrationTab::ApplyTimes(ComponentTable& components) const {
  ApplyCalibrationTimes(components, Times());
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

void CalibrationTab::Show(const CalcCalibration& calibration) {
  CalibrationChrm = calibration.CalibrationChrm;
  CheckChrm = calibration.CheckChrm;
  textX = "0.0";
  textY = "0.0";
  curve = calibration.curve;
  resolution = calibration.resolution;
  isWindow = calibration.isWindow;
  responseRows = calibration.responseRows;
  FillPointsList();
}

}  // namespace p528
