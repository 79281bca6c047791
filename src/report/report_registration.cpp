#include "report/report_registration.h"

#include "shell/result_registration.h"
#include "shell/shell.h"
#include "workbench/calc_diagnostics.h"
#include "workbench/registration.h"
#include "workbench/result_json.h"
#include "workbench/workbench.h"

#include <fstream>
#include <iterator>

namespace p528 {

int64_t RegisterReport(const Workbench& workbench, const ReportOutcome& outcome) {
  const Shell& shell = workbench.shell();
  if (outcome.status != ReportStatus::Written || !shell.ServiceExists(kRegisterResultService)) return 0;
  std::ifstream in(outcome.path, std::ios::binary);
  std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) return 0;
  ResultRegistration entry =
      MakeRegistration(workbench, ResultJson(workbench, 2, Diagnostics(workbench)), std::move(html));
  const intptr_t id = shell.CallService(kRegisterResultService, 0, reinterpret_cast<intptr_t>(&entry));
  return id > 0 ? static_cast<int64_t>(id) : 0;
}

}  // namespace p528
