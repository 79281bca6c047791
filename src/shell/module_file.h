// The file of a loaded module and the files that sit beside it (the satellite resource
// library, the component table, the report style sheets).
//
// Paths are the operating system's bytes (UTF-8 on the systems we run on).
#pragma once

#include <string>
#include <string_view>

namespace p528 {

// Full file name of the shared library or program that contains `address`; "" when the
// loader cannot tell.
std::string ModuleFileOf(const void* address);

// The folder of `file`, without a trailing separator ("" for a bare file name).
std::string FolderOf(std::string_view file);

// The satellite of a module for a language: the module's extension, dot included, replaced
// by the abbreviation and ".so" ("/opt/x/libplug528.so" + "ENU" -> "/opt/x/libplug528ENU.so").
// A file name without extension gets the abbreviation and ".so" appended.
std::string SatelliteFileName(std::string_view moduleFile, std::string_view abbreviation);

}  // namespace p528
