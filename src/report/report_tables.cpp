// The table sections of the report: copies of the result lists' cell texts, the ISO 3405
// rows of the engine and the errors of the message log.
#include "engine/iso3405.h"
#include "report/report_document.h"
#include "report/report_texts.h"
#include "shell/settings.h"
#include "shell/shell.h"
#include "shell/text.h"
#include "workbench/analysis.h"
#include "workbench/custom_reference.h"
#include "workbench/message_log.h"
#include "workbench/result_lists.h"
#include "workbench/result_tables.h"

#include <algorithm>

namespace p528 {

namespace {

// The property table's element and the cells after the temperatures, by method: element
// names in column order, the first of them at column n + 2.
struct PropLayout {
  const char* section;
  std::vector<const char*> methodCells;
};

PropLayout PropTableLayout(int32_t method) {
  switch (method) {
    case Gost56720A: return {"prop_table_A", {"a_temp", "d_temp", "r", "r_chek", "R", "R_chek"}};
    case Gost56720B: return {"prop_table_B", {"a_temp", "accuracy", "d_temp", "r", "r_chek"}};
    default: return {"prop_table_Gost", {"a_temp", "d_temp", "R", "R_chek"}};
  }
}

// The fraction table's metrology columns belong to the GOST methods only.
bool HasFractionMetrology(int32_t method) {
  return method == Gost56720A || method == Gost56720B || method == Gost54291;
}

}  // namespace

int ShownAnalyses(const CAnalysis& engine) {
  const int count = static_cast<int>(engine.Analyses.size());
  return IsInternalStandard(engine.Method) ? count : std::min(count, 2);
}

void ResponseTableXml(CXMLWrapper& wrapper, const Shell& shell, const TableModel& responses) {
  if (responses.RowCount() == 0) return;
  xmlNodePtr section = wrapper.AddElement(nullptr, "outTable");
  if (section == nullptr) return;
  wrapper.AddText(section, "fileTableHeader", shell.Str(text::kReportResponseHeader));
  const int columns = responses.ColumnCount();
  for (int c = 0; c < columns; ++c) {
    xmlNodePtr head = wrapper.AddElement(section, "headCol");
    if (head != nullptr) wrapper.AddText(head, "label", responses.GetColumnCaption(c));
  }
  for (int r = 0; r < responses.RowCount(); ++r) {
    xmlNodePtr row = wrapper.AddElement(section, "row");
    if (row == nullptr) return;
    for (int c = 0; c < columns; ++c) {
      xmlNodePtr col = wrapper.AddElement(row, "col");
      if (col != nullptr) wrapper.AddText(col, "label", responses.Cell(r, c));
    }
  }
}

void RefTableXml(CXMLWrapper& wrapper, const Shell& shell, const TableModel& reference) {
  if (reference.RowCount() == 0) return;
  xmlNodePtr section = wrapper.AddElement(nullptr, "ref_table");
  if (section == nullptr) return;
  switch (ReadSettingInt(shell, kSectionSettings, "type_ref_gasoil", Lot1)) {
    case Lot1: wrapper.AddText(section, "type_gasoil", shell.Str(text::kReportGasoilLot1)); break;
    case Lot2: wrapper.AddText(section, "type_gasoil", shell.Str(text::kReportGasoilLot2)); break;
    case Custom:
      wrapper.AddText(
          section, "type_gasoil",
          shell.Str(text::kReportGasoilPassport) + CustomReference::FromSettings(shell).passportNumber);
      break;
    default: break;
  }
  static const char* const kCells[] = {"prop", "temp_std", "temp_Ref", "d_temp", "R", "R_chek"};
  for (int r = 0; r < reference.RowCount(); ++r) {
    xmlNodePtr row = wrapper.AddElement(section, "row");
    if (row == nullptr) return;
    for (int k = 0; k < 6; ++k) wrapper.AddText(row, kCells[k], reference.Cell(r, k + 1));
  }
}

void PropTableXml(const CAnalysis& engine, const TableModel& list, CXMLWrapper& wrapper) {
  if (list.RowCount() == 0) return;
  const PropLayout layout = PropTableLayout(engine.Method);
  xmlNodePtr section = wrapper.AddElement(nullptr, layout.section);
  if (section == nullptr) return;
  const int n = ShownAnalyses(engine);
  for (int i = 1; i <= n; ++i) {
    xmlNodePtr head = wrapper.AddElement(section, "head_col");
    if (head != nullptr)
      wrapper.AddText(head, "label", TextInt(engine.shell, text::kReportTemperatureColumn, i));
  }
  const bool parallel = engine.Analyses.size() >= 2;
  for (int r = 0; r < list.RowCount(); ++r) {
    xmlNodePtr row = wrapper.AddElement(section, "row");
    if (row == nullptr) return;
    wrapper.AddText(row, "prop", list.Cell(r, 1));
    for (int i = 1; i <= n; ++i) {
      xmlNodePtr col = wrapper.AddElement(row, "col");
      if (col != nullptr) wrapper.AddText(col, "label", list.Cell(r, i + 1));
    }
    if (!parallel) continue;
    int column = n + 2;
    for (const char* name : layout.methodCells) wrapper.AddText(row, name, list.Cell(r, column++));
  }
}

void FractTableXml(const CAnalysis& engine, const TableModel& list, CXMLWrapper& wrapper) {
  if (list.RowCount() == 0) return;
  xmlNodePtr section = wrapper.AddElement(nullptr, "fract_table");
  if (section == nullptr) return;
  const Shell& shell = engine.shell;
  const int n = static_cast<int>(engine.Analyses.size());
  const bool metrology = HasFractionMetrology(engine.Method);

  std::vector<std::string> heads{shell.Str(text::kReportFractions)};
  for (int i = 1; i <= n; ++i) heads.push_back(TextInt(shell, text::kReportConcentration, i));
  heads.push_back(shell.Str(text::kReportMeanConcentration));
  if (metrology) {
    for (int id :
         {text::kReportAccuracy, text::kReportDifference, text::kReportLimit, text::kReportConformity}) {
      heads.push_back(shell.Str(id));
    }
  }
  for (const std::string& label : heads) {
    xmlNodePtr head = wrapper.AddElement(section, "head_col");
    if (head != nullptr) wrapper.AddText(head, "label", label);
  }

  auto cell = [&](xmlNodePtr row, const char* name, int r, int column) {
    xmlNodePtr col = wrapper.AddElement(row, "col");
    if (col != nullptr) wrapper.AddText(col, name, list.Cell(r, column));
  };
  for (int r = 0; r < list.RowCount(); ++r) {
    xmlNodePtr row = wrapper.AddElement(section, "row");
    if (row == nullptr) return;
    for (int column = 1; column <= n + 1; ++column) cell(row, "val", r, column);
    if (n < 2) continue;
    cell(row, "val", r, n + 2);
    if (!metrology) continue;
    cell(row, "acvalcuracy", r, n + 3);
    for (int column = n + 4; column <= n + 6; ++column) cell(row, "val", r, column);
  }
}

void Iso3405Xml(const CAnalysis& engine, CXMLWrapper& wrapper) {
  if (engine.Iso3405Rows.empty()) return;
  xmlNodePtr section = wrapper.AddElement(nullptr, "props_ISO3405");
  if (section == nullptr) return;
  for (const Iso3405Row& iso : engine.Iso3405Rows) {
    const double percent = iso.coeff != nullptr ? iso.coeff->percent : -1.0;
    const double R = iso.coeff != nullptr ? iso.coeff->R : -1.0;
    const bool known = IsIso3405Value(iso.tiso);
    const std::string values[] = {Iso3405Label(engine.shell, percent),
                                  known ? Format("%.2f", iso.tiso) : std::string("---"),
                                  known ? Format("%.2f", R) : std::string("---")};
    xmlNodePtr row = wrapper.AddElement(section, "row");
    if (row == nullptr) return;
    for (const std::string& value : values) {
      xmlNodePtr col = wrapper.AddElement(row, "col");
      if (col != nullptr) wrapper.AddText(col, "val", value);
    }
  }
}

void MessagesXml(CXMLWrapper& wrapper, const MessageLog& messages) {
  if (messages.FormatError(0).empty()) return;
  xmlNodePtr section = wrapper.AddElement(nullptr, "msg_head");
  if (section == nullptr) return;
  for (std::size_t i = 0;; ++i) {
    const std::string error = messages.FormatError(i);
    if (error.empty()) break;
    xmlNodePtr item = wrapper.AddElement(section, "table_msg");
    if (item == nullptr) return;
    wrapper.AddInt(item, "num", static_cast<int32_t>(i + 1));
    wrapper.AddText(item, "msg_str", error);
  }
}

}  // namespace p528
