#include "shell/screen_fit.h"

#include <algorithm>

namespace p528 {

namespace {

// The area both share, in square pixels (64-bit: four large screens side by side).
long long Overlap(const WindowPlace& a, const WindowPlace& b) {
  const long long width = std::min<long long>(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
  const long long height = std::min<long long>(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
  return width > 0 && height > 0 ? width * height : 0;
}

}  // namespace

WindowPlace FitToWorkArea(WindowPlace wanted, const WindowPlace& workArea, int minWidth, int minHeight) {
  wanted.width = std::min(std::max(wanted.width, minWidth), workArea.width);
  wanted.height = std::min(std::max(wanted.height, minHeight), workArea.height);
  wanted.x = std::clamp(wanted.x, workArea.x, workArea.x + workArea.width - wanted.width);
  wanted.y = std::clamp(wanted.y, workArea.y, workArea.y + workArea.height - wanted.height);
  return wanted;
}

WindowPlace FitToScreens(const WindowPlace& wanted, const std::vector<WindowPlace>& workAreas, int minWidth,
                         int minHeight) {
  if (workAreas.empty()) return wanted;
  const WindowPlace* best = &workAreas.front();
  long long most = 0;
  for (const WindowPlace& area : workAreas) {
    const long long shared = Overlap(wanted, area);
    if (shared > most) {
      most = shared;
      best = &area;
    }
  }
  return FitToWorkArea(wanted, *best, minWidth, minHeight);
}

}  // namespace p528
