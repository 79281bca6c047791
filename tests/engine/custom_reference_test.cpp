#include "workbench/custom_reference.h"

#include "shell/settings.h"
#include "shell/shell.h"
#include "support/fake_host.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace p528 {
namespace {

constexpr const char* kSection = "plugins\\plug528\\GasoilParams\\";

std::string Key(const std::string& name) { return kSection + name; }

TEST(CustomReference, TwentyOneRowsInOrder) {
  const CustomReference ref;
  EXPECT_EQ(ref.rows[0].label, "Тнк(IBP)");
  EXPECT_EQ(ref.rows[0].percent, 0.5);
  EXPECT_EQ(ref.rows[1].label, "5");
  EXPECT_EQ(ref.rows[19].label, "95");
  EXPECT_EQ(ref.rows[19].percent, 95.0);
  EXPECT_EQ(ref.rows[20].label, "Ткк(FBP)");
  EXPECT_EQ(ref.rows[20].percent, 99.5);
  for (const GasoilParamRow& row : ref.rows) {
    EXPECT_EQ(row.temperature, -1.0);
    EXPECT_EQ(row.deviation, -1.0);
  }
}

TEST(CustomReference, SavedWithItsFormatsAndReadBack) {
  test::FakeHost host;
  const Shell shell = host.MakeShell();
  CustomReference ref(shell);
  ref.rows[0].temperature = 114.6;
  ref.rows[0].deviation = 7.64;
  ref.rows[3].temperature = 196.5;  // "%.0f" rounds half to even
  ref.passportNumber = "2024-117";
  ref.Save(shell);

  EXPECT_EQ(host.ProfileText(Key("0_temp")), "115");
  EXPECT_EQ(host.ProfileText(Key("0_delta")), "7.6");
  EXPECT_EQ(host.ProfileText(Key("3_temp")), "196");
  EXPECT_EQ(host.ProfileText(Key("20_temp")), "-1");
  EXPECT_EQ(host.ProfileText(Key("20_delta")), "-1.0");
  EXPECT_EQ(host.ProfileText(Key("gasoilPasportNum")), "2024-117");

  const CustomReference back = CustomReference::FromSettings(shell);
  EXPECT_EQ(back.rows[0].temperature, 115.0);
  EXPECT_EQ(back.rows[0].deviation, 7.6);
  EXPECT_EQ(back.TemperatureAt(0.5), 115.0);
  EXPECT_EQ(back.DeviationAt(99.5), -1.0);
  EXPECT_EQ(back.passportNumber, "2024-117");
}

TEST(CustomReference, AbsentAndNonNumericSettings) {
  test::FakeHost host;
  const Shell shell = host.MakeShell();
  host.SetProfileText(Key("4_temp"), "abc");
  host.SetProfileText(Key("4_delta"), " 2.5x");
  const CustomReference ref = CustomReference::FromSettings(shell);
  EXPECT_EQ(ref.rows[4].temperature, 0.0);
  EXPECT_EQ(ref.rows[4].deviation, 2.5);
  EXPECT_EQ(ref.rows[5].temperature, -1.0);
  EXPECT_EQ(ref.passportNumber, "");
  EXPECT_EQ(ref.PassportText(), "---");
}

// A passport number of one character is not stored; the stored one stays.
TEST(CustomReference, OneCharacterPassportIsNotSaved) {
  test::FakeHost host;
  const Shell shell = host.MakeShell();
  host.SetProfileText(Key("gasoilPasportNum"), "old-1");
  for (const char* number : {"7", "№", ""}) {
    CustomReference ref(shell);
    ref.passportNumber = number;
    ref.Save(shell);
    EXPECT_EQ(host.ProfileText(Key("gasoilPasportNum")), "old-1") << number;
    EXPECT_EQ(ref.PassportText(), "---") << number;
  }
  EXPECT_TRUE(PassportNumberStorable("№7"));  // two characters, five bytes
}

TEST(CustomReference, LookupsAndDialogTexts) {
  CustomReference ref;
  ref.SetTemperatureText(2, "169.4");
  ref.SetDeviationText(2, "4,1");  // a typed comma is the decimal separator
  EXPECT_EQ(ref.TemperatureAt(10), 169.4);
  EXPECT_EQ(ref.DeviationAt(10), 4.1);
  EXPECT_EQ(ref.TemperatureAt(12.5), -1.0);  // not a row
  EXPECT_EQ(ref.TemperatureText(2), "169");
  EXPECT_EQ(ref.DeviationText(2), "4.1");
  EXPECT_EQ(ref.TemperatureText(3), "---");
  ref.rows[3].deviation = 0.0;
  EXPECT_EQ(ref.DeviationText(3), "---");
  EXPECT_EQ(ref.TemperatureText(21), "---");  // outside the rows
}

// ---- the custom-reference file ----

}  // namespace
}  // namespace p528
