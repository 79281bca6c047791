#include "engine/calculation.h"

#include "chromatogram/chrm_role.h"
#include "engine/calc_steps.h"
#include "engine/calibration.h"
#include "engine/distillation.h"
#include "engine/fractions.h"
#include "engine/internal_standard.h"
#include "engine/iso3405.h"
#include "engine/reference_check.h"
#include "engine/texts/calculation_texts.h"

#include <algorithm>
#include <mutex>

namespace p528 {

CalcRuns RunsByRole(const ChrmSet& set) {
  CalcRuns runs;
  for (const auto& [path, file] : set) {
    switch (file.role) {
      case RoleCalibration: runs.calibration = &file; break;
      case RoleBlank: runs.blank = &file; break;
      case RoleAnalysis:
        if (file.ordinal >= 1) runs.analyses.push_back(&file);
        break;
      case RoleStandard:
        if (file.ordinal >= 1) runs.standards.push_back(&file);
        break;
      case RoleReference: runs.reference = &file; break;
      case RoleCheck: runs.check = &file; break;
      default: break;
    }
  }
  return runs;
}

double ReferenceGasoil::TemperatureAt(double percent) const {
  for (const Point& point : points)
    if (point.percent == percent) return point.temperature;
  return -1.0;
}

double ReferenceGasoil::DeviationAt(double percent) const {
  for (const Point& point : points)
    if (point.percent == percent) return point.deviation;
  return -1.0;
}

void ApplyCalibrationTimes(ComponentTable& components, const std::array<double, 4>& times) {
  for (std::size_t k = 0; k < 4 && k < components.size(); ++k) components[k].retentionTime = times[k];
}

void ResetResult(CalcResult& engine) {
  engine.State = StateNotRun;
  engine.CurvesReady = false;
  // The records' vectors go to the next calculation empty, their memory kept.
  ResultBuffers& buffers = engine.buffers;
  buffers.Clear();
  buffers.Keep(engine.Blank);
  buffers.Keep(engine.Reference);
  for (ChrmResult& r : engine.Analyses) buffers.Keep(r);
  for (ChrmResult& r : engine.StdRuns) buffers.Keep(r);
  engine.Blank.Reset();
  engine.Reference.Reset();
  engine.Iso3405Rows.clear();
  engine.Analyses.clear();
  engine.StdRuns.clear();
  engine.RepeatRows.clear();
  engine.RefRows.clear();
  engine.FractionRows.clear();
  engine.WindowStart = -1.0;
  engine.WindowEnd = -1.0;
  engine.ResidueSummary = FractionSummary();
  engine.FractionMeanTotal = -1.0;
  engine.RewrittenStepPercent.reset();
  engine.findings.clear();
}

void LoadResult(CalcResult& engine, ChrmResult& result, double timeStartSample, const ChrmFile& file) {
  result.File = &file;
  engine.buffers.Give(result);
  if (file.channels.empty()) return;
  const ChrmChannel& channel = file.channels[0];
  {
    std::lock_guard<std::mutex> lock(*channel.lock);
    result.Step = channel.step;
    result.StartTime = channel.startTime;
  }
  result.ZeroLevel = ZeroLevel(channel, timeStartSample);
  result.Number = file.ordinal;
}

void AddAnalysis(CalcResult& engine, const ChrmFile& file) {
  if (file.ordinal < 1) return;
  ChrmResult result;
  LoadResult(engine, result, engine.settings.timeStartSample, file);
  engine.Analyses.push_back(std::move(result));
}

void AddStdRun(CalcResult& engine, const ChrmFile& file) {
  if (file.ordinal < 1) return;
  ChrmResult result;
  LoadResult(engine, result, engine.settings.timeStartSample, file);
  engine.StdRuns.push_back(std::move(result));
}

namespace {

void SortRuns(CalcResult& engine) {
  auto byNumber = [](const ChrmResult& a, const ChrmResult& b) { return a.Number < b.Number; };
  std::stable_sort(engine.Analyses.begin(), engine.Analyses.end(), byNumber);
  std::stable_sort(engine.StdRuns.begin(), engine.StdRuns.end(), byNumber);
}

// The steps of the internal-standard methods after the curves: fractions, their
// corrections and composition.
void InternalStandardFractions(CalcResult& engine) {
  const CalcSettings& s = engine.settings;
  const std::size_t n = std::min(engine.Analyses.size(), engine.StdRuns.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (engine.Analyses[i].File == nullptr) continue;
    CutFractions(engine, engine.Analyses[i], s.startMark, s.stepMark);
    FractionAreas(engine.Analyses[i]);
  }
  AlignFractions(engine);
  engine.State = StateFractions;
  for (std::size_t i = 0; i < n; ++i) {
    if (engine.Analyses[i].File == nullptr) continue;
    ApplyFractionCorrections(engine, engine.Analyses[i], s.h2sPercent, s.mercaptanPercent, s.waterPercent);
  }
  FractionComposition(engine);
  ExtendCurves(engine);
}

}  // namespace

void RunCalc(CalcResult& engine) {
  SortRuns(engine);
  engine.State = StateStarted;
  if (engine.Blank.File == nullptr) {
    engine.AddError({{text::kNoBlank}});
    return;
  }

  const int32_t method = engine.settings.method;
  if (IsAreaNormalisation(method)) {
    AreaNormalisation(engine);
    BoilingRangeAndFractions(engine);
  } else if (IsInternalStandard(method)) {
    InternalStandardAreas(engine);
    if (engine.State > StateStarted) InternalStandardCurves(engine);
    if (engine.State >= StateCurves) InternalStandardFractions(engine);
  } else {
    // Method B of ASTM D 2887 (disabled) and unknown values calculate nothing.
    return;
  }

  CorrelateIso3405(engine);
  CheckReferenceSample(engine);
}

void FractionAreas(ChrmResult& result) {
  for (std::size_t j = 1; j < result.Fractions.size(); ++j) {
    double area = Area(result, result.Fractions[j - 1].boundaryTime, result.Fractions[j].boundaryTime);
    if (area < 0) area = 0;
    result.Fractions[j].area = area;
  }
}

void ExtendCurves(CalcResult& engine) {
  for (ChrmResult& a : engine.Analyses) {
    if (a.File != nullptr) ExtendPointTemp(a);
  }
  engine.CurvesReady = true;
}

void CalculateInto(const CalcInput& input, CalcResult& result) {
  ResetResult(result);
  result.calibration = CalcCalibration();
  result.settings = input.settings;
  result.components = input.components;
  const CalcRuns& runs = input.runs;
  const double timeStartSample = input.settings.timeStartSample;
  if (runs.blank != nullptr) LoadResult(result, result.Blank, timeStartSample, *runs.blank);
  for (const ChrmFile* file : runs.analyses) AddAnalysis(result, *file);
  for (const ChrmFile* file : runs.standards) AddStdRun(result, *file);
  if (runs.reference != nullptr) LoadResult(result, result.Reference, timeStartSample, *runs.reference);
  result.calibration.CheckChrm = runs.check;
  result.calibration.CalibrationChrm = runs.calibration;
  if (runs.calibration == nullptr) {
    result.AddError({{text::kNoCalibration}});
    return;
  }
  BuildCalibration(result);
  RunCalc(result);
}

CalcResult Calculate(const CalcInput& input) {
  CalcResult result;
  CalculateInto(input, result);
  return result;
}

}  // namespace p528
