// The result pages' commands on the workbench: what the calibration tab, the distillation
// chart page and the message page change in the workbench when the user types or clicks.
// Each is one small step; the window then shows the result (and, for the C1-C4 times, asks
// for the recalculation, which it queues on the event loop).
//
// User-interface thread only.
#pragma once

#include "workbench/chart_page_rules.h"

#include <array>
#include <string>

namespace p528 {

class Workbench;

// A C1-C4 field (index 0..3) now holds `text` (already filtered): stored at once under its
// settings key, the single-precision times written into the first component rows, the
// points list refilled. The caller then requests a recalculation.
void ChangeCalibrationTime(Workbench& workbench, int index, const std::string& text);

// The calibration tab's calculator: "Рассчитать Y по X" (`yFromX`) or "Рассчитать X по Y"
// on the texts given; both texts are kept, the computed one is returned ("0" when the
// calibration does not cover the value).
std::string CalculateCalibration(Workbench& workbench, const std::string& textX, const std::string& textY,
                                 bool yFromX);

// The message page's three filters; returns the formatted log.
const std::string& FilterMessages(Workbench& workbench, bool errors, bool warnings, bool information);

}  // namespace p528
