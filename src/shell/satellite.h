// The satellite resource library: a shared library beside the module that carries the
// module's texts in another language under the same numbers (libplug528ENU.so for
// English). Its only export is kSatelliteStringsSymbol, a SatelliteStringsFunction.
//
// A SatelliteLibrary owns the loaded library; its string table points into the library and
// is valid until the SatelliteLibrary is destroyed (which unloads it).
#pragma once

#include "shell/string_table.h"

#include <cstddef>
#include <memory>
#include <string>

extern "C" {
// Returns the satellite's texts (not sorted) and writes their number to `count`. The texts
// stay valid while the library is loaded.
typedef const p528::StringEntry* (*SatelliteStringsFunction)(std::size_t* count);
}

namespace p528 {

inline constexpr const char* kSatelliteStringsSymbol = "plug528_satellite_strings";

class SatelliteLibrary {
 public:
  // Loads `file`. nullptr when the file is absent, is not a loadable library or does not
  // export a string table; nothing is left loaded then.
  static std::unique_ptr<SatelliteLibrary> Open(const std::string& file);
  ~SatelliteLibrary();
  SatelliteLibrary(const SatelliteLibrary&) = delete;
  SatelliteLibrary& operator=(const SatelliteLibrary&) = delete;

  const StringTable& strings() const { return strings_; }
  const std::string& file() const { return file_; }

 private:
  SatelliteLibrary(void* handle, std::string file, std::span<const StringEntry> entries);
  void* handle_;
  std::string file_;
  StringTable strings_;
};

}  // namespace p528
