// Column-performance checks run by BuildCalibration after the curve is built, in this
// order: the C16/C18 resolution of the calibration run together with the internal-standard
// window from the C14 and C17 peaks (CheckResolution), the relative response factors of
// the check mixture's n-paraffins against n-decane (CheckResponseFactors). Findings are
// appended; the checks never stop the calculation.
//
// Names are compared in the interface's letters (Cyrillic С under a Russian interface,
// Latin C otherwise), as the peak names of the set were converted to them, and without
// regard to the case of Latin letters. Times in minutes, masses in mg, areas in detector
// units × min.
#pragma once

#include <cstdint>
#include <string_view>

namespace p528 {

struct CalcResult;

// Sets calibration.resolution (0 when a C16 or C18 peak is missing or the widths give no
// finite value) and calibration.isWindow (C14 time × 0.95, C17 time × 1.05; 0 when that
// peak is missing); appends one error when the resolution is below 3.0. Does nothing
// without a calibration run.
void CheckResolution(CalcResult& engine);

// Rebuilds calibration.responseRows from the peaks of channel 0 of the check run (no rows
// without one) and judges them under ASTM D 2887 and GOST ISO 3924; may append errors and
// one information message.
void CheckResponseFactors(CalcResult& engine);

// The response factors are judged under ASTM D 2887 method A and GOST ISO 3924 only.
bool ChecksResponse(int32_t method);

// Equality of two names ignoring the case of Latin letters only.
bool EqualsLatinNoCase(std::string_view a, std::string_view b);

}  // namespace p528
