// CGridCtrl: the list window of every table of the system (the file list, the result
// tables, the dialogs' tables). It shows a Qt-free TableModel (not owned: the model must
// outlive the grid or be replaced before it goes) as a report-style list with grid lines
// and full-row selection, and adds the grid's own behaviour: row colours from RowData,
// in-place editing of one cell (CGridCtrlEditCell, object name "9801"), header-click
// sorting, the stretching column, hidden width-0 columns that cannot be resized.
//
// Every decision is the owner's (GridOwner, grid_rules.h): without an owner, or with one
// that answers 0, the list is read-only and unsorted and a double click selects a row.
// The grid follows its model: changes made through the model are shown after the next
// event-loop turn, or at once with Refresh(). User-interface thread only.
#pragma once

#include "grid/grid_rules.h"
#include "lists/table_model.h"

#include <QAbstractTableModel>
#include <QLineEdit>
#include <QTableView>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace p528 {

class CGridCtrl;

// The Qt item model over a TableModel: texts, alignment and colours; no editing through Qt.
class GridItemModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit GridItemModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
  void SetTable(const TableModel* table);
  // Follows the table: a reset when rows or columns changed, otherwise changed cells.
  void Refresh();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const TableModel* table_ = nullptr;
  int rows_ = 0;
  std::vector<TableColumn> columns_;  // as last shown
};

// The in-place editor of one cell. Enter ends the edit, Escape cancels it; either way the
// edit ends when the editor loses the focus (also by scrolling or clicking elsewhere).
class CGridCtrlEditCell final : public QLineEdit {
  Q_OBJECT

 public:
  CGridCtrlEditCell(CGridCtrl& grid, int row, int column, const QString& text);
  // Ends the edit now: its text goes to the grid (none when cancelled), the editor goes.
  void End();
  // Closes the editor without telling the grid (the grid or its owner is going away).
  void Drop();

  int EditRow;
  int EditColumn;
  QString EditText;  // the cell's text when the edit began
  bool EditCancelled = false;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  CGridCtrl& grid_;
  bool ended_ = false;
};

class CGridCtrl : public QTableView {
  Q_OBJECT

 public:
  explicit CGridCtrl(QWidget* parent = nullptr);
  ~CGridCtrl() override;

  // Shows `table` (null: nothing) and applies its columns.
  void SetTable(TableModel* table);
  TableModel* Table() const { return table_; }
  void SetOwner(GridOwner* owner) { owner_ = owner; }
  // Shows the model's current rows and columns now.
  void Refresh();

  // Releases every row (and its RowData) of the model.
  void DeleteAllRows();
  // The caption of `column` as the header shows it; "" when there is none.
  std::string GetColumnCaption(int column) const;
  // Opens the editor on the cell when the owner allows it; false otherwise.
  bool BeginEdit(int row, int column);
  // Widens StretchColumn to fill the window (nothing when it is -1).
  void StretchToFit();
  // Selected rows in list order.
  std::vector<int> SelectedRows() const;
  // The open editor, or null.
  CGridCtrlEditCell* Editor() const { return editor_; }
  // Ends an open edit as leaving the cell does (its text goes to the owner): a dialog's OK
  // reached by a key counts what is being typed.
  void EndOpenEdit();
  // Closes an open editor without a word to the owner (the owner is going away).
  void DropOpenEdit();

  int StretchColumn = -1;
  SortState Sort;
  bool HeaderClicksAllowed = true;  // false: the header is not a sort control

 signals:
  // A key went down in the list (the list's key-down notice), before the list handles it.
  void KeyDown(int key);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class CGridCtrlEditCell;
  void EndEdit(int row, int column, std::optional<std::string> text);
  void OnHeaderClicked(int column);
  void OnSectionResized(int column, int oldWidth, int newWidth);
  void ApplyColumns();
  void ScheduleRefresh();

  GridItemModel model_;
  TableModel* table_ = nullptr;
  GridOwner* owner_ = nullptr;
  GridOwner silent_;
  CGridCtrlEditCell* editor_ = nullptr;
  bool refreshPending_ = false;
  // Column resizing by the header: the column, its width at the start, the owner's refusal.
  bool headerPressed_ = false;
  int resizeColumn_ = -1;
  int resizeStartWidth_ = 0;
  bool resizeRefused_ = false;
  bool restoringWidth_ = false;
  std::set<int> userWidths_;  // columns the user resized: a refill keeps their width
};

}  // namespace p528
