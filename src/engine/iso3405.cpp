#include "engine/iso3405.h"

#include "engine/calculation.h"
#include "engine/tables/iso3405_table.h"

#include <cstddef>
#include <span>
#include <vector>

namespace p528 {

bool IsIso3405Value(double value) { return value != kIsoMissing; }

namespace {

// Simulated-distillation temperature at percent p; the last exact match wins.
double SimulatedTemperature(const CalcResult& engine, double p) {
  double tsd = kIsoMissing;
  if (engine.Analyses.size() == 1) {
    for (const DistPoint& point : engine.Analyses[0].PointTable) {
      if (point.percent == p) tsd = point.temp;
    }
  } else {
    for (const RepeatRow& row : engine.RepeatRows) {
      if (row.percent == p) tsd = row.meanTemp;
    }
  }
  // -1 is "not determined" (outside the curve or the calibration), not a temperature: an
  // estimate taken from it would be a wrong number, so it is missing instead.
  return tsd == -1.0 ? kIsoMissing : tsd;
}

}  // namespace

void CorrelateIso3405(CalcResult& engine) {
  if (engine.Analyses.empty()) return;
  const std::span<const Iso3405Coeff> table = Iso3405Table();
  const std::size_t first = engine.Iso3405Rows.size();
  for (const Iso3405Coeff& coeff : table) {
    Iso3405Row row;
    row.coeff = &coeff;
    row.tsd = SimulatedTemperature(engine, coeff.percent);
    engine.Iso3405Rows.push_back(row);
  }

  const std::size_t count = table.size();
  for (std::size_t i = 0; i < count; ++i) {
    Iso3405Row& row = engine.Iso3405Rows[first + i];
    const Iso3405Coeff& c = *row.coeff;
    // The initial boiling point looks ahead, the final one back, the others both ways.
    std::size_t lo = i == 0 ? 0 : i - 1;
    if (c.percent <= 0.5) lo = i;
    if (c.percent >= 99.5) lo = i >= 2 ? i - 2 : 0;
    if (lo + 2 >= count) continue;
    const double t1 = engine.Iso3405Rows[first + lo].tsd;
    const double t2 = engine.Iso3405Rows[first + lo + 1].tsd;
    const double t3 = engine.Iso3405Rows[first + lo + 2].tsd;
    if (!IsIso3405Value(t1) || !IsIso3405Value(t2) || !IsIso3405Value(t3)) continue;
    row.tiso = c.c0 + c.c1 * t1 + c.c2 * t2 + c.c3 * t3;
  }
}

}  // namespace p528
