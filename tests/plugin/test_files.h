// Files of the plug-in tests: the built libraries and scratch folders to copy them into.
#pragma once

#include "support/temp_folder.h"

#include <string>

namespace p528::test {

// The built plug-in library and its English satellite (side by side).
inline const std::string kModuleFile = PLUG528_MODULE_FILE;
inline const std::string kSatelliteFile = PLUG528_SATELLITE_FILE;

// A new empty folder to copy the libraries into.
using ScratchFolder = TempFolder;

}  // namespace p528::test
