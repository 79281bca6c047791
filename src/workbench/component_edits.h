// The components dialog without its window: the component table shown as an editable list,
// and the edits the user makes collected as pending edits that touch the table only when
// the dialog ends with OK (ApplyComponentEdits). Cancel simply drops the editor.
//
// List columns: 0 "ID" (never editable), 1 the name (editable only for user components,
// id 53 and up), 2 the alternative name, 3 the response factor "%.3f", 4 the boiling point
// "%.1f", 5 the mass in the mixture "%.3f". Names show in the interface's letters (Latin
// when the interface is not Russian). Rows keep the list's default colours until edited:
// added rows light yellow, changed rows light green, rows marked for deletion red.
// Built-in components (ids 1 to 52) are never deleted.
//
// The editor keeps a reference to the table it shows; the table must not change while the
// editor lives. User-interface thread only.
#pragma once

#include "chromatogram/component_table.h"
#include "lists/table_model.h"
#include "workbench/edit_list.h"

#include <cstdint>
#include <vector>

namespace p528 {

class Shell;

// Ids from this one on belong to user components (their name may change, they may go).
inline constexpr int kFirstUserComponentId = 53;

// Row background colours (0x00BBGGRR).
inline constexpr uint32_t kAddedRowColour = 0xB3FCFC;    // light yellow
inline constexpr uint32_t kChangedRowColour = 0xAFFC95;  // light green
inline constexpr uint32_t kDeletedRowColour = 0x0808FC;  // red

enum ComponentEditOp : int32_t { EditModify = 1, EditAdd = 2, EditDelete = 3 };

struct ComponentEdit {
  ComponentRecord record;
  int32_t op = EditModify;
};
using ComponentEdits = std::vector<ComponentEdit>;

// Applies the edits in the order recorded: a modify copies the id, the four names, the
// boiling point, response factor and mixture mass into the first record with its id (none:
// ignored); an add appends a record (retention time and peak width 0); a delete removes the
// first record with its id. Then every record from the 53rd on gets its position (counted
// from 1) as id.
void ApplyComponentEdits(ComponentTable& table, const ComponentEdits& edits);

class ComponentsEditor : public EditListOwner {
 public:
  // One list row per record, in table order; the next new id is the largest id + 1 (1 for
  // an empty table).
  ComponentsEditor(const Shell& shell, const ComponentTable& table);

  TableModel& List() { return list_; }
  const TableModel& List() const { return list_; }
  const ComponentEdits& Edits() const { return edits_; }
  int NextId() const { return nextId_; }

  // Columns 2 to 5 of every row; column 1 only from id 53 on; never column 0.
  bool MayEditCell(int row, int column) override;
  // Records the cell's new text in the row's pending edit (numbers: a comma as the decimal
  // separator, then the decimal-prefix rule, a text without one is 0, and the cell then
  // shows the number kept in its column's format); a changed row turns light green.
  // Always keeps the text.
  bool CellChanged(int row, int column) override;

  // "Добавить компонент": a new component with the next id, named "Новый компонент", its
  // row appended in light yellow; returns the row.
  int AddComponent();
  // "Удалить компонент(ы)": the given rows (the selection, in list order). Built-in ones are
  // ignored; an added component's row goes at once; any other row turns red and its
  // component is removed on OK.
  void DeleteRows(const std::vector<int>& rows);

 private:
  int RowId(int row) const;
  int FindRow(int id) const;
  ComponentEdit* LastEdit(int id);
  ComponentRecord TableRecord(int id) const;
  void Colour(int row, uint32_t fill);

  const Shell& shell_;
  const ComponentTable& table_;
  TableModel list_;
  ComponentEdits edits_;
  int nextId_ = 1;
};

}  // namespace p528
