// The AIA importer on files as data systems write them: each test changes a typical file in
// the one respect real files differ in, and checks what the user gets (the chromatogram in
// the system's units) or the refusal.
#include "host/kit/aia/aia_import.h"
#include "chromatogram/chrm_role.h"
#include "host/kit/aia/aia_date.h"
#include "host/kit/aia/import_role.h"
#include "host/kit/aia/time_unit.h"
#include "support/aia_test_file.h"
#include "support/files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>

namespace p528::test {
namespace {

using aia::AiaImportResult;
using aia::ImportAia;

const char* const kRole = "#анализ";

class AiaImport : public ::testing::Test {
 protected:
  AiaImportResult Import(const AiaTestFile& file) {
    const std::string path = folder / "run.cdf";
    file.Write(path);
    return ImportAia(path, kRole);
  }
  std::string Field(const ChrmFile& file, const std::string& name) {
    for (const PassportField& f : file.passport.fields) {
      if (f.name == name) return f.value;
    }
    return "<none>";
  }
  TempFolder folder;
};

TEST_F(AiaImport, TypicalFileBecomesAChromatogramInMinutes) {
  const AiaImportResult r = Import(TypicalAiaFile());
  ASSERT_TRUE(r.ok()) << r.error;
  ASSERT_EQ(r.file.channels.size(), 1u);
  const ChrmChannel& c = r.file.channels[0];
  EXPECT_EQ(c.number, 1);
  EXPECT_DOUBLE_EQ(c.startTime, 0.1);  // 6 s
  EXPECT_DOUBLE_EQ(c.step, 0.5 / 60);
  ASSERT_EQ(c.samples.size(), 40u);
  EXPECT_EQ(c.samples[3], 103.0f);
  ASSERT_EQ(c.peaks.size(), 2u);
  EXPECT_EQ(c.peaks[1].name, "C12");  // blank padding removed
  EXPECT_DOUBLE_EQ(c.peaks[1].time, 0.25);
  EXPECT_DOUBLE_EQ(c.peaks[1].front, 14.0 / 60);
  EXPECT_DOUBLE_EQ(c.peaks[1].back, 16.5 / 60);
  EXPECT_DOUBLE_EQ(c.peaks[1].height, 30.0);  // signal units: unchanged
  EXPECT_DOUBLE_EQ(c.peaks[1].area, 3.0);     // signal x s -> signal x min

  const ChrmPassport& p = r.file.passport;
  EXPECT_EQ(p.sample, "Diesel fuel 528");
  EXPECT_EQ(p.andate, 1710226200);  // 2024-03-12 09:50 at +03:00 is 06:50 UTC
  EXPECT_DOUBLE_EQ(p.duration, 26.0 / 60);
  EXPECT_EQ(PassportRoleText(r.file), kRole);
  EXPECT_EQ(Field(r.file, "operator"), "E. Smirnova");
  EXPECT_EQ(Field(r.file, "aia_sample_id"), "S-528");
  EXPECT_EQ(Field(r.file, "aia_experiment_title"), "Simulated distillation");
  EXPECT_EQ(Field(r.file, "aia_detector_name"), "FID 1");
  EXPECT_EQ(Field(r.file, "aia_sample_name"), "<none>");  // became the sample, not a field
  EXPECT_EQ(p.assayid.size(), 36u);
  EXPECT_NE(p.assayid, ChrmPassport().assayid);
  EXPECT_TRUE(r.notices.empty()) << r.notices.front();

  // The same bytes from memory give the same chromatogram.
  const std::string bytes = test::ReadBytes(folder / "run.cdf");
  const AiaImportResult m = aia::ImportAiaMemory(bytes.data(), bytes.size(), kRole);
  ASSERT_TRUE(m.ok()) << m.error;
  EXPECT_EQ(m.file.channels[0].samples, c.samples);
  EXPECT_EQ(m.file.passport.andate, p.andate);
}

TEST_F(AiaImport, MinutesAndTheUnitsSpellingKeepTimesAsTheyAre) {
  AiaTestFile f = TypicalAiaFile();
  f.Erase("retention_unit");
  f.SetText("retention_units", "minutes ");
  const AiaImportResult r = Import(f);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_DOUBLE_EQ(r.file.channels[0].step, 0.5);
  EXPECT_DOUBLE_EQ(r.file.channels[0].peaks[0].time, 9.0);
  EXPECT_DOUBLE_EQ(r.file.channels[0].peaks[0].area, 120.0);
}

TEST_F(AiaImport, NumbersStoredAsTextAndTextStoredAsNumbers) {
  AiaTestFile f = TypicalAiaFile();
  f.Erase("actual_sampling_interval");
  f.Erase("sample_id");
  f.SetText("actual_sampling_interval", std::string(" 0,25\0\0", 7));
  f.numbers = {{"sample_id", 528.0}, {"sample_injection_volume", 0.2}};
  const AiaImportResult r = Import(f);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_DOUBLE_EQ(r.file.channels[0].step, 0.25 / 60);
  EXPECT_EQ(Field(r.file, "aia_sample_id"), "528");
  EXPECT_EQ(Field(r.file, "aia_sample_injection_volume"), "0.2");
}

TEST_F(AiaImport, NullValuesReadAsUnknown) {
  AiaTestFile f = TypicalAiaFile();
  f.Erase("actual_delay_time");
  f.scalars.emplace_back("actual_delay_time", -9999);
  f.peakColumns[3].second = {-9999, 30.0};  // peak_height
  f.SetText("detector_name", "");
  const AiaImportResult r = Import(f);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.file.channels[0].startTime, 0.0);
  EXPECT_EQ(r.file.channels[0].peaks[0].height, 0.0);
  EXPECT_EQ(Field(r.file, "aia_detector_name"), "<none>");

  // A null sample is not a signal value: the file is refused rather than calculated wrong.
  f.signals[0][17] = -9999;
  const AiaImportResult refused = Import(f);
  EXPECT_NE(refused.error.find("at sample 18"), std::string::npos) << refused.error;
}

TEST_F(AiaImport, MissingOptionalPartsReadAsTheirDefaults) {
  AiaTestFile f = TypicalAiaFile();
  f.Erase("actual_delay_time");
  f.Erase("peak_height");
  f.Erase("peak_area");
  f.Erase("injection_date_time_stamp");
  f.Erase("retention_unit");
  const AiaImportResult r = Import(f);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.file.channels[0].startTime, 0.0);
  EXPECT_DOUBLE_EQ(r.file.channels[0].step, 0.5 / 60);  // seconds assumed
  EXPECT_EQ(r.file.channels[0].peaks[1].area, 0.0);
  EXPECT_EQ(r.file.passport.andate, 0);
  EXPECT_EQ(r.notices.size(), 3u);  // heights and areas, unit, analysis time

  f.peakNames.clear();
  f.peakColumns.clear();
  const AiaImportResult noPeaks = Import(f);
  ASSERT_TRUE(noPeaks.ok()) << noPeaks.error;
  EXPECT_TRUE(noPeaks.file.channels[0].peaks.empty());
}

TEST_F(AiaImport, NamesInOtherPaddingsAndEncodingsBecomeCleanText) {
  AiaTestFile f = TypicalAiaFile();
  f.peakNames = {"  C10", "n-C\xE9"};  // Latin-1 e acute
  f.namePad = '\0';
  f.SetText("sample_name",
            "Diesel\x01"
            "528   ");
  const AiaImportResult r = Import(f);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.file.channels[0].peaks[0].name, "C10");
  EXPECT_EQ(r.file.channels[0].peaks[1].name, "n-C\u00e9");
  EXPECT_EQ(r.file.passport.sample, "Diesel 528");
}

TEST_F(AiaImport, NonUniformSamplingOnlyWithinRounding) {
  AiaTestFile f = TypicalAiaFile();
  f.signalTexts = {{"uniform_sampling_flag", "N"}};
  const AiaImportResult withoutTimes = Import(f);
  EXPECT_NE(withoutTimes.error.find("raw_data_retention"), std::string::npos) << withoutTimes.error;

  // Times written with three decimals: uniform within their rounding.
  for (size_t i = 0; i < 40; ++i)
    f.times.push_back(std::round((7.0 + static_cast<double>(i) / 3.0) * 1000) / 1000);
  const AiaImportResult rounded = Import(f);
  ASSERT_TRUE(rounded.ok()) << rounded.error;
  EXPECT_NEAR(rounded.file.channels[0].startTime, 7.0 / 60, 1e-9);
  EXPECT_NEAR(rounded.file.channels[0].step, 1.0 / 180, 1e-9);

  // A gap of one sample is not rounding.
  for (size_t i = 20; i < 40; ++i) f.times[i] += 1.0 / 3;
  const AiaImportResult gap = Import(f);
  EXPECT_NE(gap.error.find("not uniform"), std::string::npos) << gap.error;
}

TEST_F(AiaImport, EveryDetectorChannelIsKeptAndThePeaksBelongToTheFirst) {
  AiaTestFile f = TypicalAiaFile();
  std::vector<float> second = f.signals[0];
  for (float& v : second) v *= 2;
  f.signals.push_back(second);
  const AiaImportResult r = Import(f);
  ASSERT_TRUE(r.ok()) << r.error;
  ASSERT_EQ(r.file.channels.size(), 2u);
  EXPECT_EQ(r.file.channels[1].number, 2);
  EXPECT_EQ(r.file.channels[1].samples, second);
  EXPECT_EQ(r.file.channels[0].peaks.size(), 2u);
  EXPECT_TRUE(r.file.channels[1].peaks.empty());
  EXPECT_EQ(r.notices.size(), 1u);
}

TEST_F(AiaImport, FilesThatAreNotAiaChromatogramsAreRefused) {
  std::ofstream(folder / "text.cdf") << "sample;time\nC10;9.0\n";
  EXPECT_EQ(ImportAia(folder / "text.cdf", kRole).error, "not a netCDF file");
  EXPECT_EQ(ImportAia(folder / "missing.cdf", kRole).error,
            "cannot open the file: No such file or directory");

  AiaTestFile spectrum = TypicalAiaFile();
  spectrum.signals.clear();
  EXPECT_NE(Import(spectrum).error.find("not an AIA chromatography file"), std::string::npos);

  AiaTestFile unit = TypicalAiaFile();
  unit.SetText("retention_unit", "hours");
  EXPECT_NE(Import(unit).error.find("unknown time unit \"hours\""), std::string::npos);

  AiaTestFile noStep = TypicalAiaFile();
  noStep.Erase("actual_sampling_interval");
  EXPECT_NE(Import(noStep).error.find("no sampling interval"), std::string::npos);

  // Files cut short, in the signal or in the last bytes of the peak names (netCDF alone
  // would read the missing part as zeros).
  AiaTestFile big = TypicalAiaFile();
  big.signals[0].assign(20000, 1.0f);
  big.Write(folder / "full.cdf");
  const auto size = std::filesystem::file_size(folder / "full.cdf");
  for (const auto cut : {size / 2, size - 10}) {
    std::filesystem::copy_file(folder / "full.cdf", folder / "cut.cdf",
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(folder / "cut.cdf", cut);
    const AiaImportResult truncated = ImportAia(folder / "cut.cdf", kRole);
    EXPECT_NE(truncated.error.find("truncated"), std::string::npos) << cut << ": " << truncated.error;
    EXPECT_TRUE(truncated.file.channels.empty());
  }
}

// The time units real files write, by spelling class: each row is a text and the unit it
// names (or none, refused with the text quoted).
TEST(AiaTimeUnit, FreeTextNamesItsUnitInAnyCaseAndWording) {
  using aia::TimeUnit;
  struct Row {
    const char* text;
    std::optional<TimeUnit> unit;
  };
  const Row rows[] = {// words in any letter case
                      {"seconds", TimeUnit::Seconds},
                      {"SECONDS", TimeUnit::Seconds},
                      {"Second", TimeUnit::Seconds},
                      {"Minutes", TimeUnit::Minutes},
                      {"MILLISECONDS", TimeUnit::Milliseconds},
                      // abbreviations
                      {"s", TimeUnit::Seconds},
                      {"Sec", TimeUnit::Seconds},
                      {"sec.", TimeUnit::Seconds},
                      {"min", TimeUnit::Minutes},
                      {"Mins", TimeUnit::Minutes},
                      {"m", TimeUnit::Minutes},
                      {"ms", TimeUnit::Milliseconds},
                      {"msec", TimeUnit::Milliseconds},
                      // phrases and joined forms
                      {"time in seconds", TimeUnit::Seconds},
                      {"Time-Sec", TimeUnit::Seconds},
                      {"Time (min)", TimeUnit::Minutes},
                      {"Retention Time [s]", TimeUnit::Seconds},
                      {"milli-seconds", TimeUnit::Milliseconds},
                      {"R.Time_min", TimeUnit::Minutes},
                      {"Seconds (s)", TimeUnit::Seconds},
                      // other languages of the laboratories
                      {"Время, мин", TimeUnit::Minutes},
                      {"СЕКУНДЫ", TimeUnit::Seconds},
                      {"мс", TimeUnit::Milliseconds},
                      // no unit we know, two units, or more than a unit: refused, never guessed
                      {"hours", std::nullopt},
                      {"Time", std::nullopt},
                      {"1/10 s", std::nullopt},
                      {"mm:ss", std::nullopt},
                      {"minutes or seconds", std::nullopt},
                      {"mV", std::nullopt},
                      {"", std::nullopt},
                      {"centiseconds", std::nullopt}};
  for (const Row& row : rows) EXPECT_EQ(aia::TimeUnitFromText(row.text), row.unit) << row.text;
  EXPECT_TRUE(aia::NamesOnlyTime("Retention Time"));
  EXPECT_FALSE(aia::NamesOnlyTime("Time (h)"));
}

TEST_F(AiaImport, AUnitWrittenAsAPhraseConvertsAndAnUnknownOneIsQuoted) {
  AiaTestFile f = TypicalAiaFile();
  f.SetText("retention_unit", "Time-Sec");
  const AiaImportResult r = Import(f);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_DOUBLE_EQ(r.file.channels[0].step, 0.5 / 60);
  f.SetText("retention_unit", "time in 1/100 s");
  EXPECT_EQ(Import(f).error, "unknown time unit \"time in 1/100 s\" (retention_unit)");
}

// Values stored in single precision are taken as the data system wrote them: 0.4 s, not
// 0.4000000059604645 s (a step off in its eighth digit puts the last sample of a long run
// at the wrong time).
TEST_F(AiaImport, SinglePrecisionTimesAreTakenAsWritten) {
  AiaTestFile f = TypicalAiaFile();
  f.Erase("actual_sampling_interval");
  f.Erase("actual_delay_time");
  f.scalars.emplace_back("actual_sampling_interval", 0.4);
  f.scalars.emplace_back("actual_delay_time", 0.012);
  f.peakColumns[0].second = {196.06514, 332.56638};
  const AiaImportResult r = Import(f);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.file.channels[0].step, 0.4 / 60);
  EXPECT_EQ(r.file.channels[0].startTime, 0.012 / 60);
  EXPECT_EQ(r.file.channels[0].peaks[0].time, 196.06514 / 60);
}

TEST_F(AiaImport, WithoutAnIntervalTheSamplingTimesGiveIt) {
  AiaTestFile f = TypicalAiaFile();
  f.Erase("actual_sampling_interval");
  for (size_t i = 0; i < 40; ++i) f.times.push_back(6.0 + 0.5 * static_cast<double>(i));
  const AiaImportResult r = Import(f);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.file.channels[0].step, 0.5 / 60);
  EXPECT_EQ(r.file.channels[0].startTime, 0.1);
}

// Files laid out as the data systems of several vendors write them (their attribute texts,
// single-precision scalars, padding), each converting exactly: sample count, start and step
// in minutes, smallest and largest sample as the file's detector_minimum/maximum_value say.
TEST_F(AiaImport, FilesAsDataSystemsWriteThemConvertExactly) {
  struct Row {
    const char* system;
    const char* unitAttribute;
    const char* unitText;
    const char* detectorUnit;
    double interval, delay;  // stored in single precision
    const char* stamp;
    double perMinute;
  };
  const Row rows[] = {
      {"LC export, lower case", "retention_unit", "seconds", "mAU", 0.4, 0.012, "20181030174305+0000", 60},
      {"GC export, capitalised", "retention_unit", "Seconds", "Volts", 0.2, 0.0, "20230831150758+0900", 60},
      {"plural attribute names", "retention_units", "seconds", "au", 10, 0, "20230908200501+0200", 60},
      {"upper case", "retention_unit", "SECONDS", "uV", 0.05, 1.5, "19960814154823-0500", 60},
      {"phrase", "retention_unit", "time in seconds", "pA", 0.1, 0.0, "19990101000000+0000", 60},
      {"joined", "retention_unit", "Time-Sec", "mV", 0.25, 0.75, "20011231235959-0800", 60},
      {"minutes", "retention_unit", "Minutes", "counts", 0.0016667, 0.0, "20240312095000+0300", 1},
      {"milliseconds", "retention_unit", "msec", "mV", 125, 2500, "20240312095000+0300", 60000},
  };
  for (const Row& row : rows) {
    AiaTestFile f = TypicalAiaFile();
    f.Erase("retention_unit");
    f.Erase("actual_sampling_interval");
    f.Erase("actual_delay_time");
    f.SetText(row.unitAttribute, row.unitText);
    f.SetText("detector_unit", row.detectorUnit);
    f.SetText("injection_date_time_stamp", row.stamp);
    f.scalars.emplace_back("actual_sampling_interval", row.interval);
    f.scalars.emplace_back("actual_delay_time", row.delay);
    f.signals[0].assign(5000, 0.0f);
    for (size_t i = 0; i < f.signals[0].size(); ++i)
      f.signals[0][i] = -0.17588416f + 0.03125f * static_cast<float>(i % 4189);
    f.scalars.emplace_back("detector_minimum_value", -0.17588416f);
    f.scalars.emplace_back("detector_maximum_value", -0.17588416f + 0.03125f * 4188);
    const AiaImportResult r = Import(f);
    ASSERT_TRUE(r.ok()) << row.system << ": " << r.error;
    const ChrmChannel& c = r.file.channels[0];
    EXPECT_EQ(c.samples.size(), 5000u) << row.system;
    EXPECT_EQ(c.step, row.interval / row.perMinute) << row.system;
    EXPECT_EQ(c.startTime, row.delay / row.perMinute) << row.system;
    const auto [low, high] = std::minmax_element(c.samples.begin(), c.samples.end());
    EXPECT_EQ(*low, static_cast<float>(f.scalars[f.scalars.size() - 2].second)) << row.system;
    EXPECT_EQ(*high, static_cast<float>(f.scalars.back().second)) << row.system;
    EXPECT_NE(r.file.passport.andate, 0) << row.system;
    EXPECT_TRUE(r.notices.empty()) << row.system << ": " << r.notices.front();
  }
}

TEST(AiaTimestamp, LocalTimeWithItsOffsetBecomesUtc) {
  struct Row {
    const char* text;
    int64_t utc;  // -1: refused
  };
  const int64_t noon = aia::DaysFromCivil(2024, 2, 29) * 86400 + 12 * 3600;
  for (const Row& row :
       {Row{"20240229120000+0000", noon}, Row{"20240229150000+0300", noon}, Row{"20240229070000-05:00", noon},
        Row{" 20240229120000Z ", noon}, Row{"20240229120000", noon}, Row{"20230229120000+0000", -1},
        Row{"20241301000000", -1}, Row{"20240229120000+1500", -1}, Row{"2024-02-29 12:00", -1}, Row{"", -1},
        // the forms of older data systems
        Row{"240229120000+0000", noon}, Row{"19124022912000000+0000", -1},
        Row{"191240229120000 +03", noon - 3 * 3600}, Row{"2024-02-29 12:00:00", noon},
        Row{"2024/02/29T15:00:00+03:00", noon}, Row{"20240229120000 GMT", noon},
        Row{"20240229120000+0000 (local)", -1}}) {
    const auto stamp = aia::ParseAiaTimestamp(row.text);
    if (row.utc < 0) {
      EXPECT_FALSE(stamp) << row.text;
    } else {
      ASSERT_TRUE(stamp) << row.text;
      EXPECT_EQ(stamp->utcSeconds, row.utc) << row.text;
    }
  }
  EXPECT_FALSE(aia::ParseAiaTimestamp("20240229120000")->hadOffset);
  // A two-digit year of the 1990s is a year of the 1990s; a four-digit year never gets a
  // century added.
  EXPECT_EQ(aia::ParseAiaTimestamp("910523143000")->year, 1991);
  EXPECT_EQ(aia::ParseAiaTimestamp("19910523143000")->year, 1991);
  EXPECT_EQ(aia::ParseAiaTimestamp("191000101000000")->year, 2000);
}

TEST_F(AiaImport, StampsOfOldSystemsGiveSensibleTimesOrANotice) {
  struct Row {
    const char* stamp;
    int64_t andate;  // 0: unknown, with a notice
  };
  const int64_t may1991 = aia::DaysFromCivil(1991, 5, 23) * 86400 + 14 * 3600 + 30 * 60;
  for (const Row& row : {Row{"19910523143000+0000", may1991}, Row{"910523143000", may1991},
                         Row{"39910523143000+0000", 0}, Row{"19700101000000", 0}, Row{"23/05/91 14:30", 0}}) {
    AiaTestFile f = TypicalAiaFile();
    f.SetText("injection_date_time_stamp", row.stamp);
    const AiaImportResult r = Import(f);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.file.passport.andate, row.andate) << row.stamp;
    if (row.andate == 0) {
      ASSERT_FALSE(r.notices.empty()) << row.stamp;
      EXPECT_NE(r.notices[0].find(row.stamp), std::string::npos) << r.notices[0];
    }
  }
}

TEST(AiaRoles, NamesAndSampleRulesGiveRoles) {
  EXPECT_EQ(aia::RoleFromName("Calibration"), RoleCalibration);
  EXPECT_EQ(aia::RoleFromName("check"), RoleCheck);
  EXPECT_EQ(aia::RoleFromName("analyses"), RoleNone);
  const std::vector<aia::RoleRule> rules = {
      {"н-парафин", RoleCalibration}, {"blank", RoleBlank}, {"", RoleAnalysis}};
  EXPECT_EQ(aia::RoleForSample(rules, "Смесь Н-ПАРАФИНОВ С5–С44"), RoleCalibration);
  EXPECT_EQ(aia::RoleForSample(rules, "Blank run"), RoleBlank);
  EXPECT_EQ(aia::RoleForSample(rules, "Diesel"), RoleAnalysis);
  EXPECT_EQ(aia::RoleForSample({}, "Diesel"), RoleNone);
}

}  // namespace
}  // namespace p528::test
