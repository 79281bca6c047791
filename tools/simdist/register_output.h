// `--register DB`: the result of a complete calculation (its JSON document, the report's HTML
// when a report was written) registered in the result register of the host's database DB,
// as the window registers it through the host. `simdist calc` registers its one result;
// `simdist batch` makes each sample's record on its worker and registers them all on one
// thread (batch_register.h).
#pragma once

#include "output_guard.h"

#include "shell/result_registration.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace p528 {
class Workbench;
}

namespace p528::simdist {

struct CalcConfig;

// For CheckOutputs: the register, an output, and the assay database (--db), an input unless
// the register lives in it.
void AddDatabaseFiles(const CalcConfig& config, std::vector<NamedPath>& outputs,
                      std::vector<NamedPath>& inputs);

// The register's record of the workbench's result: `resultJson` and the report written to
// `reportPath` ("" for none) read back. Nothing, with the reason in `error`, when the report
// cannot be read back.
std::optional<ResultRegistration> ResultRecord(const Workbench& workbench, std::string resultJson,
                                               const std::string& reportPath, std::string& error);

// Registers and prints "simdist: registered as entry N" on `err`. False with the reason
// printed when the report cannot be read back or the register could not be opened or written.
bool RegisterResult(const Workbench& workbench, const CalcConfig& config, std::string resultJson,
                    std::ostream& err);

}  // namespace p528::simdist
