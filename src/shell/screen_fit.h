// Where a window opens on the screens of this session: a place remembered on another set of
// screens (a laptop after a large monitor, a monitor since unplugged) or a built-in size
// larger than the screen never leaves a window, its title bar or its buttons out of reach.
// Pixels of the desktop; one work area per screen (the screen less its panels).
#pragma once

#include <vector>

namespace p528 {

struct WindowPlace {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowPlace&) const = default;
};

// `wanted` with its size cut to the work area (and raised to the minimum where the work
// area allows), then moved so that it lies wholly inside.
WindowPlace FitToWorkArea(WindowPlace wanted, const WindowPlace& workArea, int minWidth, int minHeight);

// `wanted` fitted to the work area it overlaps most; one it does not overlap at all goes to
// the first work area (the primary screen's). No work areas: `wanted` as it is.
WindowPlace FitToScreens(const WindowPlace& wanted, const std::vector<WindowPlace>& workAreas, int minWidth,
                         int minHeight);

}  // namespace p528
