// The readable summary of `simdist calc`: the files and their roles, the method, the
// calibration points and resolution, each analysis's boiling range and point table, the
// result tables as the window shows them and the formatted message log. Texts come from the
// interface language's string table; line ends are "\n".
#pragma once

#include <string>

namespace p528 {
class Workbench;
}

namespace p528::simdist {

std::string Summary(const Workbench& workbench);

}  // namespace p528::simdist
