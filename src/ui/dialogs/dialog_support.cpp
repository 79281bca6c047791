#include "ui/dialogs/dialog_support.h"

#include "shell/shell.h"

#include <QIcon>
#include <QWidget>

// The main window's layer draws icon 162 (ui/window_icon.h). Until it is part of the
// build, a dialog shows the icon of the window it belongs to, which is the same icon.
#if __has_include("ui/window_icon.h")
#include "ui/window_icon.h"
#define PLUG528_HAVE_WINDOW_ICON 1
#endif

namespace p528::ui {

QString Text(const Shell& shell, int id) { return QString::fromStdString(shell.Str(id)); }

void SetDialogIcon(QWidget* dialog) {
#ifdef PLUG528_HAVE_WINDOW_ICON
  dialog->setWindowIcon(WindowIcon());
#else
  if (QWidget* owner = dialog->parentWidget()) dialog->setWindowIcon(owner->window()->windowIcon());
#endif
}

}  // namespace p528::ui
