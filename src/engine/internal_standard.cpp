#include "engine/internal_standard.h"

#include "engine/calc_steps.h"
#include "engine/calibration.h"
#include "engine/distillation.h"
#include "engine/repeatability.h"
#include "engine/texts/internal_standard_texts.h"
#include "shell/text.h"

#include <algorithm>
#include <cmath>

namespace p528 {

namespace {

double Finite(double value) { return std::isfinite(value) ? value : 0.0; }

// Window and total areas of one run, integrated to `timeEnd`.
void RunAreas(const CalcResult& engine, ChrmResult& run, double timeEnd) {
  SubtractBlank(engine.Blank, run);
  run.WindowArea = Area(run, engine.WindowStart, engine.WindowEnd);
  run.TotalArea = Area(run, run.StartTime, timeEnd);
  run.EndTime = timeEnd;
}

}  // namespace

double InternalStandardEndTemp(int method) { return method == Gost56720B ? 545.0 : 538.0; }

double SampleAreaFactor(double mStd, double mSample) {
  const double w = mStd / (mSample + mStd);
  return (1 - w) / w;
}

double SampleAreaOf(double aTotal, double aWindow, double sTotal, double sWindow, double k) {
  return Finite(((aTotal - aWindow) / (sTotal - sWindow) * sWindow - aWindow) * k);
}

double ResidueOf(double total, double sampleArea) { return Finite(100 - total / sampleArea * 100); }

void InternalStandardAreas(CalcResult& engine) {
  if (engine.State < StateStarted) return;
  const double mStd = engine.settings.stdMass;
  const double mSample = engine.settings.sampleMass;
  if (mStd <= 0) {
    engine.AddError(
        {{engine.settings.method == Gost56720B ? text::kStdMassMissing56720 : text::kStdMassMissing54291},
         {text::kStdMassHint}});
    return;
  }
  if (mSample <= 0) {
    engine.AddError({{text::kSampleMassMissing}, {text::kSampleMassHint}});
    return;
  }
  engine.WindowStart = engine.calibration.isWindow.start;
  engine.WindowEnd = engine.calibration.isWindow.end;
  const double endTemp = InternalStandardEndTemp(engine.settings.method);
  double timeEnd = 0.0;  // stays 0 when the end temperature lies outside the calibration
  CalibLookup(engine.calibration.curve, CalibAxis::Temp, endTemp, timeEnd);

  if (engine.Analyses.empty()) {
    engine.AddWarning({{text::kNoSampleRuns}});
    return;
  }
  for (ChrmResult& analysis : engine.Analyses) {
    if (analysis.File == nullptr) continue;
    RunAreas(engine, analysis, timeEnd);
    analysis.EndTemp = endTemp;
  }
  if (engine.StdRuns.empty()) {
    engine.AddError({{text::kNoStdRun}});
    return;
  }
  for (ChrmResult& run : engine.StdRuns)
    if (run.File != nullptr) RunAreas(engine, run, timeEnd);
  engine.State = StateCurves;
}

void InternalStandardCurves(CalcResult& engine) {
  if (engine.State <= StateStarted) return;
  const std::size_t n = std::min(engine.Analyses.size(), engine.StdRuns.size());
  double stepPercent = engine.settings.stepPercent;
  for (std::size_t i = 0; i < n; ++i) {
    ChrmResult& analysis = engine.Analyses[i];
    const ChrmResult& standard = engine.StdRuns[i];
    if (analysis.File == nullptr) continue;
    const double k = SampleAreaFactor(engine.settings.stdMass, engine.settings.sampleMass);
    analysis.SampleArea =
        SampleAreaOf(analysis.TotalArea, analysis.WindowArea, standard.TotalArea, standard.WindowArea, k);
    analysis.Residue = ResidueOf(analysis.TotalArea, analysis.SampleArea);
    BuildCurve(analysis, engine.settings.method, engine.calibration.curve);
    if (const std::optional<double> taken =
            BuildPointTable(analysis, stepPercent, engine.settings.useDefaultStep, engine.settings.method,
                            engine.calibration.curve)) {
      stepPercent = *taken;
      engine.RewrittenStepPercent = *taken;
    }
    if (analysis.Ibp.time == -1.0) {
      engine.AddError({{text::kIsIbpNotCovered, {analysis.Number}}});
      engine.State = StateNotRun;
      return;
    }
  }
  if (engine.settings.method == Gost56720B) {
    CheckRepeatability56720B(engine);
  } else {
    CheckRepeatability54291(engine);
    CheckResidue54291(engine);
  }
}

}  // namespace p528
