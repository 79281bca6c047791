// Chromatograms exported as text by data systems: each row of the tables is one way such an
// export is written (separator, decimal mark, caption, encoding, header) and what the user
// gets: the same signal in the system's units, or the refusal in words.
#include "host/kit/aia/text_export.h"
#include "chromatogram/chrm_role.h"
#include "shell/text.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

namespace p528::test {
namespace {

using aia::AiaImportResult;
using aia::TimeUnit;

// Five samples from 0.5 min every 0.1 min in every variant.
const std::vector<float> kSignal = {10.0f, 12.5f, 15.25f, -1.5f, 9.0f};

AiaImportResult Import(const std::string& text, std::optional<TimeUnit> asked = std::nullopt) {
  return aia::ImportTextExportMemory(text, "#анализ", asked, "/exports/Diesel 528.txt");
}

std::string Utf16Le(const std::string& utf8) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : Utf8ToUtf16(utf8)) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::string Cp1251(const std::string& utf8) {
  std::string bytes;
  EncodeCp1251(utf8, bytes);
  return bytes;
}

TEST(TextExport, EveryLayoutGivesTheSameSignal) {
  struct Row {
    const char* variant;
    std::string text;
    std::optional<TimeUnit> asked;
  };
  const Row rows[] = {
      {"tab, point, unit in brackets",
       "Sample: Diesel 528\nTime (min)\tSignal (mV)\n0.5\t10\n0.6\t12.5\n0.7\t15.25\n0.8\t-1.5\n0.9\t9\n",
       {}},
      {"semicolon, decimal comma, Russian caption in Windows-1251",
       Cp1251("Образец: Diesel 528\nВремя, мин;Сигнал, мВ\n0,5;10\n0,6;12,5\n0,7;15,25\n0,8;-1,5\n0,9;9\n"),
       {}},
      {"comma, point, seconds in square brackets, CRLF",
       "Time [s],Signal\r\n30,10\r\n36,12.5\r\n42,15.25\r\n48,-1.5\r\n54,9\r\n",
       {}},
      {"quoted fields",
       "\"Time (min)\",\"Signal\"\n\"0.5\",\"10\"\n\"0.6\",\"12.5\"\n\"0.7\",\"15.25\"\n"
       "\"0.8\",\"-1.5\"\n\"0.9\",\"9\"\n",
       {}},
      {"blanks, decimal comma, unit line, padded columns",
       "Time unit: Seconds\n\n   30,0     10,0\n   36,0     12,5\n   42,0     15,25\n   48,0     -1,5\n"
       "   54,0      9,0\n\n",
       {}},
      {"milliseconds, exponents, UTF-16 with its mark",
       Utf16Le("RT(ms)\tIntensity\n3.0E4\t1.0e1\n3.6E4\t1.25e1\n4.2E4\t15.25\n4.8E4\t-1.5\n5.4E4\t9\n"),
       {}},
      {"no caption, the unit asked", "0.5\t10\n0.6\t12.5\n0.7\t15.25\n0.8\t-1.5\n0.9\t9\n",
       TimeUnit::Minutes},
      {"caption without a unit, the unit asked", "X\tY\n30\t10\n36\t12.5\n42\t15.25\n48\t-1.5\n54\t9\n",
       TimeUnit::Seconds},
      {"trailing separator, times with four decimals",
       "Time (min);Value;\n0.5000;10;\n0.6000;12.5;\n0.7000;15.25;\n0.8000;-1.5;\n0.9000;9;\n",
       {}},
  };
  for (const Row& row : rows) {
    const AiaImportResult r = Import(row.text, row.asked);
    ASSERT_TRUE(r.ok()) << row.variant << ": " << r.error;
    ASSERT_EQ(r.file.channels.size(), 1u) << row.variant;
    const ChrmChannel& c = r.file.channels[0];
    EXPECT_EQ(c.samples, kSignal) << row.variant;
    EXPECT_NEAR(c.startTime, 0.5, 1e-12) << row.variant;
    EXPECT_NEAR(c.step, 0.1, 1e-12) << row.variant;
    EXPECT_EQ(r.file.passport.sample, "Diesel 528") << row.variant;  // from the header or the file name
    EXPECT_EQ(PassportRoleText(r.file), "#анализ") << row.variant;
  }
}

TEST(TextExport, AnythingElseIsRefusedInWords) {
  struct Row {
    const char* variant;
    std::string text;
    const char* error;  // a part of the refusal
  };
  const Row rows[] = {
      {"a table of three columns", "Time\tA\tB\n0.5\t1\t2\n0.6\t1\t2\n", "not two columns of numbers"},
      {"an empty file", "", "not two columns of numbers"},
      {"a single sample", "Time (min)\tSignal\n0.5\t10\n", "single sample"},
      {"an unknown time unit", "Time (h)\tSignal\n0.5\t10\n0.6\t11\n", "unknown time unit \"h\""},
      {"a first column that is no time", "Point\tSignal\n1\t10\n2\t11\n", "first column \"Point\""},
      {"no unit named nor asked", "Time\tSignal\n0.5\t10\n0.6\t11\n", "does not say the unit of its times"},
      {"a unit line and a caption disagreeing", "Time unit: s\nTime (min)\tSignal\n0.5\t10\n0.6\t11\n",
       "different units"},
      {"uneven sampling", "Time (min)\tSignal\n0.5\t10\n0.6\t11\n0.9\t12\n1.0\t13\n", "not uniform"},
      {"a line breaking the signal", "Time (min)\tSignal\n0.5\t10\n0.6\toverload\n0.7\t12\n0.8\t13\n",
       "signal is broken at line 3"},
      {"a value beyond single precision", "Time (min)\tSignal\n0.5\t1e39\n0.6\t11\n", "beyond the range"},
      {"a stated interval the times do not keep",
       "Interval (s): 3\nTime (min)\tSignal\n0.5\t10\n0.6\t11\n0.7\t12\n", "disagrees with the times"},
      {"binary bytes", std::string("\x89PNG\r\n\x1a\n\0\0", 10), "NUL bytes"},
  };
  for (const Row& row : rows) {
    const AiaImportResult r = Import(row.text, std::nullopt);
    EXPECT_NE(r.error.find(row.error), std::string::npos) << row.variant << ": " << r.error;
    EXPECT_TRUE(r.file.channels.empty()) << row.variant;
  }
}

TEST(TextExport, HeaderGivesThePassportThePeaksAndTheExactStep) {
  const std::string text =
      "Sample Name\tДизельное топливо\n"
      "Injection Date\t2024-03-12 09:50:00+03:00\n"
      "Operator\tE. Smirnova\n"
      "Interval(msec)\t6000\n"
      "\n"
      "Peak#\tName\tR.Time (s)\tHeight\tArea\n"
      "1\tC10\t36\t25\t120\n"
      "2\tC12\t48\t30\t180\n"
      "\n"
      "R.Time (min)\tIntensity\n"
      "0.5\t10\n0.6\t12.5\n0.7\t15.25\n0.8\t-1.5\n0.9\t9\n";
  const AiaImportResult r = Import(text);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.file.passport.sample, "Дизельное топливо");
  EXPECT_EQ(r.file.passport.andate, 1710226200);  // 06:50 UTC
  ASSERT_EQ(r.file.passport.fields.size(), 2u);
  EXPECT_EQ(r.file.passport.fields[1].value, "E. Smirnova");
  const ChrmChannel& c = r.file.channels[0];
  EXPECT_EQ(c.step, 0.1);  // 6000 ms exactly, not the step of the rounded times
  ASSERT_EQ(c.peaks.size(), 2u);
  EXPECT_EQ(c.peaks[1].name, "C12");
  EXPECT_DOUBLE_EQ(c.peaks[1].time, 0.8);
  EXPECT_DOUBLE_EQ(c.peaks[1].height, 30.0);
  EXPECT_DOUBLE_EQ(c.peaks[1].area, 180.0);  // signal x the file's time unit (minutes)
  EXPECT_TRUE(r.notices.empty()) << r.notices.front();
}

TEST(TextExport, FilesAreReadByTheirPathAndNamedByTheirExtension) {
  TempFolder folder;
  std::ofstream(folder / "run.CSV") << "Time (min);Signal\n0,5;10\n0,6;12,5\n";
  const AiaImportResult r = aia::ImportTextExport(folder / "run.CSV", "", std::nullopt);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.file.passport.sample, "run");
  EXPECT_EQ(aia::ImportTextExport(folder / "missing.txt", "", std::nullopt).error, "cannot open the file");
  EXPECT_TRUE(aia::IsTextExportName("a/b.Asc"));
  EXPECT_FALSE(aia::IsTextExportName("a/b.cdf"));
}

}  // namespace
}  // namespace p528::test
