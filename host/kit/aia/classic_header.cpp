#include "host/kit/aia/classic_header.h"

#include "shell/text.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace p528::aia {

namespace {

// Bounds of what one header may declare. netCDF's own limits on names; the counts are far
// above anything a chromatography file holds and keep the library's parse to milliseconds.
constexpr uint64_t kMaxName = 256;
constexpr uint64_t kMaxDimensions = 1024;
constexpr uint64_t kMaxVariables = 8192;
constexpr uint64_t kMaxAttributes = 8192;
constexpr uint64_t kMaxVariableDimensions = 1024;

constexpr uint32_t kTagDimension = 0x0A;
constexpr uint32_t kTagVariable = 0x0B;
constexpr uint32_t kTagAttribute = 0x0C;

// Bytes of one value of a classic type (1 byte ... 11 unsigned 64-bit); 0 for no type.
uint64_t TypeSize(uint32_t type, int version) {
  static constexpr uint64_t kSizes[] = {0, 1, 1, 2, 4, 4, 8, 1, 2, 4, 8, 8};
  const uint32_t last = version == 5 ? 11 : 6;
  return type >= 1 && type <= last ? kSizes[type] : 0;
}

uint64_t Padded(uint64_t bytes) { return (bytes + 3) & ~uint64_t{3}; }

struct Variable {
  bool record = false;
  uint64_t size = 0;  // bytes of the whole variable, or of one record of a record variable
  uint64_t begin = 0;
};

class HeaderWalk {
 public:
  HeaderWalk(const unsigned char* bytes, size_t size) : bytes_(bytes), size_(size) {}

  std::string Check() {
    if (size_ >= 8 && std::memcmp(bytes_, "\x89HDF\r\n\x1a\n", 8) == 0)
      return "a netCDF-4 (HDF5) file: only the classic netCDF formats are read";
    if (size_ < 4 || std::memcmp(bytes_, "CDF", 3) != 0) return "not a netCDF file";
    version_ = bytes_[3];
    if (version_ != 1 && version_ != 2 && version_ != 5) return "not a netCDF file";
    at_ = 4;
    uint64_t records = 0;
    if (!Number(records)) return error_;
    if (records == (version_ == 5 ? UINT64_MAX : UINT32_MAX))
      return "the file gives no record count (it was not closed when it was written)";
    if (!Dimensions() || !Attributes() || !Variables()) return error_;
    return DataWithinFile(records);
  }

 private:
  bool Fail(const std::string& why) {
    if (error_.empty()) error_ = "the netCDF header is damaged: " + why;
    return false;
  }
  uint64_t Left() const { return size_ - at_; }

  bool Bytes(uint64_t count, uint64_t& value) {
    if (Left() < count) return Fail("it ends early");
    value = 0;
    for (uint64_t i = 0; i < count; ++i) value = (value << 8) | bytes_[at_ + i];
    at_ += count;
    return true;
  }
  bool Word(uint64_t& value) { return Bytes(4, value); }
  // A count or length: 4 bytes, 8 in CDF-5 (never above 2^63 - 1 there).
  bool Number(uint64_t& value) {
    if (!Bytes(version_ == 5 ? 8 : 4, value)) return false;
    if (value > uint64_t{INT64_MAX}) return Fail("a count is negative");
    return true;
  }
  bool Skip(uint64_t count) {
    if (Left() < count) return Fail("it ends early");
    at_ += count;
    return true;
  }
  bool Name() {
    uint64_t length = 0;
    if (!Number(length)) return false;
    if (length == 0 || length > kMaxName) return Fail(Format("a name of %llu bytes", ToLongLong(length)));
    return Skip(Padded(length));
  }
  // The head of a list: its tag and number of elements, each taking at least `minimum` bytes.
  bool List(uint32_t tag, uint64_t bound, uint64_t minimum, uint64_t& count) {
    uint64_t found = 0;
    if (!Word(found) || !Number(count)) return false;
    if (found == 0 && count == 0) return true;  // absent
    if (found != tag) return Fail("a list has a wrong tag");
    if (count > bound || count > Left() / minimum)
      return Fail(Format("it declares %llu elements in a list", ToLongLong(count)));
    return true;
  }
  uint64_t NumberBytes() const { return version_ == 5 ? 8 : 4; }

  bool Dimensions() {
    uint64_t count = 0;
    if (!List(kTagDimension, kMaxDimensions, 2 * NumberBytes(), count)) return false;
    for (uint64_t i = 0; i < count; ++i) {
      uint64_t length = 0;
      if (!Name() || !Number(length)) return false;
      if (length == 0) {
        if (recordDimension_ >= 0) return Fail("two record dimensions");
        recordDimension_ = static_cast<int64_t>(i);
      }
      dimensions_.push_back(length);
    }
    return true;
  }

  bool Attributes() {
    uint64_t count = 0;
    if (!List(kTagAttribute, kMaxAttributes, 4 + 2 * NumberBytes(), count)) return false;
    for (uint64_t i = 0; i < count; ++i) {
      uint64_t type = 0;
      uint64_t values = 0;
      if (!Name() || !Word(type) || !Number(values)) return false;
      const uint64_t typeSize = TypeSize(static_cast<uint32_t>(type), version_);
      if (typeSize == 0 || type > UINT32_MAX) return Fail("an attribute of an unknown type");
      if (values > Left() / typeSize) return Fail("an attribute larger than the file");
      if (!Skip(Padded(values * typeSize))) return false;
    }
    return true;
  }

  bool Variables() {
    uint64_t count = 0;
    if (!List(kTagVariable, kMaxVariables, 4 * NumberBytes(), count)) return false;
    for (uint64_t i = 0; i < count; ++i) {
      uint64_t ranks = 0;
      if (!Name() || !Number(ranks)) return false;
      if (ranks > kMaxVariableDimensions || ranks > Left() / NumberBytes())
        return Fail(Format("a variable of %llu dimensions", ToLongLong(ranks)));
      Variable variable;
      uint64_t elements = 1;
      for (uint64_t k = 0; k < ranks; ++k) {
        uint64_t id = 0;
        if (!Number(id)) return false;
        if (id >= dimensions_.size()) return Fail("a variable names a dimension that does not exist");
        if (static_cast<int64_t>(id) == recordDimension_) {
          if (k != 0) return Fail("the record dimension is not a variable's first");
          variable.record = true;
          continue;
        }
        if (__builtin_mul_overflow(elements, dimensions_[id], &elements))
          return Fail("a variable larger than any file");
      }
      if (!Attributes()) return false;
      uint64_t type = 0;
      uint64_t declaredSize = 0;
      if (!Word(type) || !Number(declaredSize)) return false;
      const uint64_t typeSize = TypeSize(static_cast<uint32_t>(type), version_);
      if (typeSize == 0 || type > UINT32_MAX) return Fail("a variable of an unknown type");
      if (__builtin_mul_overflow(elements, typeSize, &variable.size))
        return Fail("a variable larger than any file");
      if (!Bytes(version_ == 1 ? 4 : 8, variable.begin)) return false;
      variables_.push_back(variable);
    }
    return true;
  }

  // Every variable's data, all records of the record variables included, inside the file.
  std::string DataWithinFile(uint64_t records) {
    const uint64_t fileSize = size_;
    if (records > fileSize) return Fail("more records than the file has bytes"), error_;
    uint64_t recordSize = 0;
    size_t recordVariables = 0;
    for (const Variable& v : variables_) {
      if (!v.record) continue;
      ++recordVariables;
      if (__builtin_add_overflow(recordSize, Padded(v.size), &recordSize))
        return Fail("a record larger than any file"), error_;
    }
    // A single record variable is stored without padding between its records.
    if (recordVariables == 1) {
      for (const Variable& v : variables_) {
        if (v.record) recordSize = v.size;
      }
    }
    for (const Variable& v : variables_) {
      uint64_t end = 0;
      bool overflow = false;
      if (!v.record) {
        overflow = __builtin_add_overflow(v.begin, v.size, &end);
      } else if (records > 0) {
        uint64_t before = 0;
        overflow = __builtin_mul_overflow(records - 1, recordSize, &before) ||
                   __builtin_add_overflow(v.begin, before, &end) || __builtin_add_overflow(end, v.size, &end);
      }
      if (overflow || end > fileSize) return "the file is truncated: a variable's data lie beyond its end";
    }
    return {};
  }

  static long long ToLongLong(uint64_t value) { return static_cast<long long>(value); }

  const unsigned char* bytes_;
  uint64_t size_;
  uint64_t at_ = 0;
  int version_ = 0;
  int64_t recordDimension_ = -1;
  std::vector<uint64_t> dimensions_;
  std::vector<Variable> variables_;
  std::string error_;
};

}  // namespace

std::string ClassicHeaderProblem(const void* bytes, size_t size) {
  return HeaderWalk(static_cast<const unsigned char*>(bytes), size).Check();
}

}  // namespace p528::aia
