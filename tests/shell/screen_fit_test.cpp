// Where a remembered window opens: on the screen it was left on when that screen is still
// there, else brought onto the primary one, and never larger than the work area (a 1280 x 720
// laptop among them).
#include "shell/screen_fit.h"

#include <gtest/gtest.h>

namespace p528 {
namespace {

struct Case {
  const char* name;
  WindowPlace wanted;
  WindowPlace expected;
};

TEST(FitToWorkArea, SizeCutToTheAreaThenMovedInside) {
  const WindowPlace area{0, 0, 1280, 720};
  const Case cases[] = {
      {"fits as it is", {100, 50, 900, 600}, {100, 50, 900, 600}},
      {"taller than the screen", {100, 50, 1058, 848}, {100, 0, 1058, 720}},
      {"remembered on a larger screen", {1500, 900, 800, 500}, {480, 220, 800, 500}},
      {"left of the screen", {-300, -40, 800, 500}, {0, 0, 800, 500}},
      {"below the minimum", {10, 10, 200, 100}, {10, 10, 640, 400}},
  };
  for (const Case& c : cases) EXPECT_EQ(FitToWorkArea(c.wanted, area, 640, 400), c.expected) << c.name;
  // A work area that does not start at 0 (a panel on the left or on top).
  EXPECT_EQ(FitToWorkArea({0, 0, 2000, 2000}, {64, 28, 1216, 692}, 640, 400),
            (WindowPlace{64, 28, 1216, 692}));
}

TEST(FitToScreens, TheScreenMostOfTheWindowIsOnElseThePrimary) {
  // The laptop (primary, a panel on top) and a large monitor to its left.
  const std::vector<WindowPlace> laptopAndMonitor = {{0, 28, 1280, 692}, {-2560, 0, 2560, 1440}};
  const std::vector<WindowPlace> laptop = {laptopAndMonitor[0]};
  struct ScreensCase {
    const char* name;
    const std::vector<WindowPlace>* screens;
    WindowPlace wanted;
    WindowPlace expected;
  };
  const ScreensCase cases[] = {
      {"on the monitor, left there", &laptopAndMonitor, {-2400, 100, 1800, 1200}, {-2400, 100, 1800, 1200}},
      {"mostly on the monitor", &laptopAndMonitor, {-900, 100, 1000, 700}, {-1000, 100, 1000, 700}},
      {"mostly on the laptop", &laptopAndMonitor, {-100, 100, 1000, 600}, {0, 100, 1000, 600}},
      {"the monitor since unplugged", &laptop, {-2400, 100, 1800, 1200}, {0, 28, 1280, 692}},
      {"far off every screen", &laptopAndMonitor, {5000, 5000, 700, 500}, {580, 220, 700, 500}},
  };
  for (const ScreensCase& c : cases)
    EXPECT_EQ(FitToScreens(c.wanted, *c.screens, 640, 400), c.expected) << c.name;
  EXPECT_EQ(FitToScreens({5, 6, 7, 8}, {}, 640, 400), (WindowPlace{5, 6, 7, 8})) << "no screens known";
}

}  // namespace
}  // namespace p528
