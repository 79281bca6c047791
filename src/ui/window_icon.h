// The icon of the main window and its chart dialogs (icon 162): drawn in code, a small
// distillation flask over a rising curve, at 16 to 256 pixels.
#pragma once

#include <QIcon>

namespace p528::ui {

QIcon WindowIcon();

}  // namespace p528::ui
