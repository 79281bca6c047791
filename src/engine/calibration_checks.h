// Column-performance checks run by BuildCalibration after the curve is built, in this
// order: the C16/C18 resolution of the calibration run together with the internal-standard
// window from the C14 and C17 peaks (CheckResolution), the relative response factors of
// the check mixture's n-paraffins against n-decane (CheckResponseFactors), and the
// "Коэфф. отклика" list (FillResponseList). Findings become messages; the checks never
// stop the calculation.
//
// Names are compared in the interface's letters (Cyrillic С under a Russian interface,
// Latin C otherwise), as the peak names of the set were converted to them, and without
// regard to the case of Latin letters. Times in minutes, masses in mg, areas in detector
// units × min. User-interface thread only.
#pragma once

#include <string_view>

namespace p528 {

class CAnalysis;

// Sets calibration.resolution (0 when a C16 or C18 peak is missing or the widths give no
// finite value) and calibration.isWindow (C14 time × 0.95, C17 time × 1.05; 0 when that
// peak is missing); appends one error when the resolution is below 3.0. Does nothing
// without a calibration run.
void CheckResolution(CAnalysis& engine);

// Rebuilds calibration.responseRows from the peaks of channel 0 of the check run (no rows
// without one) and judges them under ASTM D 2887 and GOST ISO 3924; may append errors and
// one information message.
void CheckResponseFactors(CAnalysis& engine);

// Refills tables.response from calibration.responseRows: one line per row with a
// component ("№", name, area, mass, factor, conformity).
void FillResponseList(CAnalysis& engine);

// Equality of two names ignoring the case of Latin letters only.
bool EqualsLatinNoCase(std::string_view a, std::string_view b);

}  // namespace p528
