// The dialogs' side of the workbench: every access to the workbench's state from the dialogs
// is in this file (and in report_commands.cpp).
#include "ui/dialogs/dialog_commands.h"

#include "ui/dialogs/analysis_settings_dialog.h"
#include "ui/dialogs/components_dialog.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/dialogs/report_options_dialog.h"
#include "workbench/component_commands.h"
#include "workbench/workbench.h"

namespace p528::ui {

void RunAnalysisSettings(QWidget* window, Workbench& workbench) {
  AnalysisSettingsDialog dialog(
      workbench.analysisForSettingsDialog(), window, [&workbench] { workbench.Recalculate(); }, window);
  dialog.exec();
}

void RunComponentsDialog(QWidget* window, Workbench& workbench, DialogSeams& seams) {
  ComponentEdits edits;
  {
    CComponents dialog(workbench.shell(), workbench.components(), window);
    if (dialog.exec() != QDialog::Accepted) return;
    edits = dialog.Edits();
  }
  std::string error;
  if (!ApplyComponentEditsAndSave(workbench, edits, error)) {
    const std::string pattern = workbench.shell().Str(text::kComponentsNotSaved);
    const std::size_t at = pattern.find("%s");
    const std::string message =
        at == std::string::npos ? pattern + error : pattern.substr(0, at) + error + pattern.substr(at + 2);
    seams.ShowMessage(window, Text(workbench.shell(), text::kComponentsTitle),
                      QString::fromStdString(message), DialogSeams::MessageKind::Error);
  }
}

void RunReportOptions(QWidget* window, Workbench& workbench) {
  CDlgOptions dialog(workbench.shell(), window);
  if (dialog.exec() == QDialog::Accepted) workbench.Recalculate();
}

}  // namespace p528::ui
