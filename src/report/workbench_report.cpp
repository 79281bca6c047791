#include "report/workbench_report.h"

#include "workbench/workbench.h"

namespace p528 {

ReportSources WorkbenchReportSources(const Workbench& workbench) {
  return ReportSources{workbench.chrmSet(),  workbench.analysis(),         workbench.tables(),
                       workbench.messages(), workbench.instrumentNumber(), workbench.operatorName()};
}

ReportOutcome MakeWorkbenchReport(const Workbench& workbench, ReportRequest request) {
  if (!request.calibrationChart) request.calibrationChart = workbench.CalibrationPicture();
  if (!request.distillationChart) request.distillationChart = workbench.DistillationPicture();
  return MakeReport(WorkbenchReportSources(workbench), request);
}

}  // namespace p528
