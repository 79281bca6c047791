// The result table model: the Qt-free content of one list of the system (a report-style list
// of text cells under captioned columns). Every engine step that fills a result list writes
// one of these; the list widget (CGridCtrl) displays it and the report copies its texts, so
// both show exactly the same cells.
//
// Columns carry a caption, a width in pixels and an alignment. Rows carry one text per
// column and an optional RowData (colours and tag); a row without RowData is drawn in the
// list's own colours. Out-of-range reads give an empty text, out-of-range writes are
// ignored: a model never throws on a bad index.
//
// Not thread-safe; used from the user-interface thread only. Views learn of changes by
// comparing Revision() or through the change callback.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace p528 {

// 0xFF000000 in a colour field stands for the list's default colour.
inline constexpr uint32_t kDefaultColour = 0xFF000000u;

// The record attached to a row (colours as 0x00BBGGRR).
struct RowData {
  uint32_t TextColour = kDefaultColour;
  uint32_t FillColour = kDefaultColour;
  int32_t Tag = 0;  // free for the owner (the file list keeps the assay id here)
};

enum class ColumnAlign { Left, Right, Centre };

struct TableColumn {
  std::string caption;
  int width = 0;  // pixels; 0 hides the column
  ColumnAlign align = ColumnAlign::Centre;
};

class TableModel {
 public:
  // Columns. InsertColumn places the column at `index` (clamped to the end) and gives
  // every row an empty cell there; returns the index used. DeleteColumn returns false
  // when the column does not exist.
  int InsertColumn(int index, std::string caption, int width, ColumnAlign align = ColumnAlign::Centre);
  int AppendColumn(std::string caption, int width, ColumnAlign align = ColumnAlign::Centre);
  bool DeleteColumn(int index);
  // Deletes the columns from `last` down to `first` that exist (both inclusive).
  void DeleteColumns(int first, int last);
  void DeleteAllColumns();
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  const std::vector<TableColumn>& Columns() const { return columns_; }
  // Caption of the column; "" when the column does not exist.
  std::string GetColumnCaption(int column) const;
  void SetColumnWidth(int column, int width);

  // Rows. AppendRow adds a row whose cells are `cells` (cut or padded with empty texts to
  // the column count) and returns its index.
  int AppendRow(std::vector<std::string> cells, std::optional<RowData> data = RowData{});
  int InsertRow(int index, std::vector<std::string> cells, std::optional<RowData> data = RowData{});
  bool DeleteRow(int row);
  // Releases every row together with its RowData.
  void DeleteAllRows();
  int RowCount() const { return static_cast<int>(rows_.size()); }

  // Cell text; "" outside the table.
  const std::string& Cell(int row, int column) const;
  void SetCell(int row, int column, std::string text);
  // The row's whole text list (one per column).
  const std::vector<std::string>& RowCells(int row) const;
  // RowData of the row; nullptr when the row has none or does not exist.
  const RowData* GetRowData(int row) const;
  RowData* GetRowData(int row);
  void SetRowData(int row, std::optional<RowData> data);

  // Incremented by every change; a view redraws when it differs from the one it showed.
  uint64_t Revision() const { return revision_; }
  // Called after every change (may be empty).
  std::function<void()> onChanged;

 private:
  struct Row {
    std::vector<std::string> cells;
    std::optional<RowData> data;
  };
  void Changed();
  bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }

  std::vector<TableColumn> columns_;
  std::vector<Row> rows_;
  uint64_t revision_ = 0;
};

}  // namespace p528
