// Place and size of the plug-in's windows, remembered between sessions in its own settings
// ("settings", one key per window, the text "x y width height" in pixels), whichever host
// runs it; fitted to the screens when the window opens (shell/screen_fit.h).
#pragma once

#include "shell/screen_fit.h"

#include <optional>
#include <string_view>

namespace p528 {

class Shell;

// Keys of the remembered windows.
inline constexpr const char* kMainWindowPlaceKey = "window_main";
inline constexpr const char* kCalibrationChartPlaceKey = "window_calibration_chart";
inline constexpr const char* kDistillationChartPlaceKey = "window_distillation_chart";

// The remembered place; none when absent or not four whole numbers with a positive size.
std::optional<WindowPlace> ReadWindowPlace(const Shell& shell, std::string_view key);
void WriteWindowPlace(const Shell& shell, std::string_view key, const WindowPlace& place);

}  // namespace p528
