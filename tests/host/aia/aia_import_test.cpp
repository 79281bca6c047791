// The AIA importer on files as data systems write them: each test changes a typical file in
// the one respect real files differ in, and checks what the user gets (the chromatogram in
// the system's units) or the refusal.
#include "host/kit/aia/aia_import.h"
#include "chromatogram/chrm_role.h"
#include "host/kit/aia/aia_date.h"
#include "host/kit/aia/import_role.h"
#include "support/aia_test_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

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
  std::ifstream in(folder / "run.cdf", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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

TEST(AiaTimestamp, LocalTimeWithItsOffsetBecomesUtc) {
  struct Row {
    const char* text;
    int64_t utc;  // -1: refused
  };
  const int64_t noon = aia::DaysFromCivil(2024, 2, 29) * 86400 + 12 * 3600;
  for (const Row& row :
       {Row{"20240229120000+0000", noon}, Row{"20240229150000+0300", noon}, Row{"20240229070000-05:00", noon},
        Row{" 20240229120000Z ", noon}, Row{"20240229120000", noon}, Row{"20230229120000+0000", -1},
        Row{"20241301000000", -1}, Row{"20240229120000+1500", -1}, Row{"2024-02-29 12:00", -1},
        Row{"", -1}}) {
    const auto stamp = aia::ParseAiaTimestamp(row.text);
    if (row.utc < 0) {
      EXPECT_FALSE(stamp) << row.text;
    } else {
      ASSERT_TRUE(stamp) << row.text;
      EXPECT_EQ(stamp->utcSeconds, row.utc) << row.text;
    }
  }
  EXPECT_FALSE(aia::ParseAiaTimestamp("20240229120000")->hadOffset);
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
