// The rules of an editable list, without the list window: the owner of a list decides
// whether a cell may be edited and whether a changed text stays; the list only asks.
//
// A view (the dialogs' list window) calls MayEditCell before it opens an editor on a cell,
// and EndCellEdit when the editor closes. A list whose owner answers nothing (the default
// answers) is read-only. User-interface thread only.
#pragma once

#include "lists/table_model.h"

#include <optional>
#include <string>

namespace p528 {

class EditListOwner {
 public:
  virtual ~EditListOwner() = default;
  // May the cell be edited? Default: no.
  virtual bool MayEditCell(int row, int column);
  // The cell now holds a new text (already in the list). True keeps it; false puts the old
  // text back. Default: false.
  virtual bool CellChanged(int row, int column);
};

// End of an in-place edit of (row, column). `text` is the editor's text, or none when the
// edit was cancelled (Escape). A text that differs from the cell's (exact, letter case
// counts) is put into the cell and the owner is told; when the owner refuses, the old text
// returns. A cancelled or unchanged edit changes nothing and tells nobody. True when the
// cell keeps a new text.
bool EndCellEdit(TableModel& list, EditListOwner& owner, int row, int column,
                 const std::optional<std::string>& text);

}  // namespace p528
