// Driver steps of the area-normalisation methods (ASTM D 2887 method A, GOST R 56720
// method A, GOST ISO 3924): the curves with the final-boiling-point rules, then the point
// tables with the initial-boiling-point checks, fractions and repeatability.
#include "engine/calc_steps.h"
#include "engine/calibration.h"
#include "engine/distillation.h"
#include "engine/fractions.h"
#include "engine/repeatability.h"
#include "engine/sample_span.h"
#include "engine/texts/calculation_texts.h"
#include "shell/text.h"

#include <cmath>

namespace p528 {

namespace {

// Final boiling limit of the method, °C.
double FinalBoilingLimit(int32_t method) { return method == Gost56720A ? 545.0 : 538.0; }

// The end of elution lies outside the calibration curve.
void ApplyFinalBoilingRules(CalcResult& engine, ChrmResult& a, double limitTime) {
  const int32_t method = engine.settings.method;
  const double limit = FinalBoilingLimit(method);
  const bool is545 = method == Gost56720A;
  if (a.EndTime <= limitTime) {
    const int id = method == AstmD2887A ? text::kFbpNotFoundAstm
                   : method == Iso3924  ? text::kFbpNotFoundIso
                                        : text::kFbpNotFound56720;
    engine.AddError({{id}});
  }
  // An end of elution that was not found is no final boiling point beyond the limit.
  if (a.EndTime == -1.0) return;
  if (std::fabs(a.EndTime - limitTime) < 1.0) {
    engine.AddWarning({{is545 ? text::kFbp545Within : text::kFbp538Within},
                       {is545 ? text::kFbpC44Taken : text::kFbp538Taken},
                       {is545 ? text::kFbpC44Time : text::kFbp538Time, {limitTime}},
                       {text::kFbpFoundTime, {a.EndTime}}});
    a.EndTemp = limit;
    a.EndTime = limitTime;
  }
  if (std::fabs(a.EndTime - limitTime) > 1.0) {
    const int id = method == AstmD2887A ? text::kFbpExceedsAstm
                   : method == Iso3924  ? text::kFbpExceedsIso
                                        : text::kFbpExceeds56720;
    engine.AddError({{id}});
    a.EndTemp = limit;
    a.EndTime = limitTime;
  }
}

}  // namespace

void AreaNormalisation(CalcResult& engine) {
  if (engine.Analyses.empty()) {
    engine.AddError({{text::kNoAnalyses}});
    return;
  }
  const CalibCurve& curve = engine.calibration.curve;
  for (ChrmResult& a : engine.Analyses) {
    if (a.File == nullptr) continue;
    SubtractBlank(engine.Blank, a);
    const double last = a.StartTime + (static_cast<double>(a.Signal.size()) - 1) * a.Step;
    double limitTime = 0;
    if (!CalibLookup(curve, CalibAxis::Temp, FinalBoilingLimit(engine.settings.method), limitTime)) {
      limitTime = 0;
    }
    // Both totals sum the same samples from the first: summed once.
    SampleSpan samples(a);
    a.TotalArea = samples.AreaFromStart(last);
    a.EndTime = last;
    FindEndTime(a);
    // Nothing eluted (or an undefined rate): the step ends here without a message.
    if (!(a.TotalArea > 0)) return;
    a.TotalArea = samples.AreaFromStart(a.EndTime);
    BuildCurve(a, engine.settings.method, curve);
    double endTemp = a.EndTemp;
    if (CalibLookup(curve, CalibAxis::Time, a.EndTime, endTemp)) {
      a.EndTemp = endTemp;
      continue;
    }
    ApplyFinalBoilingRules(engine, a, limitTime);
  }
  engine.State = StateCurves;
}

void BoilingRangeAndFractions(CalcResult& engine) {
  if (engine.State <= StateStarted) return;
  const CalcSettings& s = engine.settings;
  const CalibCurve& curve = engine.calibration.curve;
  const int32_t method = s.method;
  double stepPercent = s.stepPercent;

  for (ChrmResult& a : engine.Analyses) {
    if (a.File == nullptr) continue;
    if (const std::optional<double> taken =
            BuildPointTable(a, stepPercent, s.useDefaultStep, method, curve)) {
      stepPercent = *taken;
      engine.RewrittenStepPercent = *taken;
    }
    if (a.Ibp.time == -1.0) {
      engine.AddError({{text::kIbpNotCovered, {a.Number}}});
      engine.State = StateNotRun;
      return;
    }
    if (method == Iso3924 && a.Ibp.temp < 55.0) {
      engine.AddWarning({{text::kIbpBelowIso, {a.Number}}});
    }
    if (method == AstmD2887A && a.Ibp.temp < 55.5) {
      engine.AddWarning({{text::kIbpBelowAstm, {a.Number}}});
    }
    CutFractions(engine, a, s.startMark, s.stepMark);
    FractionAreas(a);
    ApplyFractionCorrections(engine, a, s.h2sPercent, s.mercaptanPercent, s.waterPercent);
  }

  AlignFractions(engine);
  CheckRepeatability(engine);
  FractionComposition(engine);
  ExtendCurves(engine);
}

}  // namespace p528
