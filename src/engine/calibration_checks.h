// Column-performance checks run by BuildCalibration: the C16/C18 resolution with the
// internal-standard window from the C14 and C17 peaks, and the relative response factors
// of the check mixture against n-decane, with the response-factor list.
#pragma once

namespace p528 {

class CAnalysis;

// Sets calibration.resolution and calibration.isWindow; may append one error.
void CheckResolution(CAnalysis& engine);
// Fills calibration.responseRows from the check run; may append errors and a note.
void CheckResponseFactors(CAnalysis& engine);
// Refills tables.response from calibration.responseRows.
void FillResponseList(CAnalysis& engine);

}  // namespace p528
