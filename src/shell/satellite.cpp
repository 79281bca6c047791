#include "shell/satellite.h"

#include <dlfcn.h>

namespace p528 {

std::unique_ptr<SatelliteLibrary> SatelliteLibrary::Open(const std::string& file) {
  if (file.empty()) return nullptr;
  // RTLD_LOCAL: the satellite's own copy of the string table code stays out of the module's way.
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return nullptr;
  auto function = reinterpret_cast<SatelliteStringsFunction>(dlsym(handle, kSatelliteStringsSymbol));
  std::size_t count = 0;
  const StringEntry* entries = function != nullptr ? function(&count) : nullptr;
  if (entries == nullptr) {
    dlclose(handle);
    return nullptr;
  }
  return std::unique_ptr<SatelliteLibrary>(
      new SatelliteLibrary(handle, file, std::span<const StringEntry>(entries, count)));
}

SatelliteLibrary::SatelliteLibrary(void* handle, std::string file, std::span<const StringEntry> entries)
    : handle_(handle), file_(std::move(file)), strings_(entries) {}

SatelliteLibrary::~SatelliteLibrary() { dlclose(handle_); }

}  // namespace p528
