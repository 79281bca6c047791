#include "host/kit/plugin_library.h"

#include "shell/regular_file.h"
#include "shell/text.h"

#include <dlfcn.h>

#include <exception>
#include <filesystem>

namespace p528::hostkit {

std::unique_ptr<PluginLibrary> PluginLibrary::Open(const std::string& path, std::string& reason) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    reason = "no such file";
    return nullptr;
  }
  // dlopen of a FIFO waits for a writer: only a regular file is opened.
  if (const std::string problem = RegularFileProblem(path); !problem.empty()) {
    reason = problem;
    return nullptr;
  }
  dlerror();
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* error = dlerror();
    reason = error != nullptr ? error : "not a shared library";
    return nullptr;
  }
  std::unique_ptr<PluginLibrary> library(new PluginLibrary());
  library->path_ = path;
  library->handle_ = handle;
  using InfoFunction = const PluginInfo* (*)();
  auto info = reinterpret_cast<InfoFunction>(::dlsym(handle, "GetPluginInfo"));
  library->load_ = reinterpret_cast<int (*)(const HostApi*)>(::dlsym(handle, "Load"));
  library->unload_ = reinterpret_cast<int (*)()>(::dlsym(handle, "Unload"));
  std::string missing;
  for (const auto& [name, found] : {std::pair<const char*, bool>{"GetPluginInfo", info != nullptr},
                                    {"Load", library->load_ != nullptr},
                                    {"Unload", library->unload_ != nullptr}}) {
    if (!found) missing += std::string(missing.empty() ? "" : ", ") + name;
  }
  if (!missing.empty()) {
    reason = "the library does not export " + missing;
    return nullptr;  // the destructor closes it
  }
  library->info_ = info();
  return library;
}

PluginLibrary::~PluginLibrary() {
  if (loaded_) Unload();
  if (handle_ != nullptr) ::dlclose(handle_);
}

std::string PluginLibrary::shortName() const {
  if (info_ == nullptr || info_->shortName == nullptr) return "";
  return Utf16ToUtf8(info_->shortName);
}

int PluginLibrary::Load(const HostApi* host, std::string* reason) {
  try {
    loaded_ = true;
    return load_(host);
  } catch (const std::exception& error) {
    if (reason != nullptr) *reason = std::string("its Load failed: ") + error.what();
  } catch (...) {
    if (reason != nullptr) *reason = "its Load failed";
  }
  loaded_ = false;
  return -1;
}

int PluginLibrary::Unload() {
  if (!loaded_) return 0;
  loaded_ = false;
  return unload_();
}

std::string InstalledPluginFolder(const std::string& programFolder) {
  return (std::filesystem::path(programFolder) / ".." / "lib" / "plug528").lexically_normal().string();
}

std::string DefaultPluginPath(const std::string& programFolder) {
  const std::filesystem::path installed =
      std::filesystem::path(InstalledPluginFolder(programFolder)) / "libplug528.so";
  std::error_code ec;
  if (std::filesystem::exists(installed, ec)) return installed.string();
  return (std::filesystem::path(programFolder) / "libplug528.so").string();
}

}  // namespace p528::hostkit
