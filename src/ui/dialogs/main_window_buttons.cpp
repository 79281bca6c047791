#include "ui/dialogs/main_window_buttons.h"

#include "ui/dialogs/dialog_commands.h"
#include "ui/main_window.h"

namespace p528::ui {

void ConnectDialogButtons(CDarErud528Dlg& window) {
  // The window outlives its buttons, so each command may keep a reference to it.
  CDarErud528Dlg* w = &window;
  window.commands.components = [w] { RunComponentsDialog(w->Window(), w->GetWorkbench(), w->Seams()); };
  window.commands.analysisSettings = [w] { RunAnalysisSettings(w->Window(), w->GetWorkbench()); };
  window.commands.reportSettings = [w] { RunReportOptions(w->Window(), w->GetWorkbench()); };
  window.commands.showReport = [w] {
    ShowReport(w->Window(), w->GetWorkbench(), w->Seams(), w->CalibrationChartWindow(),
               w->DistillationChartWindow());
  };
  window.commands.saveReport = [w] {
    SaveReport(w->Window(), w->GetWorkbench(), w->Seams(), w->CalibrationChartWindow(),
               w->DistillationChartWindow());
  };
}

}  // namespace p528::ui
