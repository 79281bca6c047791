#include "engine/internal_standard.h"

#include "engine/analysis.h"
#include "engine/calibration.h"
#include "engine/distillation.h"
#include "engine/message_log.h"
#include "engine/repeatability.h"
#include "engine/texts/internal_standard_texts.h"
#include "shell/text.h"

#include <algorithm>
#include <cmath>

namespace p528 {

namespace {

double Finite(double value) { return std::isfinite(value) ? value : 0.0; }

// Window and total areas of one run, integrated to `timeEnd`.
void RunAreas(const CAnalysis& engine, ChrmResult& run, double timeEnd) {
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

void InternalStandardAreas(CAnalysis& engine) {
  if (engine.State < StateStarted) return;
  const double mStd = DecimalPrefix(engine.StdMass);
  const double mSample = DecimalPrefix(engine.SampleMass);
  if (mStd <= 0) {
    engine.messages.AddError(
        engine.Text(engine.Method == Gost56720B ? text::kStdMassMissing56720 : text::kStdMassMissing54291) +
        engine.Text(text::kStdMassHint));
    return;
  }
  if (mSample <= 0) {
    engine.messages.AddError(engine.Text(text::kSampleMassMissing) + engine.Text(text::kSampleMassHint));
    return;
  }
  engine.WindowStart = engine.calibration.isWindow.start;
  engine.WindowEnd = engine.calibration.isWindow.end;
  const double endTemp = InternalStandardEndTemp(engine.Method);
  double timeEnd = 0.0;  // stays 0 when the end temperature lies outside the calibration
  CalibLookup(engine.calibration.curve, CalibAxis::Temp, endTemp, timeEnd);

  if (engine.Analyses.empty()) {
    engine.messages.AddWarning(engine.Text(text::kNoSampleRuns));
    return;
  }
  for (ChrmResult& analysis : engine.Analyses) {
    if (analysis.File == nullptr) continue;
    RunAreas(engine, analysis, timeEnd);
    analysis.EndTemp = endTemp;
  }
  if (engine.StdRuns.empty()) {
    engine.messages.AddError(engine.Text(text::kNoStdRun));
    return;
  }
  for (ChrmResult& run : engine.StdRuns)
    if (run.File != nullptr) RunAreas(engine, run, timeEnd);
  engine.State = StateCurves;
}

void InternalStandardCurves(CAnalysis& engine) {
  if (engine.State <= StateStarted) return;
  const std::size_t n = std::min(engine.Analyses.size(), engine.StdRuns.size());
  for (std::size_t i = 0; i < n; ++i) {
    ChrmResult& analysis = engine.Analyses[i];
    const ChrmResult& standard = engine.StdRuns[i];
    if (analysis.File == nullptr) continue;
    const double k = SampleAreaFactor(DecimalPrefix(engine.StdMass), DecimalPrefix(engine.SampleMass));
    analysis.SampleArea =
        SampleAreaOf(analysis.TotalArea, analysis.WindowArea, standard.TotalArea, standard.WindowArea, k);
    analysis.Residue = ResidueOf(analysis.TotalArea, analysis.SampleArea);
    BuildCurve(analysis, engine.Method, engine.calibration.curve);
    BuildPointTable(analysis, engine.StepPercent, engine.UseDefaultStep, engine.Method,
                    engine.calibration.curve);
    if (analysis.Ibp.time == -1.0) {
      engine.messages.AddError(engine.TextF(text::kIsIbpNotCovered, analysis.Number));
      engine.State = StateNotRun;
      return;
    }
  }
  if (engine.Method == Gost56720B) {
    CheckRepeatability56720B(engine);
  } else {
    CheckRepeatability54291(engine);
  }
  FillRepeatabilityTable(engine);
}

}  // namespace p528
