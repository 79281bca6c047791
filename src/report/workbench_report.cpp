#include "report/workbench_report.h"

#include "workbench/workbench.h"

namespace p528 {

ReportSources WorkbenchReportSources(const Workbench& workbench) {
  return ReportSources{workbench.chrmSet, workbench.analysis, workbench.messages,
                       workbench.num_device, workbench.OperatorName};
}

ReportOutcome MakeWorkbenchReport(Workbench& workbench, ReportRequest request) {
  if (request.calibrationChart.chart == nullptr) request.calibrationChart.chart = &workbench.calibrationChart;
  if (request.distillationChart.chart == nullptr) request.distillationChart.chart = &workbench.distillationChart;
  return MakeReport(WorkbenchReportSources(workbench), request);
}

}  // namespace p528
