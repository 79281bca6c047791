// The report of the main window's state: the workbench supplies the chromatogram set, the
// engine, the message log, the instrument number, the operator and both charts.
#pragma once

#include "report/make_report.h"

namespace p528 {

class Workbench;

// The report's sources as the workbench holds them now.
ReportSources WorkbenchReportSources(const Workbench& workbench);

// MakeReport over the workbench. The request's charts default to the pictures of the
// workbench's calibration and distillation charts as they are shown now.
ReportOutcome MakeWorkbenchReport(const Workbench& workbench, ReportRequest request);

}  // namespace p528
