// Remembered window places: read back as written, anything else forgotten, and fitted to
// the work area (a 1280 x 720 screen among them) so that no window opens out of reach.
#include "workbench/window_place.h"

#include "workbench_fixture.h"

namespace p528::test {
namespace {

using WindowPlaces = WorkbenchTest;

TEST_F(WindowPlaces, ReadBackAsWrittenAnythingElseIsForgotten) {
  WriteWindowPlace(shell, kMainWindowPlaceKey, {-8, 20, 1100, 700});
  EXPECT_EQ(ReadWindowPlace(shell, kMainWindowPlaceKey), (WindowPlace{-8, 20, 1100, 700}));
  EXPECT_EQ(host.ProfileText("plugins\\plug528\\settings\\window_main"), "-8 20 1100 700");
  for (const char* stored : {"", "1 2 3", "1 2 3 4 5", "1 2 0 4", "a b c d", "1 2 -3 4"}) {
    host.SetProfileText("plugins\\plug528\\settings\\window_main", stored);
    EXPECT_EQ(ReadWindowPlace(shell, kMainWindowPlaceKey), std::nullopt) << stored;
  }
}

TEST(FitToWorkArea, SizeCutToTheAreaThenMovedInside) {
  struct Case {
    const char* name;
    WindowPlace wanted;
    WindowPlace expected;
  };
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

}  // namespace
}  // namespace p528::test
