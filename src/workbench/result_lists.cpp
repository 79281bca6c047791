#include "workbench/result_lists.h"

#include "engine/calculation.h"
#include "engine/calibration_checks.h"
#include "engine/iso3405.h"
#include "engine/reference_check.h"
#include "engine/texts/calibration_check_texts.h"
#include "engine/texts/reference_texts.h"
#include "engine/texts/repeatability_texts.h"
#include "shell/shell.h"
#include "shell/text.h"
#include "workbench/result_tables.h"

#include <vector>

namespace p528 {

namespace {

constexpr const char* kNoValue = "---";

}  // namespace

void FillResultLists(const CalcResult& result, const Shell& shell, ResultTables& tables) {
  FillResponseList(result, shell, tables.response);
  if (result.State >= StateCurves) {
    FillRepeatabilityTable(result, shell, tables.repeatability);
    FillFractionTable(result, shell, tables.fractions);
  } else {
    tables.repeatability.DeleteAllRows();
    tables.fractions.DeleteAllRows();
  }
  FillReferenceTable(result, shell, tables.reference);
  FillIso3405Table(result, shell, tables.iso3405);
}

void FillResponseList(const CalcResult& result, const Shell& shell, TableModel& list) {
  list.DeleteAllRows();
  const bool judged = ChecksResponse(result.settings.method);
  const std::vector<ResponseRow>& rows = result.calibration.responseRows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ResponseRow& row = rows[i];
    if (!row.hasComponent) continue;
    std::string conformity =
        judged && row.factor > 0 ? shell.Str(row.ok == 1 ? text::kYes : text::kNo) : kNoValue;
    list.AppendRow({Format("%d", static_cast<int>(i + 1)), row.componentName, Format("%.3f", row.peakArea),
                    row.componentMass > 0 ? Format("%.3f", row.componentMass) : kNoValue,
                    row.factor > 0 ? Format("%.3f", row.factor) : kNoValue, std::move(conformity)});
  }
}

void FillReferenceTable(const CalcResult& result, const Shell& shell, TableModel& list) {
  list.DeleteAllRows();
  const CalcSettings& s = result.settings;
  const std::vector<DistPoint>& points = result.Reference.PointTable;
  for (std::size_t i = 0; i < points.size() && i < result.RefRows.size(); ++i) {
    const DistPoint& point = points[i];
    const RefCheckRow& row = result.RefRows[i];
    const double p = point.percent;
    const double certified = CertifiedTemperature(s.method, s.refType, s.customReference, p);
    std::string label = p == 0.5    ? shell.Str(text::kRefIbpLabel)
                        : p == 99.5 ? shell.Str(text::kRefFbpLabel)
                                    : Format("%.1f", p);
    std::string difference =
        row.meanTemp == -1.0 || !(certified > 0) ? kNoValue : Format("%.2f", row.difference);
    std::string conformity = row.R > 0 ? shell.Str(row.verdict == 1 ? text::kYes : text::kNo) : kNoValue;
    list.AppendRow({"", std::move(label), certified > 0 ? Format("%.2f", certified) : kNoValue,
                    Format("%.2f", point.temp), std::move(difference),
                    row.R > 0 ? Format("%.2f", row.R) : kNoValue, std::move(conformity)});
  }
}

std::string Iso3405Label(const Shell& shell, double percent) {
  if (percent == 0.5) return shell.Str(text::kLabelIbp);
  if (percent == 99.5) return shell.Str(text::kLabelFbp);
  return Format("%.1f", percent);
}

void FillIso3405Table(const CalcResult& result, const Shell& shell, TableModel& table) {
  table.DeleteAllRows();
  const std::string missing = shell.Str(text::kCellMissing);
  for (const Iso3405Row& row : result.Iso3405Rows) {
    const bool known = IsIso3405Value(row.tiso);
    table.AppendRow({"", Iso3405Label(shell, row.coeff->percent), known ? Format("%.2f", row.tiso) : missing,
                     known ? Format("%.2f", row.coeff->R) : missing});
  }
}

}  // namespace p528
