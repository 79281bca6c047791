// The editable list of the components and reference dialogs (Qt): shows a TableModel
// (captions, widths, alignment, cell texts, row colours from RowData, 0xFF000000 being the
// list's own colour) with grid lines and full-row selection, and edits one cell in place.
//
// Every decision is the owner's (EditListOwner): an editor opens on a double click or F2
// only when the owner allows it; when it closes with a different text the owner is told
// and may put the old text back (EndCellEdit). Escape cancels an edit; Enter or leaving the
// cell ends it. The model and the owner must outlive the list; a view that changes the
// model otherwise calls Refresh(). User-interface thread only.
#pragma once

#include "lists/table_model.h"
#include "workbench/edit_list.h"

#include <QTableWidget>

#include <vector>

namespace p528::ui {

class EditList : public QTableWidget {
  Q_OBJECT

 public:
  EditList(TableModel& model, EditListOwner& owner, QWidget* parent = nullptr);

  // Shows the whole model again (columns, rows, colours).
  void Refresh();
  // Opens the editor on the cell when the owner allows it; false when refused.
  bool BeginEdit(int row, int column);
  // The selected rows in list order.
  std::vector<int> SelectedRows() const;
  // Ends an edit with the editor's text (the list's own editor calls it).
  void FinishEdit(int row, int column, const QString& text);

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

 private:
  void ShowRow(int row);

  TableModel& model_;
  EditListOwner& owner_;
};

}  // namespace p528::ui
