// Place and size of a window, remembered between sessions in the settings ("settings",
// one key per window, the text "x y width height" in pixels), and fitted to the screen's
// work area when the window opens: a window remembered on a larger screen, or one whose
// built-in size is larger than the screen, never opens with its buttons out of reach.
#pragma once

#include <optional>
#include <string_view>

namespace p528 {

class Shell;

struct WindowPlace {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowPlace&) const = default;
};

// Keys of the remembered windows.
inline constexpr const char* kMainWindowPlaceKey = "window_main";
inline constexpr const char* kCalibrationChartPlaceKey = "window_calibration_chart";
inline constexpr const char* kDistillationChartPlaceKey = "window_distillation_chart";

// The remembered place; none when absent or not four whole numbers with a positive size.
std::optional<WindowPlace> ReadWindowPlace(const Shell& shell, std::string_view key);
void WriteWindowPlace(const Shell& shell, std::string_view key, const WindowPlace& place);

// The place to open at: `wanted` with its size cut to the work area (and raised to the
// minimum where the work area allows), then moved so that it lies wholly inside.
WindowPlace FitToWorkArea(WindowPlace wanted, const WindowPlace& workArea, int minWidth, int minHeight);

}  // namespace p528
