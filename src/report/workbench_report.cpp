#include "report/workbench_report.h"

#include "workbench/workbench.h"

namespace p528 {

ReportSources WorkbenchReportSources(const Workbench& workbench) {
  return ReportSources{workbench.chrmSet(), workbench.analysis(), workbench.tables(), workbench.messages(),
                       workbench.instrumentNumber(), workbench.operatorName()};
}

ReportOutcome MakeWorkbenchReport(Workbench& workbench, ReportRequest request) {
  // Drawing a chart into a picture changes only its display state.
  if (request.calibrationChart.chart == nullptr)
    request.calibrationChart.chart = &workbench.calibrationChartForView();
  if (request.distillationChart.chart == nullptr) {
    request.distillationChart.chart = &workbench.distillationChartForView();
  }
  return MakeReport(WorkbenchReportSources(workbench), request);
}

}  // namespace p528
