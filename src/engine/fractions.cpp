#include "engine/fractions.h"

#include "engine/calculation.h"
#include "engine/calibration.h"
#include "engine/distillation.h"
#include "engine/texts/fraction_texts.h"
#include "engine/texts/repeatability_texts.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace p528 {
namespace {

// The non-volatile residue always uses δ = 17 %, σr = 3 %, r = 8 %.
constexpr FractionLimit kResidueLimits{17.0, 3.0, 8.0};
// Critical range of three results = this factor × σr.
constexpr double kCriticalRangeFactor = 3.3;

double TimeToTemp(const CalcResult& engine, double time) {
  double temp = -1.0;
  CalibLookup(engine.calibration.curve, CalibAxis::Time, time, temp);
  return temp;
}

double TempToTime(const CalcResult& engine, double temp) {
  double time = -1.0;
  CalibLookup(engine.calibration.curve, CalibAxis::Temp, temp, time);
  return time;
}

// The component whose name (in the interface language's letters) equals the peak name of
// `record`, or null. Only a peak's record is named after a component: the fixed records and
// the temperature ranges have no component.
const ComponentRecord* FindComponent(const CalcResult& engine, const FractionRecord& record) {
  if (record.label.kind != FractionName::Peak) return nullptr;
  for (const ComponentRecord& component : engine.components) {
    const std::string& own = engine.settings.latinNames ? component.nameLatin : component.name;
    if (own == record.name) return &component;
  }
  return nullptr;
}

// Index range [first, last) of the early (named) records of an analysis.
std::size_t EarlyEnd(const ChrmResult& result) {
  if (result.NamedFractionCount <= 0) return std::min<std::size_t>(2, result.Fractions.size());
  return std::min(result.Fractions.size(), 2 + static_cast<std::size_t>(result.NamedFractionCount));
}

void SortEarlyRecords(ChrmResult& result) {
  const auto first = result.Fractions.begin() +
                     static_cast<std::ptrdiff_t>(std::min<std::size_t>(2, result.Fractions.size()));
  const auto last = result.Fractions.begin() + static_cast<std::ptrdiff_t>(EarlyEnd(result));
  std::stable_sort(first, last,
                   [](const FractionRecord& a, const FractionRecord& b) { return a.peakTime < b.peakTime; });
}

}  // namespace

FractionLimit FractionLimits(double x) {
  if (x >= 0.005 && x <= 0.1) return {51 - 126 * x, 10 - 31 * x, 28 - 87 * x};
  if (x > 0.1 && x <= 1) return {38, 7, 19};
  if (x > 1 && x <= 2) return {32, 6, 17};
  if (x > 2 && x <= 5) return {22, 4, 11};
  if (x > 5 && x <= 25) return {17, 3, 8};
  return {-1.0, -1.0, -1.0};
}

int32_t TemperatureFractionCount(double endTemp, double startMark, double stepMark) {
  const double d = endTemp - startMark;
  if (!(d > 0) || !(stepMark > 0)) return 0;
  const double quotient = d / stepMark;
  if (!(quotient <= kMaxTemperatureFractions)) return 0;
  int32_t k = static_cast<int32_t>(quotient);
  if (d - k * stepMark > 1.0) ++k;
  return k;
}

void CutFractions(CalcResult& engine, ChrmResult& result, double startMark, double stepMark) {
  result.Fractions.clear();
  result.NamedFractionCount = 0;
  result.StepFractionCount = 0;
  const double startTime = TempToTime(engine, startMark);

  // Peaks of every channel eluting before the start mark, in channel and table order.
  std::vector<const ChrmPeak*> early;
  if (result.File) {
    for (const ChrmChannel& channel : result.File->channels) {
      for (const ChrmPeak& peak : channel.peaks) {
        if (peak.time < startTime) early.push_back(&peak);
      }
    }
  }
  const ChrmPeak* firstFound = early.empty() ? nullptr : early.front();
  std::stable_sort(early.begin(), early.end(),
                   [](const ChrmPeak* a, const ChrmPeak* b) { return a->time < b->time; });

  const int32_t k = TemperatureFractionCount(result.EndTemp, startMark, stepMark);
  result.NamedFractionCount = static_cast<int32_t>(early.size());
  result.StepFractionCount = k;
  result.Fractions.reserve(2 + early.size() + static_cast<std::size_t>(k));

  FractionRecord start;
  start.label.kind = FractionName::Start;
  start.boundaryTime = result.StartTime;
  start.boundaryTemp = TimeToTemp(engine, result.StartTime);
  result.Fractions.push_back(start);

  FractionRecord unnamed;
  unnamed.label.kind = FractionName::Unnamed;
  if (firstFound) {
    unnamed.boundaryTime = firstFound->front;
    unnamed.boundaryTemp = TimeToTemp(engine, firstFound->front);
  } else {
    unnamed.boundaryTime = startTime;
    unnamed.boundaryTemp = startMark;
  }
  result.Fractions.push_back(unnamed);

  // Early records: each ends at the lowest signal between its peak and the next one
  // (earliest point on equal values); the last one at the back of its peak.
  const std::size_t points = result.Signal.size();
  for (std::size_t e = 0; e < early.size(); ++e) {
    FractionRecord record;
    record.name = early[e]->name;
    record.peakTime = early[e]->time;
    if (e + 1 < early.size()) {
      const std::size_t from = SampleIndex(early[e]->time, result.StartTime, result.Step) + 1;
      const std::size_t to = SampleIndex(early[e + 1]->time, result.StartTime, result.Step);
      std::size_t best = from;
      for (std::size_t j = from; j <= to && j < points; ++j) {
        if (result.Signal[j] < result.Signal[best]) best = j;
      }
      record.boundaryTime = result.StartTime + static_cast<double>(best) * result.Step;
      record.boundarySignal = best < points ? result.Signal[best] : -1.0;
    } else {
      record.boundaryTime = early[e]->back;
      record.boundarySignal = SignalAt(result, early[e]->back);
    }
    record.boundaryTemp = TimeToTemp(engine, record.boundaryTime);
    result.Fractions.push_back(record);
  }

  // Temperature fractions: each starts where the record before it ends; the last one ends
  // at the end of elution.
  for (int32_t j = 0; j < k; ++j) {
    FractionRecord record;
    const double lower = result.Fractions.back().boundaryTemp;
    const double upper = j + 1 == k ? result.EndTemp : startMark + (j + 1) * stepMark;
    record.label = FractionName{FractionName::Range, lower, upper};
    record.boundaryTemp = upper;
    record.boundaryTime = TempToTime(engine, upper);
    result.Fractions.push_back(record);
  }
}

void AlignFractions(CalcResult& engine) {
  std::vector<ChrmResult>& analyses = engine.Analyses;
  if (analyses.size() < 2) return;
  static constexpr std::size_t kPairs[][2] = {{0, 1}, {1, 0}, {0, 2}, {2, 0}, {1, 2}, {2, 1}};
  for (const auto& pair : kPairs) {
    if (pair[0] >= analyses.size() || pair[1] >= analyses.size()) continue;
    const ChrmResult& from = analyses[pair[0]];
    ChrmResult& to = analyses[pair[1]];
    if (!from.File || !to.File) continue;
    // A run whose fractions were not cut (an analysis without a paired internal-standard
    // run) has no list to insert into.
    if (to.Fractions.size() < 2) continue;
    const auto toFirst = to.Fractions.begin() + 2;
    const auto toLast = to.Fractions.begin() + static_cast<std::ptrdiff_t>(EarlyEnd(to));
    std::vector<FractionRecord> missing;
    for (std::size_t j = 2; j < EarlyEnd(from); ++j) {
      const std::string& name = from.Fractions[j].name;
      const bool present =
          std::any_of(toFirst, toLast, [&](const FractionRecord& r) { return r.name == name; });
      if (present) continue;
      // A placeholder: the component was not seen in this run. It keeps area -1, so it
      // stays out of the weighted sum and its percents stay -1 (shown "---").
      FractionRecord placeholder;
      placeholder.name = name;
      placeholder.label = from.Fractions[j].label;
      placeholder.peakTime = from.Fractions[j].peakTime;
      missing.push_back(placeholder);
    }
    if (missing.empty()) continue;
    to.Fractions.insert(to.Fractions.begin() + 2, missing.begin(), missing.end());
    // The inserted records are early records: the count grows with them so that the early
    // range (and the sort below) covers them.
    to.NamedFractionCount = std::max(0, to.NamedFractionCount) + static_cast<int32_t>(missing.size());
    SortEarlyRecords(to);
  }
}

void ApplyFractionCorrections(CalcResult& engine, ChrmResult& result, double h2s, double mercaptan,
                              double water) {
  std::vector<FractionRecord>& records = result.Fractions;
  result.FractionTotal = 0;
  if (records.size() >= 2) {
    // Weighted sum of the areas. A placeholder inserted by the alignment (area -1, not
    // observed in this run) is left out and keeps -1 as its percents.
    double weightedSum = 0;
    for (std::size_t j = 1; j < records.size(); ++j) {
      FractionRecord& record = records[j];
      if (record.area < 0) continue;
      const ComponentRecord* component = FindComponent(engine, record);
      record.factor = component ? component->responseFactor : 1.0;
      record.weightedArea = record.area * record.factor;
      weightedSum += record.weightedArea;
    }
    // Without any weighted area there are no percents to give (they stay -1).
    if (weightedSum != 0) {
      for (std::size_t j = 1; j < records.size(); ++j) {
        FractionRecord& record = records[j];
        if (record.area < 0) continue;
        record.massPercent = record.area * record.factor * 100 / weightedSum;
        record.residuePercent =
            result.Residue >= 0 ? record.massPercent * (100 - result.Residue) / 100 : record.massPercent;
        record.correctedPercent = record.residuePercent * (100 - h2s - mercaptan - water) / 100;
        result.FractionTotal += record.correctedPercent;
      }
    }
  }
  if (result.Residue >= 0) result.FractionTotal += result.Residue;

  // Components without response (factor not above 0) are not reported.
  for (std::size_t j = 2; j < EarlyEnd(result);) {
    const ComponentRecord* component = FindComponent(engine, records[j]);
    if (component && component->responseFactor <= 0) {
      records.erase(records.begin() + static_cast<std::ptrdiff_t>(j));
      --result.NamedFractionCount;
    } else {
      ++j;
    }
  }
}

namespace {

// The name of a record as a finding's argument: a peak's own name, else its label.
FindingArg NameOf(const FractionRecord& record) {
  if (record.label.kind == FractionName::Peak) return record.name;
  return record.label;
}

// Reported concentration of record i; the record "без имени" (i = 1) counts as 0 up to
// 0.001 %.
double Concentration(const ChrmResult& analysis, std::size_t i) {
  const double x = analysis.Fractions[i].correctedPercent;
  return i == 1 && x <= 0.001 ? 0.0 : x;
}

void CompareTwo(CalcResult& engine) {
  const ChrmResult& a1 = engine.Analyses[0];
  const ChrmResult& a2 = engine.Analyses[1];
  const bool gost = IsGostMethod(engine.settings.method);
  const std::size_t m = std::min(a1.Fractions.size(), a2.Fractions.size());
  if (a1.Fractions.size() != a2.Fractions.size()) {
    engine.AddWarning({{text::kFractionCountsDiffer}});
  }
  engine.FractionRows.assign(m, FractionSummary{});
  for (std::size_t i = 1; i < m; ++i) {
    const double x1 = Concentration(a1, i);
    const double x2 = Concentration(a2, i);
    if (x1 <= 0 || x2 <= 0) continue;
    FractionSummary& row = engine.FractionRows[i];
    const FindingArg name = NameOf(a1.Fractions[i]);
    row.mean = (x1 + x2) / 2;
    engine.FractionMeanTotal += row.mean;
    if (gost && row.mean <= 0.005) {
      engine.AddWarning({{text::kFractionSmallMean2, {name}}});
      continue;
    }
    const FractionLimit limit = FractionLimits(row.mean);
    row.difference = std::fabs(x1 - x2) * 2 * 100 / (x1 + x2);
    row.name = a1.Fractions[i].name;
    row.label = a1.Fractions[i].label;
    row.r = limit.r;
    if (!gost) continue;
    if (limit.delta >= 0) row.accuracy = limit.delta * 0.01 * row.mean;
    // Above 25 % the standard gives no limit: the fraction is not judged (a limit of -1
    // would report every such fraction as failing).
    if (limit.r < 0) continue;
    if (row.r >= row.difference) {
      row.verdict = 1;
    } else {
      row.verdict = 0;
      engine.AddError({{text::kFractionFailed2, {name, row.r, row.difference}}});
    }
  }

  FractionSummary& residue = engine.ResidueSummary;
  const double r1 = a1.Residue;
  const double r2 = a2.Residue;
  residue.label.kind = FractionName::Residue;
  residue.mean = (r1 + r2) / 2;
  // Two equal residues of 0 differ by nothing (the relative formula would divide 0 by 0).
  residue.difference = r1 + r2 == 0 ? 0.0 : std::fabs(r1 - r2) * 2 * 100 / (r1 + r2);
  if (residue.mean > 0) engine.FractionMeanTotal += residue.mean;
  if (engine.settings.method != Gost56720B) return;
  residue.r = kResidueLimits.r;
  residue.accuracy = kResidueLimits.delta * 0.01 * residue.mean;
  if (residue.r >= residue.difference) {
    residue.verdict = 1;
  } else {
    residue.verdict = 0;
    engine.AddError({{text::kResidueFailed56720B2, {residue.r}}});
  }
}

void CompareThree(CalcResult& engine) {
  const ChrmResult& a1 = engine.Analyses[0];
  const ChrmResult& a2 = engine.Analyses[1];
  const ChrmResult& a3 = engine.Analyses[2];
  const std::size_t m = std::min({a1.Fractions.size(), a2.Fractions.size(), a3.Fractions.size()});
  engine.FractionRows.assign(m, FractionSummary{});
  for (std::size_t i = 1; i < m; ++i) {
    const double x1 = Concentration(a1, i);
    const double x2 = Concentration(a2, i);
    const double x3 = Concentration(a3, i);
    if (x1 <= 0 || x2 <= 0 || x3 <= 0) continue;
    FractionSummary& row = engine.FractionRows[i];
    const FindingArg name = NameOf(a1.Fractions[i]);
    row.mean = (x1 + x2 + x3) / 3;
    engine.FractionMeanTotal += row.mean;
    if (row.mean <= 0.005) {
      engine.AddWarning({{text::kFractionSmallMean3, {name}}});
      continue;
    }
    const FractionLimit limit = FractionLimits(row.mean);
    row.name = a1.Fractions[i].name;
    row.label = a1.Fractions[i].label;
    row.sigmaR = limit.sigmaR;
    row.criticalRange = kCriticalRangeFactor * limit.sigmaR;
    row.difference = (std::max({x1, x2, x3}) - std::min({x1, x2, x3})) * 3 * 100 / (x1 + x2 + x3);
    if (limit.delta >= 0) row.accuracy = limit.delta * 0.01 * row.mean;
    if (limit.sigmaR < 0) {  // above 25 %: no limit, not judged
      row.criticalRange = -1.0;
      continue;
    }
    if (row.criticalRange >= row.difference) {
      row.verdict = 1;
    } else {
      row.verdict = 0;
      engine.AddError({{text::kFractionFailed3, {name, row.criticalRange, row.difference}}});
    }
  }

  FractionSummary& residue = engine.ResidueSummary;
  const double r1 = a1.Residue;
  const double r2 = a2.Residue;
  const double r3 = a3.Residue;
  residue.label.kind = FractionName::Residue;
  residue.mean = (r1 + r2 + r3) / 3;
  if (residue.mean > 0) engine.FractionMeanTotal += residue.mean;
  if (engine.settings.method != Gost56720B) return;
  residue.sigmaR = kResidueLimits.sigmaR;
  residue.criticalRange = kCriticalRangeFactor * kResidueLimits.sigmaR;
  residue.accuracy = kResidueLimits.delta * 0.01 * residue.mean;
  const double sum = r1 + r2 + r3;
  residue.difference = sum == 0 ? 0.0 : (std::max({r1, r2, r3}) - std::min({r1, r2, r3})) * 3 * 100 / sum;
  if (residue.criticalRange >= residue.difference) {
    residue.verdict = 1;
  } else {
    residue.verdict = 0;
    engine.AddError({{text::kResidueFailed56720B3, {residue.criticalRange, residue.difference}}});
  }
}

}  // namespace

std::size_t CalculatedAnalyses(const CalcResult& engine) {
  if (IsInternalStandard(engine.settings.method))
    return std::min(engine.Analyses.size(), engine.StdRuns.size());
  return engine.Analyses.size();
}

void FractionComposition(CalcResult& engine) {
  const std::size_t n = CalculatedAnalyses(engine);
  if (n < 2 || n > 3) return;
  engine.FractionMeanTotal = 0;
  if (n == 2) {
    CompareTwo(engine);
  } else if (IsGostMethod(engine.settings.method)) {
    CompareThree(engine);
  }
}

}  // namespace p528
