// Remembered window places: read back as written, anything else forgotten.
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

}  // namespace
}  // namespace p528::test
