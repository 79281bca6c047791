#include "engine/reference_check.h"

#include "engine/tables/repeatability_tables.h"

#include "engine/calculation.h"
#include "engine/calibration.h"
#include "engine/distillation.h"
#include "engine/sample_span.h"
#include "engine/tables/reference_tables.h"
#include "engine/texts/reference_texts.h"
#include "shell/text.h"

#include <cmath>
#include <span>
#include <string>

namespace p528 {

namespace {

// R at p: the user-defined deviation whatever the method, else the method's rule.
double LimitAt(const CalcResult& engine, const ReferenceGasoil& custom, double p, double mean) {
  if (engine.settings.refType == Custom) return custom.DeviationAt(p);
  switch (engine.settings.method) {
    case AstmD2887A: return ReproducibilityLimitAstm(p);
    case Iso3924: return ReproducibilityLimitIso3924(p, std::fabs(mean));
    case Gost56720A: return ReproducibilityLimit56720A(p, std::fabs(mean));
    default: return -1.0;
  }
}

// Head line of the exceeded-limit error, by the method. The methods without a built-in
// table reach here only with the user-defined reference: their head line names the percent
// and the user's reference, so the message never opens with an empty line.
int ReferenceExceededHead(int32_t method) {
  switch (method) {
    case AstmD2887A: return text::kReferenceExceededAstm;
    case Iso3924: return text::kReferenceExceededIso;
    case Gost56720A: return text::kReferenceExceeded56720;
    default: return text::kReferenceExceededCustom;
  }
}

// Reference run through the distillation primitives, in the reference order. False when
// its total area is not above 0 (the check then ends without a message).
bool ProcessReferenceRun(CalcResult& engine) {
  ChrmResult& ref = engine.Reference;
  const CalibCurve& curve = engine.calibration.curve;
  SubtractBlank(engine.Blank, ref);
  ref.EndTime = ref.StartTime + (static_cast<double>(ref.Signal.size()) - 1) * ref.Step;
  // Both totals sum the same samples from the first: summed once.
  SampleSpan samples(ref);
  ref.TotalArea = samples.AreaFromStart(ref.EndTime);
  FindEndTime(ref);
  if (!(ref.TotalArea > 0)) return false;
  ref.TotalArea = samples.AreaFromStart(ref.EndTime);
  BuildCurve(ref, engine.settings.method, curve);
  // Ibp, Fbp and LastPoint as for an analysis (method 0 under ASTM D 2887, 5 otherwise).
  // The method's own step: a reference run never changes the user's percent step.
  BuildPointTable(ref, 0.0, 1, engine.settings.method == AstmD2887A ? AstmD2887A : Iso3924, curve);
  ref.PointTable.clear();
  for (double p : ReferencePercents(engine.settings.method))
    ref.PointTable.push_back(PointAtPercent(ref, p, curve));
  return true;
}

}  // namespace

std::vector<double> ReferencePercents(int32_t method) {
  std::vector<double> percents{0.5};
  if (method == AstmD2887A) {
    for (int k = 1; k <= 19; ++k) percents.push_back(k * 5.0);
  } else {
    for (double p : {5.0, 10.0, 15.0, 20.0, 30.0, 40.0, 50.0, 60.0, 70.0, 80.0, 90.0}) percents.push_back(p);
    if (method != Gost54291) percents.push_back(95.0);
  }
  percents.push_back(99.5);
  return percents;
}

void CheckReferenceSample(CalcResult& engine) {
  ChrmResult& ref = engine.Reference;
  if (ref.File == nullptr) {
    engine.AddWarning({{text::kNoReferenceRun}});
    return;
  }
  if (ref.File->channels.empty()) {
    engine.AddWarning({{text::kReferenceNoChannels}});
    return;
  }
  if (!ProcessReferenceRun(engine)) return;
  CompareReferencePoints(engine, engine.settings.customReference);
}

void CompareReferencePoints(CalcResult& engine, const ReferenceGasoil& custom) {
  const std::vector<DistPoint>& points = engine.Reference.PointTable;
  engine.RefRows.assign(points.size(), RefCheckRow{});
  for (std::size_t i = 0; i < points.size(); ++i) {
    const DistPoint& point = points[i];
    RefCheckRow& row = engine.RefRows[i];
    const double p = point.percent;
    const double certified = CertifiedTemperature(engine.settings.method, engine.settings.refType, custom, p);
    if (point.time == -1.0) {
      row.difference = -1.0;
      row.meanTemp = -1.0;
      engine.AddError({{text::kReferenceNotCovered}});
      continue;
    }
    row.difference = std::fabs(point.temp - certified);
    row.meanTemp = (point.temp + certified) / 2;
    if (!(certified > 0)) continue;  // not certified at p: not compared
    row.R = LimitAt(engine, custom, p, row.meanTemp);
    if (row.R < 0) continue;
    if (row.difference < row.R) {
      row.verdict = 1;
      continue;
    }
    // A difference equal to R fails too, and so does every point against an R of 0.
    row.verdict = 2;
    engine.AddError({{ReferenceExceededHead(engine.settings.method), {p}},
                     {text::kReferenceLimitLine, {row.R}},
                     {text::kReferenceDifferenceLine, {row.difference}}});
  }
}

double CertifiedTemperature(int32_t method, int32_t refType, const ReferenceGasoil& custom, double p) {
  return refType == Custom ? custom.TemperatureAt(p) : ReferenceTemperature(method, refType, p);
}

double ReferenceTemperature(int32_t method, int32_t refType, double percent) {
  std::span<const RefGasoilRow> table;
  if (method == AstmD2887A)
    table = RefTableAstm();
  else if (method == Gost56720A || method == Iso3924)
    table = RefTableGost();
  else
    return -1.0;
  if (refType != Lot1 && refType != Lot2) return -1.0;
  double result = -1.0;
  for (const RefGasoilRow& row : table) {
    if (row.percent != percent) continue;
    const double t = refType == Lot1 ? row.lot1 : row.lot2;
    result = t > 0 ? t : -1.0;
  }
  return result;
}

double ReproducibilityLimitAstm(double p) {
  if (p == 0.5) return 7.6;
  if (p == 5) return 3.8;
  if (p == 10) return 4.1;
  if (p == 15) return 4.5;
  if (p == 20) return 4.9;
  if (p == 30) return 4.7;
  if (p >= 40 && p <= 90) return 4.3;
  if (p == 95) return 5.0;
  if (p == 99.5) return 11.8;
  return -1.0;
}

double ReproducibilityLimitIso3924(double p, double T) {
  if (p == 0.5) return 0.066 * T;
  if (p == 5 || (p >= 10 && p <= 20)) return 0.015 * (T + 100);
  if (p >= 30 && p < 40) return 0.013 * (T + 100);
  if (p == 40 || (p >= 50 && p <= 90)) return 4.3;
  if (p == 95) return 5.0;
  if (p >= 99.5) return 11.8;
  return -1.0;
}

}  // namespace p528
