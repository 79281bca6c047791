// The plug-in library's three exports. Only these leave the library (see plug528.map);
// everything else is hidden.
//
// The host calls plain C functions without a context, so the one module object is reached
// through the single pointer below. It is created by the first Load and lives until the
// process ends, like the main window it owns. No exception crosses into the host.
#include "shell/host_api.h"
#include "shell/module_file.h"
#include "shell/plugin_info.h"
#include "shell/plugin_module.h"

#define PLUG528_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

p528::PluginModule* g_module = nullptr;

int OnModulesLoadedCallback(intptr_t /*wparam*/, intptr_t /*lparam*/) {
  try {
    if (g_module != nullptr) g_module->OnModulesLoaded();
  } catch (...) {
  }
  return 0;
}

int MenuCommandCallback(intptr_t wparam, intptr_t /*lparam*/) {
  try {
    if (g_module != nullptr) g_module->MenuCommand(wparam);
  } catch (...) {
  }
  return 0;
}

}  // namespace

PLUG528_EXPORT const PluginInfo* GetPluginInfo() { return &p528::ModulePluginInfo(); }

PLUG528_EXPORT int Load(const HostApi* host) {
  try {
    if (g_module == nullptr) {
      const std::string moduleFile = p528::ModuleFileOf(reinterpret_cast<const void*>(&GetPluginInfo));
      g_module = new p528::PluginModule(moduleFile, {OnModulesLoadedCallback, MenuCommandCallback},
                                        p528::ModuleMainWindowFactory());
    }
    g_module->Load(host);
  } catch (...) {
  }
  return 0;
}

PLUG528_EXPORT int Unload() {
  try {
    if (g_module != nullptr) g_module->Unload();
  } catch (...) {
  }
  return 0;
}
