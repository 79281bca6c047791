// The English satellite library (libplug528ENU.so): its one export hands the module the
// English string table, under the same numbers as the module's own Russian table.
#include "shell/satellite.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) const p528::StringEntry* plug528_satellite_strings(
    std::size_t* count) {
  const std::span<const p528::StringEntry> entries = p528::EnglishStrings().entries();
  if (count != nullptr) *count = entries.size();
  return entries.data();
}

static_assert(std::is_same_v<decltype(&plug528_satellite_strings), SatelliteStringsFunction>,
              "the export must match what the module looks up");
