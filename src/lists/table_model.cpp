#include "lists/table_model.h"

#include <algorithm>

namespace p528 {

namespace {
const std::string kEmpty;
const std::vector<std::string> kNoCells;
// A position already checked against the bounds, as an index.
std::size_t Index(int position) { return static_cast<std::size_t>(position); }
}  // namespace

void TableModel::Changed() {
  ++revision_;
  if (onChanged) onChanged();
}

int TableModel::InsertColumn(int index, std::string caption, int width, ColumnAlign align) {
  if (index < 0 || index > ColumnCount()) index = ColumnCount();
  columns_.insert(columns_.begin() + index, TableColumn{std::move(caption), width, align});
  for (Row& row : rows_) row.cells.insert(row.cells.begin() + index, std::string());
  Changed();
  return index;
}

int TableModel::AppendColumn(std::string caption, int width, ColumnAlign align) {
  return InsertColumn(ColumnCount(), std::move(caption), width, align);
}

bool TableModel::DeleteColumn(int index) {
  if (index < 0 || index >= ColumnCount()) return false;
  columns_.erase(columns_.begin() + index);
  for (Row& row : rows_) row.cells.erase(row.cells.begin() + index);
  Changed();
  return true;
}

void TableModel::DeleteColumns(int first, int last) {
  for (int c = last; c >= first; --c) DeleteColumn(c);
}

void TableModel::DeleteAllColumns() {
  columns_.clear();
  for (Row& row : rows_) row.cells.clear();
  Changed();
}

std::string TableModel::GetColumnCaption(int column) const {
  if (column < 0 || column >= ColumnCount()) return std::string();
  return columns_[Index(column)].caption;
}

void TableModel::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= ColumnCount()) return;
  columns_[Index(column)].width = width;
  Changed();
}

int TableModel::AppendRow(std::vector<std::string> cells, std::optional<RowData> data) {
  return InsertRow(RowCount(), std::move(cells), data);
}

int TableModel::InsertRow(int index, std::vector<std::string> cells, std::optional<RowData> data) {
  if (index < 0 || index > RowCount()) index = RowCount();
  cells.resize(columns_.size());
  rows_.insert(rows_.begin() + index, Row{std::move(cells), data});
  Changed();
  return index;
}

bool TableModel::DeleteRow(int row) {
  if (!ValidRow(row)) return false;
  rows_.erase(rows_.begin() + row);
  Changed();
  return true;
}

void TableModel::DeleteAllRows() {
  rows_.clear();
  Changed();
}

const std::string& TableModel::Cell(int row, int column) const {
  if (!ValidRow(row) || column < 0 || column >= ColumnCount()) return kEmpty;
  return rows_[Index(row)].cells[Index(column)];
}

void TableModel::SetCell(int row, int column, std::string text) {
  if (!ValidRow(row) || column < 0 || column >= ColumnCount()) return;
  rows_[Index(row)].cells[Index(column)] = std::move(text);
  Changed();
}

const std::vector<std::string>& TableModel::RowCells(int row) const {
  return ValidRow(row) ? rows_[Index(row)].cells : kNoCells;
}

const RowData* TableModel::GetRowData(int row) const {
  if (!ValidRow(row) || !rows_[Index(row)].data) return nullptr;
  return &*rows_[Index(row)].data;
}

RowData* TableModel::GetRowData(int row) {
  if (!ValidRow(row) || !rows_[Index(row)].data) return nullptr;
  return &*rows_[Index(row)].data;
}

void TableModel::SetRowData(int row, std::optional<RowData> data) {
  if (!ValidRow(row)) return;
  rows_[Index(row)].data = data;
  Changed();
}

}  // namespace p528
