#include "engine/repeatability.h"

#include "engine/analysis.h"
#include "engine/fractions.h"
#include "engine/message_log.h"
#include "engine/reference_check.h"
#include "engine/result_tables.h"
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

std::size_t CommonPointCount(const CAnalysis& engine) {
  return std::min(engine.Analyses[0].PointTable.size(), engine.Analyses[1].PointTable.size());
}

// Head line of the exceeded-limit message of the area-normalisation methods.
int ExceededHead(int32_t method) {
  if (method == Iso3924) return text::kRepeatExceededIso;
  if (method == Gost56720A) return text::kRepeatExceeded56720A;
  return text::kRepeatExceededAstm;
}

}  // namespace

void CheckRepeatability(CAnalysis& engine) {
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
      engine.messages.AddError(engine.Text(text::kRepeatNotCovered));
      continue;
    }
    row.difference = std::fabs(a1[i].temp - a2[i].temp);
    row.meanTemp = MeanTemperature(engine.Analyses, i);
    const double T = std::fabs(row.meanTemp);
    if (engine.Method == Gost56720A) {
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
      engine.messages.AddError(engine.TextF(ExceededHead(engine.Method), p) +
                               engine.TextF(text::kRepeatLimitLine, row.r) +
                               engine.TextF(text::kRepeatDifferenceLine, row.difference));
    }
  }
}

namespace {

// The internal-standard methods compare rounded differences: rows for the points both
// analyses share, points outside either curve silent and not judged; `judge` then decides
// row i from the two points.
template <typename Judge>
void CompareRounded(CAnalysis& engine, Judge judge) {
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

void CheckRepeatability56720B(CAnalysis& engine) {
  CompareRounded(engine, [&engine](RepeatRow& row, const DistPoint& p1, const DistPoint& p2) {
    // The rounded difference passes when it equals the limit.
    for (const LimitRow56720B& limit : LimitTable56720B()) {
      if (limit.percent != p1.percent || limit.percent != p2.percent) continue;
      if (limit.limit >= row.difference) {
        row.verdict = 1;
      } else {
        row.verdict = 2;
        engine.messages.AddError(
            engine.TextF(text::kRepeatFailed56720B, limit.percent, limit.limit, row.difference));
      }
    }
  });
}

void CheckRepeatability54291(CAnalysis& engine) {
  CompareRounded(engine, [&engine](RepeatRow& row, const DistPoint& p1, const DistPoint& p2) {
    if (p1.percent != p2.percent) return;
    const double p = p1.percent;
    row.R = RepeatabilityLimit54291(p);  // stored even when there is none (-1)
    if (row.R <= 0) return;
    if (row.R >= row.difference) {
      row.verdict2 = 1;
    } else {
      row.verdict2 = 2;
      engine.messages.AddError(engine.TextF(text::kRepeatFailed54291, p, row.R, row.difference));
    }
  });
}

// ---------------------------------------------------------------------------------------
// The "Доля отгона" table.

namespace {

enum class Layout { AreaNormalisation, Gost56720B, Gost54291 };

// Cells of one table row: column 0 (hidden) empty, the label in column 1.
using Cells = std::vector<std::string>;

struct TableWriter {
  CAnalysis& engine;
  Layout layout;
  std::size_t shown;   // analyses with a temperature column
  const char* format;  // "%.2f" or "%.1f"

  std::string Number(double value) const { return Format(format, value); }
  std::string Missing() const { return engine.Text(text::kCellMissing); }
  std::string Verdict(int32_t verdict) const {
    return engine.Text(verdict == 1 ? text::kCellYes : text::kCellNo);
  }

  std::string Label(double percent) const {
    if (percent == 0.5) return engine.Text(text::kLabelIbp);
    if (percent == 99.5 && layout == Layout::AreaNormalisation) return engine.Text(text::kLabelFbp);
    return Format("%.1f", percent);
  }

  // A temperature of analysis k at point i; "---" when there is no such point or it lies
  // outside the curve or the calibration.
  std::string Temperature(std::size_t k, std::size_t i) const {
    const std::vector<DistPoint>& points = engine.Analyses[k].PointTable;
    if (i >= points.size()) return Missing();
    const DistPoint& point = points[i];
    const bool known = layout == Layout::AreaNormalisation ? point.time != -1.0 : point.temp != -1.0;
    return known ? Number(point.temp) : Missing();
  }

  // The method B table row of point i (the row judged by the check), or null.
  const LimitRow56720B* LimitRowB(std::size_t i) const {
    const double p = engine.Analyses[0].PointTable[i].percent;
    const LimitRow56720B* found = nullptr;
    for (const LimitRow56720B& limit : LimitTable56720B()) {
      if (limit.percent == p) found = &limit;
    }
    return found;
  }

  // Mean, (±Δ,) difference, limit and conformity of repeatability row i.
  void AppendComparison(Cells& cells, std::size_t i) const {
    const RepeatRow& row = engine.RepeatRows[i];
    const std::size_t columns = static_cast<std::size_t>(engine.tables.repeatability.ColumnCount());
    if (row.meanTemp == -1.0) {
      cells.resize(std::max(columns, cells.size()), Missing());
      return;
    }
    const int32_t verdict = layout == Layout::Gost54291 ? row.verdict2 : row.verdict;
    const bool judged = verdict != 0 && row.difference != -1.0;
    cells.push_back(Number(row.meanTemp));
    const LimitRow56720B* limitB = layout == Layout::Gost56720B ? LimitRowB(i) : nullptr;
    if (layout == Layout::Gost56720B) {
      cells.push_back(judged && limitB ? Number(limitB->delta) : Missing());
    }
    cells.push_back(Number(row.difference));
    if (!judged) {
      cells.push_back(Missing());
      cells.push_back(Missing());
      return;
    }
    double limit = row.r;
    if (layout == Layout::Gost56720B) limit = limitB ? limitB->limit : -1.0;
    if (layout == Layout::Gost54291) limit = row.R;
    cells.push_back(Number(limit));
    cells.push_back(Verdict(verdict));
  }
};

Layout LayoutOf(int32_t method) {
  if (method == Gost56720B) return Layout::Gost56720B;
  if (method == Gost54291) return Layout::Gost54291;
  return Layout::AreaNormalisation;
}

// Columns 3 on: temperatures of the analyses after the first, then the method's columns.
void InsertColumns(const TableWriter& w) {
  TableModel& table = w.engine.tables.repeatability;
  const CAnalysis& e = w.engine;
  int column = 3;
  auto insert = [&](std::string caption, int width) {
    table.InsertColumn(column++, std::move(caption), width);
  };
  if (w.shown >= 2) insert(e.Text(text::kCaptionT2), 95);
  if (w.shown >= 3) insert(e.Text(text::kCaptionT3), 95);
  insert(e.Text(text::kCaptionMeanTemp), w.layout == Layout::Gost54291 ? 105 : 75);
  if (w.layout == Layout::Gost56720B) insert(e.Text(text::kCaptionDelta), 50);
  insert(e.Text(text::kCaptionDifference), 100);
  insert(e.Text(text::kCaptionNorm), w.layout == Layout::Gost54291 ? 110 : 80);
  insert(e.Text(text::kCaptionConformity), 90);
}

// "Посл. доля": the last point of each analysis, "%.1f (%.1f%%)" (temperature, percent).
void AppendLastPointRow(const TableWriter& w) {
  Cells cells{"", w.engine.Text(text::kLabelLastPoint)};
  for (std::size_t k = 0; k < w.shown; ++k) {
    const DistPoint& last = w.engine.Analyses[k].LastPoint;
    cells.push_back(last.percent == -1.0 ? w.Missing() : Format("%.1f (%.1f%%)", last.temp, last.percent));
  }
  w.engine.tables.repeatability.AppendRow(std::move(cells));
}

// GOST R 54291: an empty row, the residue heading and the residue row. With two or more
// analyses the residues of analyses 1 and 2 are judged here, so the message comes once per
// calculation run.
void AppendResidueRows(const TableWriter& w) {
  CAnalysis& e = w.engine;
  TableModel& table = e.tables.repeatability;
  const std::size_t n = e.Analyses.size();
  table.AppendRow({});
  Cells heading{"", e.Text(text::kResidueHeadName)};
  for (std::size_t k = 0; k < n && k < 3; ++k)
    heading.push_back(e.Text(text::kResidueHeadConc1 + static_cast<int>(k)));
  heading.push_back(e.Text(text::kResidueHeadMean));
  heading.push_back(e.Text(text::kResidueHeadDiff));
  heading.push_back(e.Text(text::kResidueHeadNorm));
  heading.push_back(e.Text(text::kCaptionConformity));
  table.AppendRow(std::move(heading));

  // Only the analyses paired with an internal-standard run have a residue: the others keep
  // -1, which would enter the mean and the comparison as a residue of -1 %.
  const std::size_t calculated = CalculatedAnalyses(e);
  Cells residue{"", e.Text(text::kResidueName)};
  double sum = 0;
  for (std::size_t k = 0; k < n; ++k) {
    residue.push_back(k < calculated ? Format("%.3f", e.Analyses[k].Residue) : w.Missing());
    if (k < calculated) sum += e.Analyses[k].Residue;
  }
  if (n >= 2 && calculated < 2) {
    residue.resize(residue.size() + 4, w.Missing());
  } else if (n >= 2) {
    const double difference = std::fabs(e.Analyses[0].Residue - e.Analyses[1].Residue);
    const double limit = RepeatabilityLimit54291(-1);
    const bool conforms = limit >= difference;
    residue.push_back(Format("%.3f", sum / static_cast<double>(calculated)));
    residue.push_back(Format("%.3f", difference));
    residue.push_back(Format("%.1f", limit));
    residue.push_back(w.Verdict(conforms ? 1 : 2));
    if (!conforms) {
      e.messages.AddError(e.TextF(text::kResidueFailed54291, limit, difference));
    }
  }
  table.AppendRow(std::move(residue));
}

}  // namespace

void FillRepeatabilityTable(CAnalysis& engine) {
  const Layout layout = LayoutOf(engine.Method);
  const std::size_t n = engine.Analyses.size();
  const TableWriter w{
      engine, layout,
      layout == Layout::AreaNormalisation ? std::min<std::size_t>(n, 2) : std::min<std::size_t>(n, 3),
      layout == Layout::AreaNormalisation ? "%.2f" : "%.1f"};
  TableModel& table = engine.tables.repeatability;
  table.DeleteAllRows();
  table.DeleteColumns(3, 9);
  InsertColumns(w);

  // One row per point of the shown analysis with the most points.
  std::size_t longest = 0;
  for (std::size_t k = 1; k < w.shown; ++k) {
    if (engine.Analyses[k].PointTable.size() > engine.Analyses[longest].PointTable.size()) longest = k;
  }
  const std::size_t rows = w.shown > 0 ? engine.Analyses[longest].PointTable.size() : 0;
  for (std::size_t i = 0; i < rows; ++i) {
    Cells cells{"", w.Label(engine.Analyses[longest].PointTable[i].percent)};
    for (std::size_t k = 0; k < w.shown; ++k) cells.push_back(w.Temperature(k, i));
    if (i < engine.RepeatRows.size()) w.AppendComparison(cells, i);
    table.AppendRow(std::move(cells));
  }

  if (layout != Layout::AreaNormalisation) AppendLastPointRow(w);
  if (layout == Layout::Gost54291) AppendResidueRows(w);
}

}  // namespace p528
