// Small pieces every dialog of the main window shares: its texts from the string table of
// the interface language, and icon 162 as its window icon.
#pragma once

#include <QString>

class QWidget;

namespace p528 {
class Shell;
}

namespace p528::ui {

// Text `id` of the interface language (the module's own when the satellite lacks it).
QString Text(const Shell& shell, int id);

// Icon 162 as the dialog's large and small icon.
void SetDialogIcon(QWidget* dialog);

}  // namespace p528::ui
