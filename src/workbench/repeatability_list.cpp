// The "Доля отгона" list: the point tables of the analyses and their comparison as the
// page and the report show them, in the layout of the method calculated.
#include "workbench/result_lists.h"

#include "engine/calculation.h"
#include "engine/fractions.h"
#include "engine/repeatability.h"
#include "engine/tables/repeatability_tables.h"
#include "engine/texts/repeatability_texts.h"
#include "shell/shell.h"
#include "shell/text.h"

#include <algorithm>
#include <string>
#include <vector>

namespace p528 {

namespace {

enum class Layout { AreaNormalisation, Gost56720B, Gost54291 };

// Cells of one table row: column 0 (hidden) empty, the label in column 1.
using Cells = std::vector<std::string>;

struct TableWriter {
  const CalcResult& engine;
  const Shell& shell;
  TableModel& table;
  Layout layout;
  std::size_t shown;   // analyses with a temperature column
  const char* format;  // "%.2f" or "%.1f"

  std::string Number(double value) const { return Format(format, value); }
  std::string Missing() const { return shell.Str(text::kCellMissing); }
  std::string Verdict(int32_t verdict) const {
    return shell.Str(verdict == 1 ? text::kCellYes : text::kCellNo);
  }

  std::string Label(double percent) const {
    if (percent == 0.5) return shell.Str(text::kLabelIbp);
    if (percent == 99.5 && layout == Layout::AreaNormalisation) return shell.Str(text::kLabelFbp);
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
    const std::size_t columns = static_cast<std::size_t>(table.ColumnCount());
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
  TableModel& table = w.table;
  int column = 3;
  auto insert = [&](std::string caption, int width) {
    table.InsertColumn(column++, std::move(caption), width);
  };
  if (w.shown >= 2) insert(w.shell.Str(text::kCaptionT2), 95);
  if (w.shown >= 3) insert(w.shell.Str(text::kCaptionT3), 95);
  insert(w.shell.Str(text::kCaptionMeanTemp), w.layout == Layout::Gost54291 ? 105 : 75);
  if (w.layout == Layout::Gost56720B) insert(w.shell.Str(text::kCaptionDelta), 50);
  insert(w.shell.Str(text::kCaptionDifference), 100);
  insert(w.shell.Str(text::kCaptionNorm), w.layout == Layout::Gost54291 ? 110 : 80);
  insert(w.shell.Str(text::kCaptionConformity), 90);
}

// "Посл. доля": the last point of each analysis, "%.1f (%.1f%%)" (temperature, percent).
void AppendLastPointRow(const TableWriter& w) {
  Cells cells{"", w.shell.Str(text::kLabelLastPoint)};
  for (std::size_t k = 0; k < w.shown; ++k) {
    const DistPoint& last = w.engine.Analyses[k].LastPoint;
    cells.push_back(last.percent == -1.0 ? w.Missing() : Format("%.1f (%.1f%%)", last.temp, last.percent));
  }
  w.table.AppendRow(std::move(cells));
}

// GOST R 54291: an empty row, the residue heading and the residue row with the residue
// comparison of the calculation.
void AppendResidueRows(const TableWriter& w) {
  const CalcResult& e = w.engine;
  TableModel& table = w.table;
  const std::size_t n = e.Analyses.size();
  table.AppendRow({});
  Cells heading{"", w.shell.Str(text::kResidueHeadName)};
  for (std::size_t k = 0; k < n && k < 3; ++k)
    heading.push_back(w.shell.Str(text::kResidueHeadConc1 + static_cast<int>(k)));
  heading.push_back(w.shell.Str(text::kResidueHeadMean));
  heading.push_back(w.shell.Str(text::kResidueHeadDiff));
  heading.push_back(w.shell.Str(text::kResidueHeadNorm));
  heading.push_back(w.shell.Str(text::kCaptionConformity));
  table.AppendRow(std::move(heading));

  // Only the analyses paired with an internal-standard run have a residue: the others keep
  // -1, which would enter the mean and the comparison as a residue of -1 %.
  const ResidueComparison54291 c = CompareResidues54291(e);
  Cells residue{"", w.shell.Str(text::kResidueName)};
  for (std::size_t k = 0; k < n; ++k) {
    residue.push_back(k < c.calculated ? Format("%.3f", e.Analyses[k].Residue) : w.Missing());
  }
  if (n >= 2 && !c.compared) {
    residue.resize(residue.size() + 4, w.Missing());
  } else if (c.compared) {
    residue.push_back(Format("%.3f", c.sum / static_cast<double>(c.calculated)));
    residue.push_back(Format("%.3f", c.difference));
    residue.push_back(Format("%.1f", c.limit));
    residue.push_back(w.Verdict(c.conforms ? 1 : 2));
  }
  table.AppendRow(std::move(residue));
}

}  // namespace

void FillRepeatabilityTable(const CalcResult& engine, const Shell& shell, TableModel& table) {
  const Layout layout = LayoutOf(engine.settings.method);
  const std::size_t n = engine.Analyses.size();
  const TableWriter w{
      engine,
      shell,
      table,
      layout,
      layout == Layout::AreaNormalisation ? std::min<std::size_t>(n, 2) : std::min<std::size_t>(n, 3),
      layout == Layout::AreaNormalisation ? "%.2f" : "%.1f"};
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
