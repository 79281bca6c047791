// The command line's custom-reference file: its format, its faults and what it stores.
#include "custom_reference_file.h"

#include "shell/settings.h"
#include "shell/shell.h"
#include "support/fake_host.h"
#include "support/files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace p528 {
namespace {

constexpr const char* kSection = "plugins\\plug528\\GasoilParams\\";

std::string Key(const std::string& name) { return kSection + name; }

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
      {"# c\n0.5 114 7.6 1\n",
       "Строка 2: ожидаются доля отгона, температура кипения и допустимое отклонение."},
      {"0.5 11x4 7.6\n", "Строка 1: \"11x4\" не является числом."},
      {"0.5 114,6 7.6\n", "Строка 1: \"114,6\" не является числом."},
      {"0.5 nan 7.6\n", "Строка 1: \"nan\" не является числом."},
      {"7.5 114 7.6\n",
       "Строка 1: доля отгона 7.5 не относится к точкам эталона (0.5, 5, 10, ... 95, 99.5)."},
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

  const test::TempFolder folder;
  const std::string path = folder / "reference.txt";
  test::WriteBytes(path, std::string(70 * 1024, '#'));
  EXPECT_FALSE(ReadCustomReferenceFile(shell, path, ref, error));
  EXPECT_EQ(error, "Файл эталона слишком велик (более 65536 байт).");
  test::WriteBytes(path, "passport A-1\n0.5 114 7.6\n");
  ASSERT_TRUE(ReadCustomReferenceFile(shell, path, ref, error)) << error;
  EXPECT_EQ(ref.TemperatureAt(0.5), 114.0);
  EXPECT_EQ(ref.passportNumber, "A-1");
}

// The command line stores a file as the dialog's OK would, and nothing when it is faulty.
TEST(StoreCustomReferenceFile, StoresLikeTheDialog) {
  test::FakeHost host;
  const Shell shell = host.MakeShell();
  const test::TempFolder folder;
  const std::string path = folder / "reference.txt";
  test::WriteBytes(path, "passport 7\n0.5 114.6 7.64\n50 312 x\n");
  std::string error;
  EXPECT_FALSE(StoreCustomReferenceFile(shell, path, error));
  EXPECT_EQ(error, "Строка 3: \"x\" не является числом.");
  EXPECT_FALSE(host.ProfileText(Key("0_temp")).has_value());
  test::WriteBytes(path, "passport 7\n0.5 114.6 7.64\n");
  ASSERT_TRUE(StoreCustomReferenceFile(shell, path, error)) << error;
  EXPECT_EQ(host.ProfileText(Key("0_temp")), "115");
  EXPECT_EQ(host.ProfileText(Key("0_delta")), "7.6");
  EXPECT_EQ(host.ProfileText(Key("1_temp")), "-1");
  EXPECT_FALSE(host.ProfileText(Key("gasoilPasportNum")).has_value());  // one character
}

// The example of docs/custom-reference.md reads as documented.
TEST(ReadCustomReferenceFile, DocumentedExample) {
  const Shell shell;
  std::ifstream doc(std::string(PLUG528_SOURCE_DIR) + "/docs/custom-reference.md");
  ASSERT_TRUE(doc);
  std::string line, example;
  bool inExample = false, afterHeading = false;
  while (std::getline(doc, line)) {
    if (line == "## Example")
      afterHeading = true;
    else if (afterHeading && line == "```") {
      if (inExample) break;
      inExample = true;
    } else if (inExample)
      example += line + "\n";
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
