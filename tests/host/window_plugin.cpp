// A plug-in whose menu command opens its own window as a child of the host window and keeps
// it for the life of the process (the real plug-in's window is a top-level window the host
// window owns instead). A host that closed the library before destroying its windows would
// crash on exit.
#include "shell/host_api.h"

#include <QLabel>

namespace {

const HostApi* g_host = nullptr;
int g_service = 0;

class PluginWindow : public QLabel {  // its code lives in this library
 public:
  explicit PluginWindow(QWidget* parent) : QLabel(QStringLiteral("plug-in window"), parent, Qt::Window) {}
};
PluginWindow* g_window = nullptr;

int MenuCommand(intptr_t wparam, intptr_t) {
  if (g_window == nullptr) g_window = new PluginWindow(reinterpret_cast<QWidget*>(wparam));
  g_window->show();
  return 0;
}

int ModulesLoaded(intptr_t, intptr_t) {
  g_service = g_host->CreateService("windowtest/MenuCommand", MenuCommand);
  MenuItemInfo item{sizeof(MenuItemInfo), u"Test/Open window", 0, "windowtest/MenuCommand"};
  g_host->CallService("MainMenu/CreateNewMenu", 0, reinterpret_cast<intptr_t>(&item));
  return 0;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const PluginInfo* GetPluginInfo() {
  static const PluginInfo info{sizeof(PluginInfo), u"windowtest", 0x01000000, u"", u"", u"", u"", u"", {}};
  return &info;
}

extern "C" __attribute__((visibility("default"))) int Load(const HostApi* host) {
  g_host = host;
  host->HookEvent("System/ModulesLoaded", ModulesLoaded);
  return 0;
}

extern "C" __attribute__((visibility("default"))) int Unload() {
  g_host->DestroyService(g_service);
  return 0;
}
