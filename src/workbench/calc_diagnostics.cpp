#include "workbench/calc_diagnostics.h"

#include "shell/text.h"
#include "workbench/workbench.h"

#include <cmath>

namespace p528 {

namespace {

constexpr double kLongestStep = 1.0 / 60.0;  // one second, in minutes

std::string Minutes(double value) { return Format("%.6g min", value); }

void SamplingFindings(const std::string& path, const ChrmFile& file, std::vector<std::string>& out) {
  if (file.channels.empty()) return;
  const ChrmChannel& channel = file.channels[0];
  if (!(channel.step > 0)) {
    out.push_back(path + ": the sampling step is " + Minutes(channel.step) +
                  "; the run cannot be integrated");
  } else if (channel.step > kLongestStep) {
    out.push_back(path + ": the sampling step " + Minutes(channel.step) + " is longer than a second");
  }
  std::size_t bad = 0;
  for (float sample : channel.samples) {
    if (!std::isfinite(sample)) ++bad;
  }
  if (bad > 0) out.push_back(path + ": " + std::to_string(bad) + " samples are not finite numbers");
}

// The named peaks of the calibration run that a component of the table names, as the
// calibration matches them.
bool AnyPeakMatches(const Workbench& wb, const ChrmFile& run) {
  const bool latin = wb.shell().foreignUi != 0;
  for (const ChrmChannel& channel : run.channels) {
    for (const ChrmPeak& peak : channel.peaks) {
      if (peak.name.empty()) continue;
      for (const ComponentRecord& row : wb.components()) {
        if (EqualsNoCase(latin ? row.nameLatin : row.name, peak.name) ||
            EqualsNoCase(latin ? row.altNameLatin : row.altName, peak.name)) {
          return true;
        }
      }
    }
  }
  return false;
}

void CurveFindings(const CalibCurve& curve, std::vector<std::string>& out) {
  for (std::size_t i = 1; i < curve.times.size() && i < curve.temps.size(); ++i) {
    if (!(curve.times[i] > curve.times[i - 1])) {
      out.push_back(
          Format("the calibration curve does not increase in time: point %zu at %.6g min follows %.6g min",
                 i + 1, curve.times[i], curve.times[i - 1]));
      break;
    }
  }
  for (std::size_t i = 1; i < curve.times.size() && i < curve.temps.size(); ++i) {
    if (!(curve.temps[i] > curve.temps[i - 1])) {
      out.push_back(
          Format("the calibration curve does not increase in temperature: point %zu at %.6g °C follows "
                 "%.6g °C",
                 i + 1, curve.temps[i], curve.temps[i - 1]));
      break;
    }
  }
}

double EndTime(const ChrmChannel& channel) {
  return channel.startTime + channel.step * static_cast<double>(channel.samples.size());
}

void BlankFindings(const std::string& blankPath, const ChrmFile& blank, const std::string& path,
                   const ChrmFile& run, std::vector<std::string>& out) {
  if (blank.channels.empty() || run.channels.empty()) return;
  const ChrmChannel& b = blank.channels[0];
  const ChrmChannel& a = run.channels[0];
  if (b.step != a.step) {
    out.push_back("the blank " + blankPath + " (" + Minutes(b.step) + ") and " + path + " (" +
                  Minutes(a.step) + ") differ in sampling step");
  }
  if (EndTime(b) < EndTime(a)) {
    out.push_back("the blank " + blankPath + " ends at " + Minutes(EndTime(b)) + ", before " + path + " (" +
                  Minutes(EndTime(a)) + ")");
  }
}

}  // namespace

unsigned FinalState(const Workbench& workbench) {
  if (IsAreaNormalisation(workbench.analysis().Method)) return StateCurves;
  if (IsInternalStandard(workbench.analysis().Method)) return StateFractions;
  return StateStarted;
}

std::vector<std::string> Diagnostics(const Workbench& wb) {
  std::vector<std::string> out;
  const ChrmSet& set = wb.chrmSet();
  const ChrmFile* blank = nullptr;
  std::string blankPath;
  for (const auto& [path, file] : set) {
    if (file.role == RoleBlank) {
      blank = &file;
      blankPath = path;
    }
  }
  for (const auto& [path, file] : set) {
    SamplingFindings(path, file, out);
    if (file.role == RoleCalibration && !wb.components().empty() && !AnyPeakMatches(wb, file)) {
      out.push_back("the component table matched no peak of the calibration run " + path);
    }
    if (blank != nullptr && (file.role == RoleAnalysis || file.role == RoleStandard) && file.ordinal >= 1) {
      BlankFindings(blankPath, *blank, path, file, out);
    }
  }
  CurveFindings(wb.calibrationTab().curve, out);
  const unsigned state = wb.analysis().State;
  if (wb.calibrationTab().CalibrationChrm != nullptr && state < FinalState(wb) &&
      wb.messages().Errors().empty()) {
    out.push_back(Format("the calculation stopped at state %u without a message", state));
  }
  return out;
}

}  // namespace p528
