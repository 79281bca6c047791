// A plug-in whose Load throws: a host must refuse it with the reason and go on.
#include "shell/host_api.h"

#include <stdexcept>

extern "C" __attribute__((visibility("default"))) const PluginInfo* GetPluginInfo() {
  static const PluginInfo info{sizeof(PluginInfo), u"throwing", 0x01000000, u"", u"", u"", u"", u"", {}};
  return &info;
}

extern "C" __attribute__((visibility("default"))) int Load(const HostApi*) {
  throw std::runtime_error("the plug-in cannot start");
}

extern "C" __attribute__((visibility("default"))) int Unload() { return 0; }
