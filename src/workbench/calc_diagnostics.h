// Findings about a calculation that the system message log keeps silent but that explain
// missing or doubtful results: a calculation that stopped without a message, sampling
// steps the engine cannot use (zero, negative, longer than a second), samples that are not
// finite numbers, a component table that matched no peak of the calibration run, a
// calibration curve that does not increase in time or temperature, a blank shorter than an
// analysis or sampled at another step. The command line prints them on standard error and
// lists them in the JSON ("diagnostics"); they never enter the message log, which stays
// the window's record.
#pragma once

#include <string>
#include <vector>

namespace p528 {

class Workbench;

// The last step a calculation of the workbench's method reaches (CalcState): curves for
// the area methods, fractions for the internal-standard methods; StateStarted for a method
// that calculates nothing.
unsigned FinalState(const Workbench& workbench);

// The findings of the workbench's last recalculation, in English, one line each.
std::vector<std::string> Diagnostics(const Workbench& workbench);

}  // namespace p528
