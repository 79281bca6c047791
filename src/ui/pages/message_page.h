// CDlgMSG: the system messages page. A read-only text (control 1018) shows the formatted
// message log of the last recalculation; the check boxes "Ошибки" (1011),
// "Предупреждения" (1012) and "Информация" (1013) filter it. Escape is ignored here, so
// it never hides the main window while the messages are read.
#pragma once

#include <QWidget>

class QCheckBox;
class QPlainTextEdit;

namespace p528 {
class Workbench;
}

namespace p528::ui {

class CDlgMSG final : public QWidget {
  Q_OBJECT

 public:
  CDlgMSG(Workbench& workbench, QWidget* parent = nullptr);
  // Shows the log's current formatted text and filters.
  void Refresh();
  QString ShownText() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FiltersClicked();

  Workbench& workbench_;
  QPlainTextEdit* text_;
  QCheckBox* errors_;
  QCheckBox* warnings_;
  QCheckBox* information_;
};

// The log's text for a text control: "\r\n" line ends as "\n".
QString DisplayText(const std::string& text);

}  // namespace p528::ui
