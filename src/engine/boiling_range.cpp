// Driver steps of the area-normalisation methods (ASTM D 2887 method A, GOST R 56720
// method A, GOST ISO 3924): the curves with the final-boiling-point rules, then the point
// tables with the initial-boiling-point checks, fractions and repeatability.
#include "engine/analysis.h"
#include "engine/calibration.h"
#include "engine/distillation.h"
#include "engine/fraction_table.h"
#include "engine/fractions.h"
#include "engine/message_log.h"
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
void ApplyFinalBoilingRules(CAnalysis& engine, ChrmResult& a, double limitTime) {
  const int32_t method = engine.Method;
  const double limit = FinalBoilingLimit(method);
  const bool is545 = method == Gost56720A;
  if (a.EndTime <= limitTime) {
    const int id = method == AstmD2887A ? text::kFbpNotFoundAstm
                   : method == Iso3924  ? text::kFbpNotFoundIso
                                        : text::kFbpNotFound56720;
    engine.messages.AddError(engine.Text(id));
  }
  // An end of elution that was not found is no final boiling point beyond the limit.
  if (a.EndTime == -1.0) return;
  if (std::fabs(a.EndTime - limitTime) < 1.0) {
    std::string message = engine.Text(is545 ? text::kFbp545Within : text::kFbp538Within);
    message += engine.Text(is545 ? text::kFbpC44Taken : text::kFbp538Taken);
    message += engine.TextF(is545 ? text::kFbpC44Time : text::kFbp538Time, limitTime);
    message += engine.TextF(text::kFbpFoundTime, a.EndTime);
    engine.messages.AddWarning(std::move(message));
    a.EndTemp = limit;
    a.EndTime = limitTime;
  }
  if (std::fabs(a.EndTime - limitTime) > 1.0) {
    const int id = method == AstmD2887A ? text::kFbpExceedsAstm
                   : method == Iso3924  ? text::kFbpExceedsIso
                                        : text::kFbpExceeds56720;
    engine.messages.AddError(engine.Text(id));
    a.EndTemp = limit;
    a.EndTime = limitTime;
  }
}

}  // namespace

void AreaNormalisation(CAnalysis& engine) {
  if (engine.Analyses.empty()) {
    engine.messages.AddError(engine.Text(text::kNoAnalyses));
    return;
  }
  const CalibCurve& curve = engine.calibration.curve;
  for (ChrmResult& a : engine.Analyses) {
    if (a.File == nullptr) continue;
    SubtractBlank(engine.Blank, a);
    const double last = a.StartTime + (static_cast<double>(a.Signal.size()) - 1) * a.Step;
    double limitTime = 0;
    if (!CalibLookup(curve, CalibAxis::Temp, FinalBoilingLimit(engine.Method), limitTime)) {
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
    BuildCurve(a, engine.Method, curve);
    double endTemp = a.EndTemp;
    if (CalibLookup(curve, CalibAxis::Time, a.EndTime, endTemp)) {
      a.EndTemp = endTemp;
      continue;
    }
    ApplyFinalBoilingRules(engine, a, limitTime);
  }
  engine.State = StateCurves;
}

void BoilingRangeAndFractions(CAnalysis& engine) {
  if (engine.State <= StateStarted) return;
  const double startMark = DecimalPrefix(engine.start_mark);
  const double stepMark = DecimalPrefix(engine.step_mark);
  const double h2s = DecimalPrefix(engine.H2SPercent);
  const double mercaptan = DecimalPrefix(engine.MercaptanPercent);
  const double water = DecimalPrefix(engine.WaterPercent);
  const CalibCurve& curve = engine.calibration.curve;
  const int32_t method = engine.Method;

  for (ChrmResult& a : engine.Analyses) {
    if (a.File == nullptr) continue;
    BuildPointTable(a, engine.StepPercent, engine.UseDefaultStep, method, curve);
    if (a.Ibp.time == -1.0) {
      engine.messages.AddError(engine.TextF(text::kIbpNotCovered, a.Number));
      engine.State = StateNotRun;
      return;
    }
    if (method == Iso3924 && a.Ibp.temp < 55.0) {
      engine.messages.AddWarning(engine.TextF(text::kIbpBelowIso, a.Number));
    }
    if (method == AstmD2887A && a.Ibp.temp < 55.5) {
      engine.messages.AddWarning(engine.TextF(text::kIbpBelowAstm, a.Number));
    }
    CutFractions(engine, a, startMark, stepMark);
    FractionAreas(a);
    ApplyFractionCorrections(engine, a, h2s, mercaptan, water);
  }

  AlignFractions(engine);
  CheckRepeatability(engine);
  FractionComposition(engine);
  ExtendCurves(engine);
  FillRepeatabilityTable(engine);
  FillFractionTable(engine);
}

}  // namespace p528
