// The register's record of the workbench's last calculation: the runs of the set, the
// method and every setting the calculation used, the reference check's points, the JSON
// document the command line writes, and the report's HTML when one was made. The command
// line and the windows both make it here, so a result registered from either holds the same.
#pragma once

#include "shell/result_registration.h"

#include <string>

namespace p528 {

class Workbench;

// The program version the register records ("plug528 1.2").
std::string RegisteredProgramVersion();

// Method key of the register ("astm-d2887-a", "gost-56720-a", "gost-56720-b", "gost-54291",
// "gost-iso-3924"); "method N" for any other value.
std::string RegisteredMethodName(int method);

// Everything but the time, the operator (taken from the workbench when it has one) and the
// fingerprints, which the register fills. `resultJson` is the calculation's document
// (ResultJson), `reportHtml` the report when one was made.
ResultRegistration MakeRegistration(const Workbench& workbench, std::string resultJson,
                                    std::string reportHtml = {});

}  // namespace p528
