#include "engine/reference_check.h"

#include "engine/tables/repeatability_tables.h"

#include "engine/analysis.h"
#include "engine/calibration.h"
#include "engine/custom_reference.h"
#include "engine/distillation.h"
#include "engine/message_log.h"
#include "engine/result_tables.h"
#include "engine/sample_span.h"
#include "engine/tables/reference_tables.h"
#include "engine/texts/calibration_check_texts.h"
#include "engine/texts/reference_texts.h"
#include "shell/text.h"

#include <cmath>
#include <span>
#include <string>

namespace p528 {

namespace {

constexpr const char* kNoValue = "---";

// The certified temperature at p by the rule of the chosen reference.
double CertifiedTemperature(const CAnalysis& engine, const CustomReference& custom, double p) {
  return engine.RefType == Custom ? custom.TemperatureAt(p)
                                  : ReferenceTemperature(engine.Method, engine.RefType, p);
}

// R at p: the user-defined deviation whatever the method, else the method's rule.
double LimitAt(const CAnalysis& engine, const CustomReference& custom, double p, double mean) {
  if (engine.RefType == Custom) return custom.DeviationAt(p);
  switch (engine.Method) {
    case AstmD2887A: return ReproducibilityLimitAstm(p);
    case Iso3924: return ReproducibilityLimitIso3924(p, std::fabs(mean));
    case Gost56720A: return ReproducibilityLimit56720A(p, std::fabs(mean));
    default: return -1.0;
  }
}

// Head line of the exceeded-limit error, by the method. The methods without a built-in
// table reach here only with the user-defined reference: their head line names the percent
// and the user's reference, so the message never opens with an empty line.
std::string ExceededHead(const CAnalysis& engine, double p) {
  switch (engine.Method) {
    case AstmD2887A: return engine.TextF(text::kReferenceExceededAstm, p);
    case Iso3924: return engine.TextF(text::kReferenceExceededIso, p);
    case Gost56720A: return engine.TextF(text::kReferenceExceeded56720, p);
    default: return engine.TextF(text::kReferenceExceededCustom, p);
  }
}

// Reference run through the distillation primitives, in the reference order. False when
// its total area is not above 0 (the check then ends without a message).
bool ProcessReferenceRun(CAnalysis& engine) {
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
  BuildCurve(ref, engine.Method, curve);
  // Ibp, Fbp and LastPoint as for an analysis (method 0 under ASTM D 2887, 5 otherwise).
  // The step text is a local copy: a reference run never rewrites the user's percent step.
  std::string step;
  BuildPointTable(ref, step, 1, engine.Method == AstmD2887A ? AstmD2887A : Iso3924, curve);
  ref.PointTable.clear();
  for (double p : ReferencePercents(engine.Method)) ref.PointTable.push_back(PointAtPercent(ref, p, curve));
  return true;
}

void FillReferenceTable(CAnalysis& engine, const CustomReference& custom) {
  TableModel& list = engine.tables.reference;
  list.DeleteAllRows();
  const std::vector<DistPoint>& points = engine.Reference.PointTable;
  for (std::size_t i = 0; i < points.size() && i < engine.RefRows.size(); ++i) {
    const DistPoint& point = points[i];
    const RefCheckRow& row = engine.RefRows[i];
    const double p = point.percent;
    const double certified = CertifiedTemperature(engine, custom, p);
    std::string label = p == 0.5    ? engine.Text(text::kRefIbpLabel)
                        : p == 99.5 ? engine.Text(text::kRefFbpLabel)
                                    : Format("%.1f", p);
    std::string difference =
        row.meanTemp == -1.0 || !(certified > 0) ? kNoValue : Format("%.2f", row.difference);
    std::string conformity = row.R > 0 ? engine.Text(row.verdict == 1 ? text::kYes : text::kNo) : kNoValue;
    list.AppendRow({"", std::move(label), certified > 0 ? Format("%.2f", certified) : kNoValue,
                    Format("%.2f", point.temp), std::move(difference),
                    row.R > 0 ? Format("%.2f", row.R) : kNoValue, std::move(conformity)});
  }
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

void CheckReferenceSample(CAnalysis& engine) {
  ChrmResult& ref = engine.Reference;
  if (ref.File == nullptr) {
    engine.messages.AddWarning(engine.Text(text::kNoReferenceRun));
    return;
  }
  if (ref.File->channels.empty()) {
    engine.messages.AddWarning(engine.Text(text::kReferenceNoChannels));
    return;
  }
  if (!ProcessReferenceRun(engine)) return;
  CompareReferencePoints(engine, CustomReference::FromSettings(engine.shell));
}

void CompareReferencePoints(CAnalysis& engine, const CustomReference& custom) {
  const std::vector<DistPoint>& points = engine.Reference.PointTable;
  engine.RefRows.assign(points.size(), RefCheckRow{});
  for (std::size_t i = 0; i < points.size(); ++i) {
    const DistPoint& point = points[i];
    RefCheckRow& row = engine.RefRows[i];
    const double p = point.percent;
    const double certified = CertifiedTemperature(engine, custom, p);
    if (point.time == -1.0) {
      row.difference = -1.0;
      row.meanTemp = -1.0;
      engine.messages.AddError(engine.Text(text::kReferenceNotCovered));
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
    engine.messages.AddError(ExceededHead(engine, p) + engine.TextF(text::kReferenceLimitLine, row.R) +
                             engine.TextF(text::kReferenceDifferenceLine, row.difference));
  }
  FillReferenceTable(engine, custom);
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
