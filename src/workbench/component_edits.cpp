#include "workbench/component_edits.h"

#include "shell/shell.h"
#include "shell/text.h"
#include "workbench/workbench_texts.h"

#include <algorithm>
#include <cmath>

namespace p528 {

namespace {

constexpr int kColumnCaptions[] = {text::kComponentColumnId,           text::kComponentColumnName,
                                   text::kComponentColumnAltName,      text::kComponentColumnResponse,
                                   text::kComponentColumnBoilingPoint, text::kComponentColumnMixtureMass};
constexpr int kColumnWidths[] = {30, 140, 120, 130, 100, 130};

std::vector<std::string> RowCells(const ComponentRecord& r, bool latin) {
  return {Format("%i", r.id),
          latin ? r.nameLatin : r.name,
          latin ? r.altNameLatin : r.altName,
          Format("%.3f", r.responseFactor),
          Format("%.1f", r.boilingPoint),
          Format("%.3f", r.mixtureMass)};
}

// The id column's text read back as the list shows it, truncated to an integer.
int IdOf(const std::string& text) {
  const double v = DecimalPrefix(text);
  if (!(std::fabs(v) < 2.0e9)) return 0;
  return static_cast<int>(v);
}

}  // namespace

void ApplyComponentEdits(ComponentTable& table, const ComponentEdits& edits) {
  for (const ComponentEdit& edit : edits) {
    const ComponentRecord& e = edit.record;
    auto found =
        std::find_if(table.begin(), table.end(), [&e](const ComponentRecord& r) { return r.id == e.id; });
    switch (edit.op) {
      case EditModify:
        if (found != table.end()) {
          found->id = e.id;
          found->name = e.name;
          found->altName = e.altName;
          found->nameLatin = e.nameLatin;
          found->altNameLatin = e.altNameLatin;
          found->boilingPoint = e.boilingPoint;
          found->responseFactor = e.responseFactor;
          found->mixtureMass = e.mixtureMass;
        }
        break;
      case EditAdd: {
        ComponentRecord added = e;
        added.retentionTime = 0;
        added.peakWidth = 0;
        table.push_back(std::move(added));
        break;
      }
      case EditDelete:
        if (found != table.end()) table.erase(found);
        break;
      default: break;
    }
  }
  for (std::size_t i = kFirstUserComponentId - 1; i < table.size(); ++i)
    table[i].id = static_cast<int>(i + 1);
}

ComponentsEditor::ComponentsEditor(const Shell& shell, const ComponentTable& table)
    : shell_(shell), table_(table) {
  for (std::size_t c = 0; c < std::size(kColumnCaptions); ++c) {
    list_.AppendColumn(shell.Str(kColumnCaptions[c]), kColumnWidths[c], ColumnAlign::Left);
  }
  int largest = 0;
  for (const ComponentRecord& r : table) {
    list_.AppendRow(RowCells(r, shell.foreignUi != 0));
    largest = std::max(largest, r.id);
  }
  nextId_ = table.empty() ? 1 : largest + 1;
}

int ComponentsEditor::RowId(int row) const { return IdOf(list_.Cell(row, 0)); }

int ComponentsEditor::FindRow(int id) const {
  const std::string text = Format("%i", id);
  for (int r = 0; r < list_.RowCount(); ++r)
    if (list_.Cell(r, 0) == text) return r;
  return -1;
}

ComponentEdit* ComponentsEditor::LastEdit(int id) {
  for (auto it = edits_.rbegin(); it != edits_.rend(); ++it)
    if (it->record.id == id) return &*it;
  return nullptr;
}

ComponentRecord ComponentsEditor::TableRecord(int id) const {
  for (const ComponentRecord& r : table_)
    if (r.id == id) return r;
  ComponentRecord none;
  none.id = id;
  return none;
}

void ComponentsEditor::Colour(int row, uint32_t fill) {
  RowData data = list_.GetRowData(row) != nullptr ? *list_.GetRowData(row) : RowData{};
  data.FillColour = fill;
  list_.SetRowData(row, data);
}

bool ComponentsEditor::MayEditCell(int row, int column) {
  if (row < 0 || row >= list_.RowCount()) return false;
  if (column >= 2 && column <= 5) return true;
  return column == 1 && RowId(row) >= kFirstUserComponentId;
}

bool ComponentsEditor::CellChanged(int row, int column) {
  const int id = RowId(row);
  ComponentEdit* edit = LastEdit(id);
  if (edit == nullptr) {
    edits_.push_back({TableRecord(id), EditModify});
    edit = &edits_.back();
  }
  if (edit->op == EditDelete) return true;
  const bool latin = shell_.foreignUi != 0;
  const std::string& text = list_.Cell(row, column);
  ComponentRecord& r = edit->record;
  switch (column) {
    case 1: (latin ? r.nameLatin : r.name) = text; break;
    case 2: (latin ? r.altNameLatin : r.altName) = text; break;
    case 3: r.responseFactor = TypedNumber(text); break;
    case 4: r.boilingPoint = TypedNumber(text); break;
    case 5: r.mixtureMass = TypedNumber(text); break;
    default: break;
  }
  // A number column shows the value kept, in the list's format, not the text typed.
  if (column == 3) list_.SetCell(row, column, Format("%.3f", r.responseFactor));
  if (column == 4) list_.SetCell(row, column, Format("%.1f", r.boilingPoint));
  if (column == 5) list_.SetCell(row, column, Format("%.3f", r.mixtureMass));
  if (edit->op == EditModify) Colour(row, kChangedRowColour);
  return true;
}

int ComponentsEditor::AddComponent() {
  ComponentEdit edit;
  edit.op = EditAdd;
  edit.record.id = nextId_;
  (shell_.foreignUi != 0 ? edit.record.nameLatin : edit.record.name) = shell_.Str(text::kNewComponentName);
  edits_.push_back(edit);
  RowData data;
  data.FillColour = kAddedRowColour;
  const int row = list_.AppendRow({Format("%i", nextId_), shell_.Str(text::kNewComponentName),
                                   shell_.Str(text::kComponentNamePrompt), "0.000", "0.000", "0.000"},
                                  data);
  ++nextId_;
  return row;
}

void ComponentsEditor::DeleteRows(const std::vector<int>& rows) {
  std::vector<int> ids;
  for (int row : rows) {
    if (row < 0 || row >= list_.RowCount()) continue;
    const int id = RowId(row);
    if (id >= kFirstUserComponentId) ids.push_back(id);
  }
  for (int id : ids) {
    ComponentEdit* edit = LastEdit(id);
    if (edit == nullptr) {
      ComponentEdit only;
      only.record.id = id;
      edits_.push_back(only);
      edit = &edits_.back();
    }
    const int row = FindRow(id);
    if (row >= 0) {
      if (edit->op == EditAdd) {
        list_.DeleteRow(row);
      } else {
        Colour(row, kDeletedRowColour);
      }
    }
    edit->op = EditDelete;
  }
}

}  // namespace p528
