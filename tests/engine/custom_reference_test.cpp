#include "engine/custom_reference.h"

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
  ref.SetDeviationText(2, "4,1");  // decimal-prefix rule: 4
  EXPECT_EQ(ref.TemperatureAt(10), 169.4);
  EXPECT_EQ(ref.DeviationAt(10), 4.0);
  EXPECT_EQ(ref.TemperatureAt(12.5), -1.0);  // not a row
  EXPECT_EQ(ref.TemperatureText(2), "169");
  EXPECT_EQ(ref.DeviationText(2), "4.0");
  EXPECT_EQ(ref.TemperatureText(3), "---");
  ref.rows[3].deviation = 0.0;
  EXPECT_EQ(ref.DeviationText(3), "---");
  EXPECT_EQ(ref.TemperatureText(21), "---");  // outside the rows
}

// ---- the custom-reference file ----

TEST(ParseCustomReference, ReadsPointsPassportAndComments) {
  const Shell shell;
  const std::string text =
      "\xEF\xBB\xBF# reference gas oil\r\n"
      "PASSPORT  2024 / 117  # certificate\r\n"
      "0.5 114 7.6\r\n"
      "5.0;143;3.8\n"
      "\t25 - ---\n"
      "\n"
      "99.5  475  11.8";
  CustomReference ref;
  std::string error;
  ASSERT_TRUE(ParseCustomReference(shell, text, ref, error)) << error;
  EXPECT_EQ(ref.passportNumber, "2024 / 117");
  EXPECT_EQ(ref.TemperatureAt(0.5), 114.0);
  EXPECT_EQ(ref.DeviationAt(0.5), 7.6);
  EXPECT_EQ(ref.TemperatureAt(5), 143.0);
  EXPECT_EQ(ref.TemperatureAt(25), -1.0);
  EXPECT_EQ(ref.DeviationAt(25), -1.0);
  EXPECT_EQ(ref.TemperatureAt(99.5), 475.0);
  EXPECT_EQ(ref.TemperatureAt(10), -1.0);  // not named: not set
}

TEST(ParseCustomReference, FaultsNameTheLineAndChangeNothing) {
  const Shell shell;
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"0.5 114\n", "Строка 1: ожидаются доля отгона, температура кипения и допустимое отклонение."},
      {"# c\n0.5 114 7.6 1\n", "Строка 2: ожидаются доля отгона, температура кипения и допустимое отклонение."},
      {"0.5 11x4 7.6\n", "Строка 1: \"11x4\" не является числом."},
      {"0.5 114,6 7.6\n", "Строка 1: \"114,6\" не является числом."},
      {"0.5 nan 7.6\n", "Строка 1: \"nan\" не является числом."},
      {"7.5 114 7.6\n", "Строка 1: доля отгона 7.5 не относится к точкам эталона (0.5, 5, 10, ... 95, 99.5)."},
      {"5 143 3.8\n\n05 143 3.8\n", "Строка 3: доля отгона 05 указана повторно."},
      {"passport\n", "Строка 1: номер паспорта не указан."},
  };
  for (const Case& c : cases) {
    CustomReference ref;
    ref.rows[0].temperature = 123;
    std::string error;
    EXPECT_FALSE(ParseCustomReference(shell, c.text, ref, error)) << c.text;
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(ref.rows[0].temperature, 123.0) << c.text;
  }
}

TEST(ReadCustomReferenceFile, MissingOversizedAndGoodFiles) {
  const Shell shell;
  CustomReference ref;
  std::string error;
  EXPECT_FALSE(ReadCustomReferenceFile(shell, "/nonexistent/ref.txt", ref, error));
  EXPECT_EQ(error, "Не удается прочитать файл эталона: /nonexistent/ref.txt");
  EXPECT_FALSE(ReadCustomReferenceFile(shell, PLUG528_BINARY_DIR, ref, error));  // a folder

  const std::string path = std::string(PLUG528_BINARY_DIR) + "/custom_reference_test.txt";
  {
    std::ofstream out(path, std::ios::binary);
    out << std::string(70 * 1024, '#');
  }
  EXPECT_FALSE(ReadCustomReferenceFile(shell, path, ref, error));
  EXPECT_EQ(error, "Файл эталона слишком велик (более 65536 байт).");
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "passport A-1\n0.5 114 7.6\n";
  }
  ASSERT_TRUE(ReadCustomReferenceFile(shell, path, ref, error)) << error;
  EXPECT_EQ(ref.TemperatureAt(0.5), 114.0);
  EXPECT_EQ(ref.passportNumber, "A-1");
  std::remove(path.c_str());
}

// The command line stores a file as the dialog's OK would, and nothing when it is faulty.
TEST(StoreCustomReferenceFile, StoresLikeTheDialog) {
  test::FakeHost host;
  const Shell shell = host.MakeShell();
  const std::string path = std::string(PLUG528_BINARY_DIR) + "/custom_reference_store.txt";
  {
    std::ofstream out(path, std::ios::binary);
    out << "passport 7\n0.5 114.6 7.64\n50 312 x\n";
  }
  std::string error;
  EXPECT_FALSE(StoreCustomReferenceFile(shell, path, error));
  EXPECT_EQ(error, "Строка 3: \"x\" не является числом.");
  EXPECT_FALSE(host.ProfileText(Key("0_temp")).has_value());
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "passport 7\n0.5 114.6 7.64\n";
  }
  ASSERT_TRUE(StoreCustomReferenceFile(shell, path, error)) << error;
  EXPECT_EQ(host.ProfileText(Key("0_temp")), "115");
  EXPECT_EQ(host.ProfileText(Key("0_delta")), "7.6");
  EXPECT_EQ(host.ProfileText(Key("1_temp")), "-1");
  EXPECT_FALSE(host.ProfileText(Key("gasoilPasportNum")).has_value());  // one character
  std::remove(path.c_str());
}

// The example of docs/custom-reference.md reads as documented.
TEST(ReadCustomReferenceFile, DocumentedExample) {
  const Shell shell;
  std::ifstream doc(std::string(PLUG528_SOURCE_DIR) + "/docs/custom-reference.md");
  ASSERT_TRUE(doc);
  std::string line, example;
  bool inExample = false, afterHeading = false;
  while (std::getline(doc, line)) {
    if (line == "## Example") afterHeading = true;
    else if (afterHeading && line == "```") {
      if (inExample) break;
      inExample = true;
    } else if (inExample) example += line + "\n";
  }
  CustomReference ref;
  std::string error;
  ASSERT_TRUE(ParseCustomReference(shell, example, ref, error)) << error;
  EXPECT_EQ(ref.passportNumber, "2024-117");
  EXPECT_EQ(ref.TemperatureAt(99.5), 475.0);
  EXPECT_EQ(ref.DeviationAt(99.5), 11.8);
  EXPECT_EQ(ref.TemperatureAt(25), -1.0);
  EXPECT_EQ(ref.TemperatureAt(35), -1.0);
}

}  // namespace
}  // namespace p528
