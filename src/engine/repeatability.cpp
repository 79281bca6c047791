#include "engine/repeatability.h"

#include "engine/calculation.h"
#include "engine/fractions.h"
#include "engine/reference_check.h"
#include "engine/tables/repeatability_tables.h"
#include "engine/texts/repeatability_texts.h"
#include "shell/text.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace p528 {
namespace {

bool Determined(const DistPoint& point) { return point.time != -1.0; }

// Mean temperature at point i: analyses 1 and 2, with three analyses analysis 3 too. With
// three analyses the mean stays -1 when analysis 3 has no point i, and also when its point
// i lies outside the curve or the calibration (time -1): its temperature of -1 would give a
// mean a third too low, shown as "Тср" and taken by the ISO 3405 estimates.
double MeanTemperature(const std::vector<ChrmResult>& analyses, std::size_t i) {
  const double t1 = analyses[0].PointTable[i].temp;
  const double t2 = analyses[1].PointTable[i].temp;
  if (analyses.size() == 2) return (t1 + t2) / 2;
  const std::vector<DistPoint>& third = analyses[2].PointTable;
  if (i < third.size() && Determined(third[i])) return (t1 + t2 + third[i].temp) / 3;
  return -1.0;
}

std::size_t CommonPointCount(const CalcResult& engine) {
  return std::min(engine.Analyses[0].PointTable.size(), engine.Analyses[1].PointTable.size());
}

// Head line of the exceeded-limit message of the area-normalisation methods.
int RepeatabilityExceededHead(int32_t method) {
  if (method == Iso3924) return text::kRepeatExceededIso;
  if (method == Gost56720A) return text::kRepeatExceeded56720A;
  return text::kRepeatExceededAstm;
}

}  // namespace

void CheckRepeatability(CalcResult& engine) {
  if (engine.Analyses.size() < 2) return;
  const std::vector<DistPoint>& a1 = engine.Analyses[0].PointTable;
  const std::vector<DistPoint>& a2 = engine.Analyses[1].PointTable;
  engine.RepeatRows.assign(CommonPointCount(engine), RepeatRow{});
  for (std::size_t i = 0; i < engine.RepeatRows.size(); ++i) {
    // Point lists that disagree in percent cannot be compared from here on.
    if (a1[i].percent != a2[i].percent) return;
    RepeatRow& row = engine.RepeatRows[i];
    const double p = a1[i].percent;
    row.percent = p;
    if (!Determined(a1[i]) || !Determined(a2[i])) {
      row.difference = -1.0;
      row.meanTemp = -1.0;
      engine.AddError({{text::kRepeatNotCovered}});
      continue;
    }
    row.difference = std::fabs(a1[i].temp - a2[i].temp);
    row.meanTemp = MeanTemperature(engine.Analyses, i);
    const double T = std::fabs(row.meanTemp);
    if (engine.settings.method == Gost56720A) {
      row.r = RepeatabilityLimit56720A(p, T);
      row.R = ReproducibilityLimit56720A(p, T);
    } else {
      row.r = RepeatabilityLimitAstm(p, T);
      row.R = ReproducibilityLimitIso3924(p, T);
    }
    // Within the limit only when the difference is strictly below r.
    if (row.r > row.difference) {
      row.verdict = 1;
    } else if (row.r >= 0) {
      row.verdict = 2;
      engine.AddError({{RepeatabilityExceededHead(engine.settings.method), {p}},
                       {text::kRepeatLimitLine, {row.r}},
                       {text::kRepeatDifferenceLine, {row.difference}}});
    }
  }
}

namespace {

// The internal-standard methods compare rounded differences: rows for the points both
// analyses share, points outside either curve silent and not judged; `judge` then decides
// row i from the two points.
template <typename Judge>
void CompareRounded(CalcResult& engine, Judge judge) {
  if (engine.Analyses.size() < 2) return;
  const std::vector<DistPoint>& a1 = engine.Analyses[0].PointTable;
  const std::vector<DistPoint>& a2 = engine.Analyses[1].PointTable;
  engine.RepeatRows.assign(CommonPointCount(engine), RepeatRow{});
  for (std::size_t i = 0; i < engine.RepeatRows.size(); ++i) {
    RepeatRow& row = engine.RepeatRows[i];
    if (!Determined(a1[i]) || !Determined(a2[i])) continue;
    row.difference = RoundTemperatureDifference(std::fabs(a1[i].temp - a2[i].temp));
    row.meanTemp = MeanTemperature(engine.Analyses, i);
    judge(row, a1[i], a2[i]);
  }
}

}  // namespace

void CheckRepeatability56720B(CalcResult& engine) {
  CompareRounded(engine, [&engine](RepeatRow& row, const DistPoint& p1, const DistPoint& p2) {
    // The rounded difference passes when it equals the limit.
    for (const LimitRow56720B& limit : LimitTable56720B()) {
      if (limit.percent != p1.percent || limit.percent != p2.percent) continue;
      if (limit.limit >= row.difference) {
        row.verdict = 1;
      } else {
        row.verdict = 2;
        engine.AddError({{text::kRepeatFailed56720B, {limit.percent, limit.limit, row.difference}}});
      }
    }
  });
}

void CheckRepeatability54291(CalcResult& engine) {
  CompareRounded(engine, [&engine](RepeatRow& row, const DistPoint& p1, const DistPoint& p2) {
    if (p1.percent != p2.percent) return;
    const double p = p1.percent;
    row.R = RepeatabilityLimit54291(p);  // stored even when there is none (-1)
    if (row.R <= 0) return;
    if (row.R >= row.difference) {
      row.verdict2 = 1;
    } else {
      row.verdict2 = 2;
      engine.AddError({{text::kRepeatFailed54291, {p, row.R, row.difference}}});
    }
  });
}

ResidueComparison54291 CompareResidues54291(const CalcResult& engine) {
  ResidueComparison54291 c;
  const std::vector<ChrmResult>& analyses = engine.Analyses;
  c.calculated = CalculatedAnalyses(engine);
  for (std::size_t k = 0; k < analyses.size() && k < c.calculated; ++k) c.sum += analyses[k].Residue;
  c.compared = analyses.size() >= 2 && c.calculated >= 2;
  if (!c.compared) return c;
  c.difference = std::fabs(analyses[0].Residue - analyses[1].Residue);
  c.limit = RepeatabilityLimit54291(-1);
  c.conforms = c.limit >= c.difference;
  return c;
}

void CheckResidue54291(CalcResult& engine) {
  const ResidueComparison54291 c = CompareResidues54291(engine);
  if (c.compared && !c.conforms) engine.AddError({{text::kResidueFailed54291, {c.limit, c.difference}}});
}

}  // namespace p528
