#include "engine/iso3405.h"

#include "engine/analysis.h"
#include "engine/result_tables.h"
#include "engine/tables/iso3405_table.h"
#include "engine/texts/repeatability_texts.h"
#include "shell/text.h"

#include <cstddef>
#include <span>
#include <vector>

namespace p528 {

bool IsIso3405Value(double value) { return value != kIsoMissing; }

std::string Iso3405Label(const CAnalysis& engine, double percent) {
  if (percent == 0.5) return engine.Text(text::kLabelIbp);
  if (percent == 99.5) return engine.Text(text::kLabelFbp);
  return Format("%.1f", percent);
}

namespace {

// Simulated-distillation temperature at percent p; the last exact match wins.
double SimulatedTemperature(const CAnalysis& engine, double p) {
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

void CorrelateIso3405(CAnalysis& engine) {
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

void FillIso3405Table(CAnalysis& engine) {
  TableModel& table = engine.tables.iso3405;
  table.DeleteAllRows();
  const std::string missing = engine.Text(text::kCellMissing);
  for (const Iso3405Row& row : engine.Iso3405Rows) {
    const bool known = IsIso3405Value(row.tiso);
    table.AppendRow({"", Iso3405Label(engine, row.coeff->percent), known ? Format("%.2f", row.tiso) : missing,
                     known ? Format("%.2f", row.coeff->R) : missing});
  }
}

}  // namespace p528
