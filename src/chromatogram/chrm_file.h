// One chromatogram file in memory: the binary container of channel signals ("STG" header,
// one block of 32-bit float samples per channel) followed by the XML passport and the peak
// tables. Readers parse from bytes (LoadFromMemory) or from a path (LoadFromFile).
//
// Status codes (0 = success, negative = kind of failure) are named below, one set per
// function; the numbers are those of the file's own readers and writers (chrm-inspect prints
// them). All calls come from the user-interface thread; a channel's lock guards its samples.
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
  std::string name;  // XML element name
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
  double front = 0;  // start of the peak, minutes
  double back = 0;   // end of the peak, minutes
  double time = 0;   // retention time, minutes
  double area = 0;
  double height = 0;  // height above the baseline, signal units
  double concent = 0;
  std::string name;  // component name
  bool reference = false;
  int left = -1;
  int right = -1;
  uint32_t flags = 0;
  double front_base_height = 0;
  double back_base_height = 0;
  double index = 0;
};

// LoadFromFile.
enum ChrmFileStatus : int {
  ChrmFileRead = 0,
  ChrmFileCannotOpen = -1,    // cannot open or read the path
  ChrmFileHeaderShort = -2,   // fewer bytes than the header
  ChrmFileBadMagic = -3,      // not "STG"
  ChrmFileBadVersion = -4,    // version above 1
  ChrmFileBlockShort = -5,    // a channel block header cut short
  ChrmFileSamplesShort = -6,  // a sample count the rest of the file cannot hold
  ChrmFileBadXml = -7,        // XML part not well-formed, or not right after the blocks
};

// LoadFromMemory.
enum ChrmMemoryStatus : int {
  ChrmMemoryRead = 0,
  ChrmMemoryBadMagic = -1,
  ChrmMemoryBadVersion = -2,
  ChrmMemoryDamaged = -3,  // header or block short, samples beyond the bytes, bad XML
};

// SaveToFile.
enum ChrmSaveStatus : int {
  ChrmSaved = 0,
  ChrmSaveCannotOpen = -1,
  ChrmSaveHeaderNotWritten = -2,
  ChrmSaveBlockNotWritten = -5,
  ChrmSaveSamplesNotWritten = -6,
  ChrmSaveStreamError = -7,  // the XML or the final flush failed (a full disk)
};

// The lock of one channel; it guards the samples. Every channel has its own: a copy or a
// move of a channel gets a fresh, unlocked mutex, never a shared, a moved or a missing one.
class ChannelLock {
 public:
  ChannelLock() = default;
  ChannelLock(const ChannelLock&) noexcept {}
  ChannelLock& operator=(const ChannelLock&) noexcept { return *this; }
  std::mutex& operator*() const noexcept { return mutex_; }
  std::mutex* operator->() const noexcept { return &mutex_; }

 private:
  mutable std::mutex mutex_;
};

// One detector channel. Copying copies the data (under the source's lock); a copy or a move
// keeps a lock of its own.
struct ChrmChannel {
  int number = 0;
  std::vector<float> samples;  // detector signal, one value per sampling step
  double startTime = 0;        // time of the first sample, minutes
  double step = 0;             // sampling interval, minutes
  std::vector<ChrmPeak> peaks;
  ChannelLock lock;  // guards samples

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
  // that code page); returns a ChrmMemoryStatus (damaged: XML part not well-formed, header
  // short, or a block reaching past the end of the bytes or xmlOffset not at the end of the
  // channel blocks). Does not change passport.path.
  virtual int LoadFromMemory(const void* bytes, uint64_t count);
  // Reads a file; returns a ChrmFileStatus (cannot open: also a path that is not a regular
  // file, a FIFO, a device or a folder is never opened; a sample count the rest of the file
  // cannot hold is never allocated). Sets passport.path on success. After a failure the
  // object holds what was read before it (channels may be emptied or partly filled).
  virtual int LoadFromFile(const std::string& path);
  // Writes the file; returns a ChrmSaveStatus.
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
