// The analysis time of a chromatogram's passport as the file list and the report show it.
#pragma once

#include <cstdint>
#include <string>

namespace p528 {

// Local time "%d.%m.%y  %H:%M" of `andate` (seconds since 1970); "" when the time cannot be
// represented.
std::string AnalysisTimeText(int64_t andate);

}  // namespace p528
