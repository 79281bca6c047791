// The decisions of the list grid, without the widget: what the grid tells its owning window
// (GridOwner, whose answers decide), the header-click sort (direction, the owner's kind of
// comparison, the comparison of two cells, a safe sort of a table model), the end of an
// in-place edit, the stretching column and the context-menu point. The Qt widget CGridCtrl
// only turns mouse and keys into these calls, so every rule is tested without a window.
//
// An owner that answers nothing (the defaults, all 0) gets a read-only, unsorted list in
// which a double click selects a row. User-interface thread only.
#pragma once

#include "lists/table_model.h"

#include <optional>
#include <string>

namespace p528 {

// Notification codes of the grid (the owner's functions below, by number).
enum GridNotifyCodes : int {
  GridNotifyCellChanged = 3426,
  GridNotifyBeginEdit = 3427,
  GridNotifyRowSelected = 3428,
  GridNotifyContextMenu = 3429,
  GridNotifySort = 3430,
  GridNotifyColumnMoved = 3431,
  GridNotifyBeginResize = 3432,
  GridNotifyEndResize = 3433,
  GridNotifyDoubleClick = 3434,
};

// Control id of the in-place editor.
inline constexpr int kGridEditCellId = 9801;

// What the grid asks and tells its owner. Every answer defaults to 0.
class GridOwner {
 public:
  virtual ~GridOwner() = default;
  // An edit put a different text into the cell: 0 puts the old text back, non-zero keeps it.
  virtual int OnGridCellChanged(int /*row*/, int /*column*/) { return 0; }
  // An editor is about to open on the cell: non-zero allows it.
  virtual int OnGridBeginEdit(int /*row*/, int /*column*/) { return 0; }
  // A row became selected (column of the change notice, 0 here).
  virtual int OnGridRowSelected(int /*row*/, int /*column*/) { return 0; }
  // Context menu at (x, y), screen coordinates.
  virtual int OnGridContextMenu(int /*x*/, int /*y*/) { return 0; }
  // A header was clicked: the answer is the SortKind.
  virtual int OnGridSort(int /*column*/, bool /*ascending*/) { return 0; }
  // A column was dragged to a new position: 1 cancels the move.
  virtual int OnGridColumnMoved(int /*column*/, int /*position*/) { return 0; }
  // A resize of a visible column starts: non-zero prevents it.
  virtual int OnGridBeginResize(int /*column*/) { return 0; }
  // A resize of a visible column ended at `width`: 1 cancels the new width.
  virtual int OnGridEndResize(int /*column*/, int /*width*/) { return 0; }
  // A double click at (row, column); row -1 when no row was hit. Setting `result`
  // non-zero stops the grid's own action.
  virtual int OnGridDoubleClick(int /*row*/, int /*column*/, int& /*result*/) { return 0; }
};

// The owner's answer to a sort request.
enum SortKinds : int { SortNone = 0, SortNumbers = 2, SortDateTimes = 3 };

// Header-click sort state of one grid.
struct SortState {
  int SortColumn = -1;
  bool SortAscending = true;
  int SortKind = SortNone;
};

// Direction of a click on `column`: ascending unless the same column was sorted ascending
// last time (a second click reverses).
bool NextSortAscending(const SortState& state, int column);

// Comparison of two cell texts under `kind`: numbers by the decimal-prefix rule (1 when a is
// larger, else -1: equal numbers give -1 both ways), date-times (0 when either does not
// parse), anything else text without regard to letter case. Negated when descending.
int CompareCells(int kind, const std::string& a, const std::string& b, bool ascending);

// Date-time text in the user's locale (its date-time, date and time formats), or in the
// file list's "%d.%m.%y  %H:%M": days since 30 December 1899 (fraction: time of day).
std::optional<double> ParseDateTime(const std::string& text);

// Reorders the rows of `model` by column `column` under `kind`; the RowData travels with
// its row. Safe with comparisons that are not a strict order (equal numbers, non-dates).
void SortRows(TableModel& model, int column, int kind, bool ascending);

// End of an in-place edit: true when the cell takes `edited` (an edit that was not
// cancelled and differs, case-sensitively, from the cell's current text).
bool EditChangesCell(const std::optional<std::string>& edited, const std::string& current);

// Width of the stretching column after StretchToFit, or nullopt when it keeps its width.
// `widths`: every column's width; `windowWidth`: the grid window's width; the scroll bar's
// width counts when rows do not fit on a page.
std::optional<int> StretchedWidth(const std::vector<int>& widths, int stretchColumn, int windowWidth,
                                  bool verticalBarShown, int scrollBarWidth);

// Context-menu point: the mouse position, or (for the menu key, no position) the grid's
// top-left corner in screen coordinates plus 5 in each direction.
struct ScreenPoint {
  int x = 0;
  int y = 0;
};
ScreenPoint ContextMenuPoint(std::optional<ScreenPoint> mouse, ScreenPoint gridTopLeft);

}  // namespace p528
