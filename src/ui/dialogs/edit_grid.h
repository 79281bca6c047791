// The editable list of the components and reference dialogs: the list grid CGridCtrl over
// the editor's TableModel, whose owner's answers are the editor's (EditListOwner): an
// editor opens on a double click only when the editor allows the cell, and a changed text
// is kept or put back as it answers. The grid's own rules hold: Enter ends an edit, Escape
// cancels it, Tab, a click elsewhere or scrolling end it; F2 opens nothing.
//
// The dialog that holds an EditGrid calls Detach() in its destructor, before the editor it
// points at goes: an edit still open is then dropped without a word to it. The model and
// the owner must otherwise outlive the grid. User-interface thread only.
#pragma once

#include "grid/qt/grid_ctrl.h"
#include "workbench/edit_list.h"

namespace p528::ui {

class EditGrid final : public CGridCtrl, private GridOwner {
  Q_OBJECT

 public:
  EditGrid(TableModel& model, EditListOwner& owner, QWidget* parent = nullptr);
  // The width of all shown columns, pixels.
  int ColumnsWidth() const;
  // Forgets the owner and the model (an open edit is dropped).
  void Detach();

 private:
  int OnGridBeginEdit(int row, int column) override;
  int OnGridCellChanged(int row, int column) override;

  EditListOwner* owner_;
};

}  // namespace p528::ui
