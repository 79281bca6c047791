// A plug-in module loaded by a host: the shared library opened with dlopen and its three C
// exports (GetPluginInfo, Load, Unload) looked up, exactly as any host of the plug-in does.
//
// Lifecycle: Open, then Load with the host's table, later Unload, and the library is closed
// when the object goes (dlclose). Unload is called by the destructor when Load was called
// and Unload was not. A library that cannot be opened, or lacks one of the three exports,
// gives no object and a reason for the user. User-interface thread only.
#pragma once

#include "shell/host_api.h"

#include <memory>
#include <string>

namespace p528::hostkit {

class PluginLibrary {
 public:
  // Opens `path`; nullptr with `reason` filled when it is not a loadable plug-in.
  static std::unique_ptr<PluginLibrary> Open(const std::string& path, std::string& reason);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  const std::string& path() const { return path_; }
  // The plug-in's description record (valid while the library is open).
  const PluginInfo* info() const { return info_; }
  // Its short name as UTF-8 ("" when the record has none).
  std::string shortName() const;

  // The plug-in's Load. An exception it lets out is caught: -1, the plug-in counts as not
  // loaded, and `reason` (when given) tells the exception's text.
  int Load(const HostApi* host, std::string* reason = nullptr);
  int Unload();

 private:
  PluginLibrary() = default;

  std::string path_;
  void* handle_ = nullptr;
  const PluginInfo* info_ = nullptr;
  int (*load_)(const HostApi*) = nullptr;
  int (*unload_)() = nullptr;
  bool loaded_ = false;
};

// The installed plug-in folder seen from a program in bin/: <programFolder>/../lib/plug528
// (the plug-in, its satellite, the style sheets and the component table lie there).
std::string InstalledPluginFolder(const std::string& programFolder);

// Where a host finds its plug-ins when none are named: the installed plug-in folder
// (<exe>/../lib/plug528/libplug528.so) if it exists, else the file beside the program.
std::string DefaultPluginPath(const std::string& programFolder);

}  // namespace p528::hostkit
