#include "ui/dialogs/edit_grid.h"

namespace p528::ui {

EditGrid::EditGrid(TableModel& model, EditListOwner& owner, QWidget* parent)
    : CGridCtrl(parent), owner_(&owner) {
  SetTable(&model);
  SetOwner(this);
}

int EditGrid::ColumnsWidth() const {
  int width = 0;
  for (int c = 0; c < model()->columnCount(); ++c)
    if (!isColumnHidden(c)) width += columnWidth(c);
  return width;
}

void EditGrid::Detach() {
  DropOpenEdit();
  owner_ = nullptr;
  SetOwner(nullptr);
  SetTable(nullptr);
}

int EditGrid::OnGridBeginEdit(int row, int column) {
  return owner_ != nullptr && owner_->MayEditCell(row, column) ? 1 : 0;
}

int EditGrid::OnGridCellChanged(int row, int column) {
  return owner_ != nullptr && owner_->CellChanged(row, column) ? 1 : 0;
}

}  // namespace p528::ui
