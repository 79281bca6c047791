// The dialog "Настройки отчета" (Qt): the nine report sections as check boxes in the
// report's order. Opening reads the stored flags; OK stores all nine; "Отмена", Escape and
// the close box store nothing. The caller recalculates after OK.
//
// Object names: the dialog "138", the heading "1031", the check boxes their control ids,
// the buttons "1" (OK, the default) and "2". User-interface thread only.
#pragma once

#include "report/report_options.h"

#include <QDialog>

#include <vector>

class QCheckBox;

namespace p528 {
class Shell;
}

namespace p528::ui {

class CDlgOptions : public QDialog {
  Q_OBJECT

 public:
  explicit CDlgOptions(const Shell& shell, QWidget* parent = nullptr);

  const ReportOptions& Options() const { return options_; }

 private:
  void Ok();

  const Shell& shell_;
  ReportOptions options_;
  std::vector<QCheckBox*> boxes_;  // in the order of ReportFlags()
};

}  // namespace p528::ui
