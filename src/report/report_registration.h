// A report the window made or saved enters the laboratory's result register: the result of
// the calculation (the JSON document the command line writes) with the report's HTML goes to
// the host's "Register/AddResult" service. Only a host that offers the service is asked; a
// host without one is not told anything and the report command is unchanged.
#pragma once

#include "report/make_report.h"

#include <cstdint>

namespace p528 {

class Workbench;

// After a report command: registers a written report's result; returns the entry id the
// host gave, 0 when nothing was registered (the report was not written, the host offers no
// register, the report cannot be read back, or the host refused).
int64_t RegisterReport(const Workbench& workbench, const ReportOutcome& outcome);

}  // namespace p528
