// Numeric edits: every change typed into the edit passes NumericFilter (the decision lives
// in core); a filtered text replaces the typed one at once, the caret kept at its place.
#pragma once

#include <functional>

class QLineEdit;

namespace p528::ui {

// Filters `edit` on every change the user types; `changed` (may be empty) then runs with
// the filtered text already in the edit.
void MakeNumericEdit(QLineEdit* edit, std::function<void()> changed = {});

}  // namespace p528::ui
