// One chromatogram file in memory: the binary container of channel signals ("STG" header,
// one block of 32-bit float samples per channel) followed by the XML passport and the peak
// tables. Readers parse from bytes (LoadFromMemory) or from a path (LoadFromFile).
//
// Status codes (0 = success, negative = kind of failure) are documented on each function.
// All calls come from the user-interface thread; a channel's lock guards its samples.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace p528 {

struct ChrmColumn {
  int channel = 0;
  std::string name;
  std::string brand;
  int type = 0;
  double diameter = 0;
  double length = 0;
  std::string carrier;
  std::string phase;
  double percent = 0;
  int unit = 0;
  double fraction0 = 0;
  double fraction1 = 0;
  double film = 0;
  std::string part;
  std::string serial;
};

// A user-defined passport field of the host. Title "Chrm_Type" carries the role; the field
// named "operator" carries the operator's name.
struct PassportField {
  std::string name;   // XML element name
  std::string title;
  std::string value;
};

struct ChrmPassport {
  std::string path;  // path of the last successful LoadFromFile / target of SaveToFile
  std::string assayid = "00000000-0000-0000-0000-000000000000";
  std::string series;
  int64_t andate = 0;  // time of the analysis, seconds since 1970-01-01 00:00 UTC
  double duration = 0;
  std::string sample;  // sample name
  std::string method;
  bool graduation = false;
  int64_t date = 0;
  bool defect = false;
  std::string mixture;
  std::vector<ChrmColumn> columns;
  std::vector<PassportField> fields;
};

struct ChrmPeak {
  double front = 0;   // start of the peak, minutes
  double back = 0;    // end of the peak, minutes
  double time = 0;    // retention time, minutes
  double area = 0;
  double height = 0;  // height above the baseline, signal units
  double concent = 0;
  std::string name;   // component name
  bool reference = false;
  int left = -1;
  int right = -1;
  uint32_t flags = 0;
  double front_base_height = 0;
  double back_base_height = 0;
  double index = 0;
};

// One detector channel. Copying copies the data and gives the copy a fresh lock.
struct ChrmChannel {
  int number = 0;
  std::vector<float> samples;  // detector signal, one value per sampling step
  double startTime = 0;        // time of the first sample, minutes
  double step = 0;             // sampling interval, minutes
  std::vector<ChrmPeak> peaks;
  mutable std::unique_ptr<std::mutex> lock = std::make_unique<std::mutex>();  // guards samples

  ChrmChannel() = default;
  ChrmChannel(const ChrmChannel& other);
  ChrmChannel& operator=(const ChrmChannel& other);
  ChrmChannel(ChrmChannel&&) noexcept = default;
  ChrmChannel& operator=(ChrmChannel&&) noexcept = default;
};

class CVantiroFile4 {
 public:
  CVantiroFile4() = default;
  CVantiroFile4(const CVantiroFile4&) = default;
  CVantiroFile4& operator=(const CVantiroFile4&) = default;
  virtual ~CVantiroFile4() = default;

  // Reads a whole file held in memory (an XML part declared "windows-1251" is decoded from
  // that code page). 0 read; -1 magic is not "STG"; -2 version above 1;
  // -3 XML part not well-formed, header short, or a block reaching past the end of the bytes
  // or xmlOffset not at the end of the channel blocks. Does not change passport.path.
  virtual int LoadFromMemory(const void* bytes, uint64_t count);
  // Reads a file. 0 read; -1 cannot open or read (also a path that is not a regular file:
  // a FIFO, a device or a folder is never opened); -2 header short; -3 bad magic; -4 version
  // above 1; -5 block header short; -6 samples short (a count the rest of the file cannot
  // hold, never allocated); -7 XML part not well-formed, or xmlOffset not at the end of the
  // channel blocks. Sets passport.path on success. After a failure the object holds what was
  // read before it (channels may be emptied or partly filled).
  virtual int LoadFromFile(const std::string& path);
  // Writes the file. 0 written; -1 cannot open; -2 header not written; -5 block header not
  // written; -6 samples not fully written; -7 stream error after writing the XML.
  virtual int SaveToFile(const std::string& path);

  uint8_t version = 1;
  ChrmPassport passport;
  std::vector<ChrmChannel> channels;
};

// A chromatogram as a member of a chromatogram set: the file plus its role, its ordinal
// among the parallel runs of that role and its assay id. These three are never stored.
class ChrmFile : public CVantiroFile4 {
 public:
  int role = 0;      // ChrmRole
  int ordinal = -1;  // 1..3 for numbered analysis / internal-standard runs, -1 unnumbered
  int assayId = -1;  // id of the assay row in the host database, -1 unknown
};

}  // namespace p528
