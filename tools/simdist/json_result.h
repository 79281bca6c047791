// The JSON document of `simdist calc --json`: every result of the last recalculation of a
// workbench, in the stable form documented in docs/simdist.md. Doubles are written with 17
// significant digits (they read back bit for bit); a value that is not finite is null.
#pragma once

#include <string>

namespace p528 {
class Workbench;
}

namespace p528::simdist {

// The whole document, indented by `indent` spaces per level (0: one line).
std::string ResultJson(const Workbench& workbench, int indent = 2);

}  // namespace p528::simdist
