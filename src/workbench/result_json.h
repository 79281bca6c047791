// The JSON document of `simdist calc --json`: every result of the last recalculation of a
// workbench, in the stable form documented in docs/simdist.md. Doubles are written with 17
// significant digits (they read back bit for bit); a value that is not finite is null.
#pragma once

#include <string>
#include <vector>

namespace p528 {

class Workbench;

// The whole document, indented by `indent` spaces per level (0: one line). `diagnostics`
// (Diagnostics()) become the last member "diagnostics", which is left out when empty.
std::string ResultJson(const Workbench& workbench, int indent = 2,
                       const std::vector<std::string>& diagnostics = {});

}  // namespace p528
