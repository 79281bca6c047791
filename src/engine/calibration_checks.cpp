#include "engine/calibration_checks.h"

#include "engine/calculation.h"
#include "engine/calibration.h"
#include "engine/texts/calibration_check_texts.h"
#include "shell/text.h"

#include <array>
#include <cmath>
#include <string>

namespace p528 {

namespace {

constexpr double kResolutionFactor = 1.699;
constexpr double kResolutionLimit = 3.0;
constexpr double kWindowBelow = 0.95;
constexpr double kWindowAbove = 1.05;
constexpr double kFactorLow = 0.9;
constexpr double kFactorHigh = 1.1;

// The interface's spelling of a name that begins with "C": Cyrillic С under a Russian
// interface, Latin C otherwise.
std::string InterfaceName(bool latin, std::string_view name) {
  return latin ? std::string(name) : ToCyrillicC(name);
}

const std::string& ComponentName(bool latin, const ComponentRecord& c) {
  return latin ? c.nameLatin : c.name;
}
const std::string& ComponentAltName(bool latin, const ComponentRecord& c) {
  return latin ? c.altNameLatin : c.altName;
}

}  // namespace

bool ChecksResponse(int32_t method) { return method == AstmD2887A || method == Iso3924; }

bool EqualsLatinNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

void CheckResolution(CalcResult& engine) {
  CalcCalibration& calibration = engine.calibration;
  const ChrmFile* run = calibration.CalibrationChrm;
  if (run == nullptr) return;

  // Peak labels of C14, C16, C17 and C18: the additional names of the component rows so
  // named (the last such row). A label not found stays empty and then matches no peak:
  // an unnamed peak must not pass for a missing n-paraffin.
  const bool latin = engine.settings.latinNames;
  static constexpr std::array<const char*, 4> kNames = {"C14", "C16", "C17", "C18"};
  std::array<std::string, 4> labels;
  for (std::size_t n = 0; n < kNames.size(); ++n) {
    const std::string wanted = InterfaceName(latin, kNames[n]);
    for (const ComponentRecord& c : engine.components)
      if (EqualsLatinNoCase(ComponentName(latin, c), wanted)) labels[n] = ComponentAltName(latin, c);
  }
  auto matches = [&](const ChrmPeak& peak, std::size_t n) {
    return !labels[n].empty() && EqualsLatinNoCase(peak.name, labels[n]);
  };

  calibration.isWindow = IsWindowRange{};
  double t16 = 0, w16 = 0, t18 = 0, w18 = 0;
  for (const ChrmChannel& channel : run->channels) {
    for (const ChrmPeak& peak : channel.peaks) {
      if (matches(peak, 0)) calibration.isWindow.start = peak.time * kWindowBelow;
      if (matches(peak, 1)) {
        t16 = peak.time;
        w16 = HalfHeightWidth(channel, peak);
      }
      if (matches(peak, 2)) calibration.isWindow.end = peak.time * kWindowAbove;
      if (matches(peak, 3)) {
        t18 = peak.time;
        w18 = HalfHeightWidth(channel, peak);
      }
    }
  }

  double resolution = 0.0;
  if (!run->channels.empty() && t16 != 0 && t18 != 0)
    resolution = 2 * (t18 - t16) / (kResolutionFactor * (w16 + w18));
  // Peaks without a measurable width give no resolution at all, not an infinite one that
  // would pass the check.
  if (!std::isfinite(resolution)) resolution = 0.0;
  calibration.resolution = resolution;
  if (resolution < kResolutionLimit)
    engine.AddError({{engine.settings.method == Iso3924 ? text::kResolutionIso : text::kResolution56720}});
}

void CheckResponseFactors(CalcResult& engine) {
  CalcCalibration& calibration = engine.calibration;
  // Rows describe only the check run of this calibration: without one there are none.
  calibration.responseRows.clear();
  const ChrmFile* check = calibration.CheckChrm;
  if (check == nullptr || check->channels.empty()) return;

  const int32_t method = engine.settings.method;
  const bool latin = engine.settings.latinNames;
  const std::string decane = InterfaceName(latin, "C10");
  const std::vector<ChrmPeak>& peaks = check->channels[0].peaks;
  std::vector<ResponseRow>& rows = calibration.responseRows;
  rows.resize(peaks.size());

  double ratio = -1.0;
  bool found = false;
  for (std::size_t k = 0; k < peaks.size(); ++k) {
    const ChrmPeak& peak = peaks[k];
    ResponseRow& row = rows[k];
    row.peakName = peak.name;
    row.peakArea = peak.area;
    for (const ComponentRecord& c : engine.components) {
      if (!EqualsLatinNoCase(ComponentAltName(latin, c), peak.name)) continue;
      row.hasComponent = true;  // the last matching row wins
      row.componentName = ComponentAltName(latin, c);
      row.componentMass = c.mixtureMass;
    }
    if (!EqualsLatinNoCase(peak.name, decane)) continue;
    found = true;
    if (!row.hasComponent) {
      engine.AddError(
          {{text::kDecaneNotInTable},
           {method == Iso3924 ? text::kDecaneCheckImpossibleIso : text::kDecaneCheckImpossibleAstm}});
    } else {
      ratio = row.componentMass / peak.area;
    }
  }

  if (ratio > 0 && std::isfinite(ratio)) {
    bool massMissing = false;
    for (ResponseRow& row : rows) {
      row.ok = 1;
      row.factor = row.hasComponent ? (row.componentMass / row.peakArea) / ratio : 0.0;
      // A peak of area 0 has no factor.
      if (!std::isfinite(row.factor)) row.factor = 0.0;
      if (!ChecksResponse(method)) continue;
      if (!row.hasComponent) {
        engine.AddError({{text::kComponentNotInTable, {row.peakName}}});
        row.ok = 0;
      } else if (row.componentMass <= 0) {
        engine.AddError({{text::kComponentMassMissing, {row.componentName}}});
        row.ok = 0;
        massMissing = true;
      } else if (row.factor < kFactorLow || row.factor > kFactorHigh) {
        engine.AddError(
            {{method == Iso3924 ? text::kResponseOutIso : text::kResponseOutAstm, {row.componentName}},
             {text::kResponseValueLine, {row.factor}}});
        row.ok = 0;
      }
    }
    if (massMissing) engine.AddInformation({{text::kMassHint}});
  } else if (ChecksResponse(method)) {
    if (found) {
      engine.AddError({{text::kDecaneMassMissing}});
      engine.AddInformation({{text::kMassHint}});
    } else {
      engine.AddError({{method == Iso3924 ? text::kDecaneNotInCheckRunIso : text::kDecaneNotInCheckRunAstm}});
    }
  }
}

}  // namespace p528
