// `simdist calc --register DB`: the result of a complete calculation (the JSON document of
// --json, the report's HTML when --report wrote one) registered in the result register of
// the host's database DB, as the window registers it through the host.
#pragma once

#include <iosfwd>
#include <string>

namespace p528 {
class Workbench;
}

namespace p528::simdist {

struct CalcConfig;

// Registers and prints "simdist: registered as entry N" on `err`. False with the reason
// printed when the register could not be opened or written.
bool RegisterResult(const Workbench& workbench, const CalcConfig& config, std::string resultJson,
                    std::ostream& err);

}  // namespace p528::simdist
