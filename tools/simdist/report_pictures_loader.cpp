// Loading of the chart renderer module of simdist (qt/report_pictures.h): only when a report
// asks for a chart picture, from the folder of the running program. The module stays loaded
// until the process ends (Qt does not support being unloaded).
#include "qt/report_pictures.h"

#include <dlfcn.h>
#include <unistd.h>

#include <iostream>
#include <string>

namespace p528::simdist {

namespace {

// The folder of the running program, with its trailing '/'; empty when unknown.
std::string ProgramFolder() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) return {};
  path.resize(static_cast<std::size_t>(length));
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::unique_ptr<ChartPngRenderer> MakeQtChartRenderer() {
  // Beside the program in a build folder; in the plug-in folder of an installation
  // (bin/simdist with lib/plug528/simdist-pictures.so).
  std::string module = ProgramFolder() + kChartRendererModule;
  if (access(module.c_str(), F_OK) != 0) {
    const std::string installed = ProgramFolder() + "../lib/plug528/" + kChartRendererModule;
    if (access(installed.c_str(), F_OK) == 0) module = installed;
  }
  void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    std::cerr << "simdist: the chart pictures cannot be drawn: " << (reason ? reason : module.c_str())
              << "\n";
    return nullptr;
  }
  using Entry = ChartPngRenderer* (*)();
  auto entry = reinterpret_cast<Entry>(dlsym(handle, kChartRendererEntry));
  if (entry == nullptr) {
    std::cerr << "simdist: the chart pictures cannot be drawn: " << module << " has no "
              << kChartRendererEntry << "\n";
    return nullptr;
  }
  return std::unique_ptr<ChartPngRenderer>(entry());
}

}  // namespace p528::simdist
