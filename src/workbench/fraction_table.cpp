#include "workbench/result_lists.h"

#include "engine/calculation.h"
#include "engine/fractions.h"
#include "engine/texts/fraction_texts.h"
#include "engine/texts/repeatability_texts.h"
#include "shell/shell.h"
#include "shell/text.h"

#include <algorithm>
#include <string>
#include <vector>

namespace p528 {

namespace {

using Cells = std::vector<std::string>;

struct FractionTableWriter {
  const CalcResult& engine;
  const Shell& shell;
  const TableModel& table;
  std::size_t n;           // analyses, all shown
  std::size_t calculated;  // analyses with results (CalculatedAnalyses)

  std::string Missing() const { return shell.Str(text::kCellMissing); }
  std::string Value(double v) const { return Format("%.3f", v); }
  // A limit, difference or accuracy; "---" for one that was not determined.
  std::string Known(double v) const { return v >= 0 ? Value(v) : Missing(); }
  std::string Verdict(int32_t verdict) const {
    return shell.Str(verdict == 1 ? text::kCellYes : text::kCellNo);
  }
  std::size_t Columns() const { return static_cast<std::size_t>(table.ColumnCount()); }
  void FillMissing(Cells& cells) const { cells.resize(std::max(Columns(), cells.size()), Missing()); }
  double Limit(const FractionSummary& row) const { return calculated >= 3 ? row.criticalRange : row.r; }
  // A value of analysis k that only a calculated analysis has ("---" for the others).
  std::string Own(std::size_t k, const char* format, double v) const {
    return k < calculated ? Format(format, v) : Missing();
  }

  // ±δ, difference, limit and conformity of GOST R 56720 (methods A and B).
  void AppendMetrology(Cells& cells, const FractionSummary& row) const {
    cells.push_back(Known(row.accuracy));
    if (n < 2) return;
    const double limit = Limit(row);
    cells.push_back(Known(row.difference));
    cells.push_back(Known(limit));
    cells.push_back(limit >= 0 && row.difference >= 0 ? Verdict(row.verdict) : Missing());
  }
};

}  // namespace

void FillFractionTable(const CalcResult& engine, const Shell& shell, TableModel& table) {
  const std::size_t n = engine.Analyses.size();
  const int32_t method = engine.settings.method;
  const bool gost = IsGostMethod(method);
  const bool metrology = method == Gost56720A || method == Gost56720B;
  const FractionTableWriter w{engine, shell, table, n, CalculatedAnalyses(engine)};

  table.DeleteAllRows();
  table.DeleteColumns(3, 10);
  if (n >= 2) {
    int column = 3;
    auto insert = [&](int id, int width) { table.InsertColumn(column++, shell.Str(id), width); };
    insert(text::kCaptionConc2, 95);
    if (n >= 3) insert(text::kCaptionConc3, 95);
    insert(text::kCaptionConcMean, 100);
    if (gost) {
      insert(text::kCaptionAccuracy, 55);
      insert(text::kCaptionFractionDiff, 100);
      insert(text::kCaptionFractionNorm, 80);
      insert(text::kCaptionFractionConf, 60);
    }
  }

  // Records "начало" and "без имени" are not listed.
  std::size_t longest = 0;
  for (std::size_t k = 1; k < n; ++k) {
    if (engine.Analyses[k].Fractions.size() > engine.Analyses[longest].Fractions.size()) longest = k;
  }
  const std::size_t records = n > 0 ? engine.Analyses[longest].Fractions.size() : 0;
  for (std::size_t i = 2; i < records; ++i) {
    Cells cells{"", engine.Analyses[longest].Fractions[i].name};
    bool complete = true;  // every compared analysis has the record with a value
    for (std::size_t k = 0; k < n; ++k) {
      const ChrmResult& analysis = engine.Analyses[k];
      if (i < analysis.Fractions.size() && analysis.Fractions[i].correctedPercent >= 0) {
        cells.push_back(w.Value(analysis.Fractions[i].correctedPercent));
      } else {
        cells.push_back(w.Missing());
        if (k < w.calculated) complete = false;
      }
    }
    if (i < engine.FractionRows.size()) {
      const FractionSummary& row = engine.FractionRows[i];
      cells.push_back(row.mean > 0 ? w.Value(row.mean) : w.Missing());
      if (metrology) {
        // A mean of 0.005 % or less was excluded from the comparison like a smaller one.
        if (row.mean <= 0.005 || !complete) {
          w.FillMissing(cells);
        } else {
          w.AppendMetrology(cells, row);
        }
      }
    } else {
      w.FillMissing(cells);
    }
    table.AppendRow(std::move(cells));
  }

  if (IsInternalStandard(method)) {
    table.AppendRow({});
    Cells residue{"", shell.Str(text::kResidueName)};
    for (std::size_t k = 0; k < n; ++k) residue.push_back(w.Own(k, "%.3f", engine.Analyses[k].Residue));
    if (n >= 2) {
      const FractionSummary& summary = engine.ResidueSummary;
      const bool compared = w.calculated >= 2;  // else no composition was made
      residue.push_back(compared ? w.Value(summary.mean) : w.Missing());
      if (method == Gost56720B && compared) {
        residue.push_back(w.Value(summary.accuracy));
        residue.push_back(w.Value(summary.difference));
        residue.push_back(w.Value(w.Limit(summary)));
        residue.push_back(w.Verdict(summary.verdict));
      } else if (method == Gost56720B) {
        w.FillMissing(residue);
      }
    }
    table.AppendRow(std::move(residue));
  }

  table.AppendRow({});
  Cells sum{"", shell.Str(text::kFractionSumLabel)};
  for (std::size_t k = 0; k < n; ++k) sum.push_back(w.Own(k, "%.1f", engine.Analyses[k].FractionTotal));
  if (!engine.FractionRows.empty()) sum.push_back(Format("%.1f", engine.FractionMeanTotal));
  table.AppendRow(std::move(sum));
}

}  // namespace p528
