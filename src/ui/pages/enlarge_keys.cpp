#include "ui/pages/enlarge_keys.h"

#include <QShortcut>
#include <QWidget>

namespace p528::ui {

void EnlargeOnKeys(QWidget& chart, std::function<void()> enlarge) {
  chart.setFocusPolicy(Qt::StrongFocus);
  for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
    auto* shortcut = new QShortcut(QKeySequence(key), &chart);
    shortcut->setContext(Qt::WidgetShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &chart, enlarge);
  }
}

}  // namespace p528::ui
