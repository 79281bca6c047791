#include "ui/numeric_edit.h"

#include "ui/ui_text.h"
#include "workbench/analysis_settings.h"

#include <QLineEdit>

namespace p528::ui {

void MakeNumericEdit(QLineEdit* edit, std::function<void()> changed) {
  QObject::connect(
      edit, &QLineEdit::textEdited, edit, [edit, changed = std::move(changed)](const QString& text) {
        const QString filtered = Qs(NumericFilter(Std(text)));
        if (filtered != text) {
          const int cursor = edit->cursorPosition() - static_cast<int>(text.size() - filtered.size());
          edit->setText(filtered);
          edit->setCursorPosition(std::max(0, std::min(cursor, static_cast<int>(filtered.size()))));
        }
        if (changed) changed();
      });
}

}  // namespace p528::ui
