// The module's description record for the host (returned by GetPluginInfo) and its version.
#pragma once

#include "shell/host_api.h"

#include <string>

namespace p528 {

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 2;

// The static record; valid for the life of the module, may be asked for before Load.
const PluginInfo& ModulePluginInfo();

// "1.2": the version text shown in the main window's title.
std::string VersionText();

}  // namespace p528
