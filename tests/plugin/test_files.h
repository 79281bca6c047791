// Files of the plug-in tests: the built libraries and scratch folders to copy them into.
#pragma once

#include <string>

namespace p528::test {

// The built plug-in library and its English satellite (side by side).
inline const std::string kModuleFile = PLUG528_MODULE_FILE;
inline const std::string kSatelliteFile = PLUG528_SATELLITE_FILE;

// A new empty folder under the temporary folder, removed with its files on destruction.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  // Copies `source` into the folder as `name`; returns the new file's full name.
  std::string Copy(const std::string& source, const std::string& name) const;

 private:
  std::string path_;
};

}  // namespace p528::test
