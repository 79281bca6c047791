// A library that looks like a plug-in but lacks Load: a host must refuse it and go on.
#include "shell/host_api.h"

extern "C" __attribute__((visibility("default"))) const PluginInfo* GetPluginInfo() {
  static const PluginInfo info{sizeof(PluginInfo), u"broken", 0x01000000, u"", u"", u"", u"", u"", {}};
  return &info;
}

extern "C" __attribute__((visibility("default"))) int Unload() { return 0; }
