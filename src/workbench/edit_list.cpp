#include "workbench/edit_list.h"

namespace p528 {

bool EditListOwner::MayEditCell(int, int) { return false; }
bool EditListOwner::CellChanged(int, int) { return false; }

bool EndCellEdit(TableModel& list, EditListOwner& owner, int row, int column,
                 const std::optional<std::string>& text) {
  if (!text || row < 0 || row >= list.RowCount() || column < 0 || column >= list.ColumnCount()) return false;
  const std::string old = list.Cell(row, column);
  if (*text == old) return false;
  list.SetCell(row, column, *text);
  if (owner.CellChanged(row, column)) return true;
  list.SetCell(row, column, old);
  return false;
}

}  // namespace p528
