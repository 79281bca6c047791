// Windows that remember their place and size (WindowPlace in the settings): opened where
// they were left, fitted to the screens of the session, and remembered when they hide.
#pragma once

#include <QSize>

class QWidget;

namespace p528 {
class Shell;
}

namespace p528::ui {

// Places `window` (not shown yet) at its remembered place fitted to the screens, or gives
// it `defaultSize` cut to its screen; never below `minimum`.
void RestoreWindowPlace(QWidget& window, const Shell& shell, const char* key, QSize defaultSize,
                        QSize minimum);

// Remembers the place and size of `window` (its normal geometry when maximised).
void RememberWindowPlace(const QWidget& window, const Shell& shell, const char* key);

}  // namespace p528::ui
