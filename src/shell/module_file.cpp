#include "shell/module_file.h"

#include <dlfcn.h>

namespace p528 {

std::string ModuleFileOf(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
  return info.dli_fname;
}

std::string FolderOf(std::string_view file) {
  const std::size_t slash = file.find_last_of('/');
  if (slash == std::string_view::npos) return {};
  return std::string(file.substr(0, slash == 0 ? 1 : slash));
}

std::string SatelliteFileName(std::string_view moduleFile, std::string_view abbreviation) {
  const std::size_t slash = moduleFile.find_last_of('/');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  std::size_t dot = moduleFile.find_last_of('.');
  // A dot inside a folder name or leading a hidden file's name is not an extension.
  if (dot == std::string_view::npos || dot <= nameStart) dot = moduleFile.size();
  std::string file(moduleFile.substr(0, dot));
  file += abbreviation;
  file += ".so";
  return file;
}

}  // namespace p528
