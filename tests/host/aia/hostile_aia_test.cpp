// Files made to take the importer over: headers whose counts, sizes and ids lie, a record
// count that would make a read wrap, files of other formats. Each is refused with a reason,
// from a path and from memory alike, and valid files of every classic format still import.
#include "host/kit/aia/aia_import.h"
#include "host/kit/aia/classic_header.h"
#include "host/kit/aia/conversion_worker.h"
#include "support/aia_test_file.h"
#include "support/classic_netcdf.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <netcdf.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

namespace p528::test {
namespace {

using aia::ImportAia;
using aia::ImportAiaMemory;

std::string BigFloats(const std::vector<float>& values) {
  std::string out;
  for (float v : values) {
    uint32_t bits = 0;
    std::memcpy(&bits, &v, 4);
    for (int i = 3; i >= 0; --i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
  }
  return out;
}

// A minimal AIA file: four samples of ordinate_values, the sampling interval an attribute;
// `change` alters the header before its data are placed behind it.
std::string MinimalAia(int version, const std::function<void(ClassicFile&)>& change = {}) {
  ClassicFile file;
  file.version = version;
  file.dimensions = {{"point_number", 4}};
  file.attributes = {{"actual_sampling_interval", 6, 1, std::string("\x3f\xe0\0\0\0\0\0\0", 8)}};
  file.variables = {{"ordinate_values", {0}, 5, 0, {}}};
  if (change) change(file);
  const size_t header = file.Bytes().size();
  for (ClassicVariable& v : file.variables) {
    if (v.begin == 0) v.begin = header;
  }
  return file.Bytes() + BigFloats({1, 2, 3, 4});
}

class HostileAia : public ::testing::Test {
 protected:
  // The refusal of `bytes` from a file and from memory; the two must agree.
  std::string Refusal(const std::string& bytes) {
    std::ofstream(folder / "hostile.cdf", std::ios::binary) << bytes;
    const aia::AiaImportResult fromFile = ImportAia(folder / "hostile.cdf", "");
    const aia::AiaImportResult fromMemory = ImportAiaMemory(bytes.data(), bytes.size(), "");
    EXPECT_EQ(fromFile.error, fromMemory.error);
    EXPECT_TRUE(fromFile.file.channels.empty());
    return fromFile.error;
  }
  TempFolder folder;
};

TEST_F(HostileAia, TheMinimalFileImportsInEveryClassicFormat) {
  for (const int version : {1, 2, 5}) {
    const std::string bytes = MinimalAia(version);
    EXPECT_EQ(aia::ClassicHeaderProblem(bytes.data(), bytes.size()), "") << version;
    const aia::AiaImportResult result = ImportAiaMemory(bytes.data(), bytes.size(), "");
    ASSERT_TRUE(result.ok()) << version << ": " << result.error;
    EXPECT_EQ(result.file.channels[0].samples, (std::vector<float>{1, 2, 3, 4}));
  }
}

TEST_F(HostileAia, LyingHeadersAreRefusedBeforeNetcdfReadsThem) {
  struct Case {
    const char* what;
    int version;
    std::function<void(ClassicFile&)> change;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"2^29 dimensions in a few bytes", 1, [](ClassicFile& f) { f.declaredDimensions = uint64_t{1} << 29; },
       "elements in a list"},
      {"2^31-1 variables", 2, [](ClassicFile& f) { f.declaredVariables = 0x7FFFFFFF; }, "elements in a list"},
      {"2^31-1 variables, CDF-5", 5, [](ClassicFile& f) { f.declaredVariables = 0x7FFFFFFF; },
       "elements in a list"},
      {"a dimension id naming nothing", 1, [](ClassicFile& f) { f.variables[0].dimensionIds = {7}; },
       "dimension that does not exist"},
      {"data beyond the end", 2, [](ClassicFile& f) { f.variables[0].begin = 1 << 20; }, "truncated"},
      {"a length beyond the file", 5, [](ClassicFile& f) { f.dimensions[0].second = uint64_t{1} << 40; },
       "truncated"},
      {"a name longer than netCDF allows", 1, [](ClassicFile& f) { f.variables[0].name.assign(300, 'x'); },
       "a name of 300 bytes"},
      {"an unknown type", 1, [](ClassicFile& f) { f.variables[0].type = 9; }, "unknown type"},
      {"an attribute larger than the file", 1, [](ClassicFile& f) { f.attributes[0].count = 1 << 30; },
       "attribute larger"},
      {"no record count", 1, [](ClassicFile& f) { f.records = 0xFFFFFFFF; }, "no record count"},
      {"the record dimension second", 1,
       [](ClassicFile& f) {
         f.dimensions.push_back({"time", 0});
         f.variables.push_back({"late", {0, 1}, 5, 0, {}});
       },
       "not a variable's first"},
      // The sampling interval a text record variable of 2^62 + 1 records of 4 bytes: the
      // element count wraps to 4 while the read would write every record into it.
      {"a record count that wraps the element count", 5,
       [](ClassicFile& f) {
         f.records = (uint64_t{1} << 62) + 1;
         f.attributes.clear();
         f.dimensions.push_back({"record", 0});
         f.dimensions.push_back({"_4_byte_string", 4});
         f.variables.push_back({"actual_sampling_interval", {1, 2}, 2, 0, {}});
       },
       "more records than the file has bytes"},
  };
  for (const Case& c : cases) {
    EXPECT_NE(Refusal(MinimalAia(c.version, c.change)).find(c.reason), std::string::npos) << c.what;
  }
  EXPECT_EQ(Refusal(std::string("\x89HDF\r\n\x1a\n", 8) + std::string(512, '\0')),
            "a netCDF-4 (HDF5) file: only the classic netCDF formats are read");
  EXPECT_EQ(Refusal("CDF\x03"), "not a netCDF file");
  EXPECT_NE(Refusal(MinimalAia(1).substr(0, 30)).find("damaged"), std::string::npos);
}

TEST_F(HostileAia, FilesNetcdfWritesOpenAsBeforeAndScalarsAreNoRecords) {
  for (const int format : {0, NC_64BIT_OFFSET, NC_64BIT_DATA}) {
    AiaTestFile typical = TypicalAiaFile();
    typical.format = format;
    // A header filling most of the file: netCDF reads headers in blocks beyond the bytes.
    typical.SetText("comment", std::string(6000, 'c'));
    typical.signals[0].resize(4);
    typical.Write(folder / "typical.cdf");
    const aia::AiaImportResult result = ImportAia(folder / "typical.cdf", "");
    EXPECT_TRUE(result.ok()) << format << ": " << result.error;
  }
  // A step that is no number in minutes would be stored as 0.
  AiaTestFile tiny = TypicalAiaFile();
  tiny.Erase("actual_sampling_interval");
  tiny.numbers.push_back({"actual_sampling_interval", 5e-324});
  tiny.Write(folder / "tiny.cdf");
  EXPECT_NE(ImportAia(folder / "tiny.cdf", "").error.find("is too small"), std::string::npos);
  // A sampling interval given once per record is no single value: the file gives none.
  const std::string path = folder / "records.cdf";
  TypicalAiaFile().Write(path);
  int ncid = -1;
  ASSERT_EQ(nc_open(path.c_str(), NC_WRITE, &ncid), NC_NOERR);
  int record = -1;
  int varid = -1;
  nc_redef(ncid);
  nc_rename_var(ncid, 0, "old_interval");
  nc_def_dim(ncid, "record", NC_UNLIMITED, &record);
  nc_def_var(ncid, "actual_sampling_interval", NC_FLOAT, 1, &record, &varid);
  nc_enddef(ncid);
  const float step = 0.5f;
  const size_t start = 0;
  const size_t count = 1;
  nc_put_vara_float(ncid, varid, &start, &count, &step);
  ASSERT_EQ(nc_close(ncid), NC_NOERR);
  EXPECT_NE(ImportAia(path, "").error.find("no sampling interval"), std::string::npos);
}

// Whatever is left to the library: a converter that crashes, hangs or answers nothing is a
// refused file with the reason, and the next file converts. Stand-ins play the converter.
TEST_F(HostileAia, AConversionThatCrashesOrHangsIsARefusalAndTheNextFileConverts) {
  TypicalAiaFile().Write(folder / "good.cdf");
  const std::vector<std::pair<std::string, std::string>> standIns = {
      {"kill -SEGV $$", "the conversion failed on the file's content (SIGSEGV)"},
      {"exec sleep 30", "the conversion took longer than 1 s and was stopped"},
      {"exit 3", "the conversion failed (exit status 3)"},
  };
  for (const auto& [script, reason] : standIns) {
    const std::string converter = folder / "converter.sh";
    std::ofstream(converter) << "#!/bin/sh\n" << script << "\n";
    std::filesystem::permissions(converter, std::filesystem::perms::owner_all);
    EXPECT_EQ(aia::ImportAiaInWorker(converter, folder / "good.cdf", "", 1).error, reason) << script;
    std::filesystem::remove(converter);
  }
  EXPECT_NE(aia::ImportAiaInWorker(folder / "missing-converter", folder / "good.cdf", "")
                .error.find("cannot be started"),
            std::string::npos);
  const aia::AiaImportResult good = aia::ImportAiaInWorker(CONVERTER, folder / "good.cdf", "#анализ");
  ASSERT_TRUE(good.ok()) << good.error;
  EXPECT_EQ(good.file.channels[0].samples.size(), 40u);
  EXPECT_EQ(good.file.passport.sample, "Diesel fuel 528");
  EXPECT_EQ(
      aia::ImportAiaInWorker(CONVERTER, folder / "missing.cdf", "").error.rfind("cannot open the file", 0),
      0u);
}

}  // namespace
}  // namespace p528::test
