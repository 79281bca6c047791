// The loaded plug-in module: everything the module keeps between the host's calls.
//
// One PluginModule exists per loaded library. The exported entry points (Load, Unload) and
// the two host callbacks (the "System/ModulesLoaded" event and the "plug528/MenuCommand"
// service) forward to it; tests create their own. It owns the Shell (host table, interface
// language, current resources, settings prefix, database location), the host handles of
// its subscription and service, the satellite resource library and the single main window.
//
// Order of the host's calls: Load, then "System/ModulesLoaded" (OnModulesLoaded), then any
// number of menu commands, then Unload. Unload closes the main window (it remembers its place
// while the host can still take it) and releases what the host gave and the satellite; the
// module object lives on until the process ends, the main window until the host window it
// was opened from goes (or with the module).
// Everything runs on the host's user-interface thread.
#pragma once

#include "shell/host_api.h"
#include "shell/satellite.h"
#include "shell/shell.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace p528 {

inline constexpr const char* kModulesLoadedEvent = "System/ModulesLoaded";
inline constexpr const char* kMenuCommandService = "plug528/MenuCommand";

// What the module needs of its main window. The window layer implements it.
class MainWindow {
 public:
  virtual ~MainWindow() = default;
  // Shows the window in its normal state; again after the user closed (hid) it.
  virtual void Show() = 0;
  // Closes (hides) the window as the user would: what it remembers is written to the
  // settings now, while the host's table is still valid.
  virtual void Close() = 0;
};

class PluginModule;

// Creates the single main window for the host window `parent` (0: none), with the version
// text ("1.2") for its title: a top-level window of its own, which either window may cover,
// destroyed when the host window is. May return nullptr when the build has no window layer.
using MainWindowFactory = std::function<std::unique_ptr<MainWindow>(PluginModule& module, intptr_t parent,
                                                                    const std::string& version)>;

// The factory of the module's window layer. Defined by exactly one file of the plug-in
// library (the Qt window layer, or a headless stand-in in builds without Qt).
MainWindowFactory ModuleMainWindowFactory();

// The host calls callbacks without a context; these plain functions reach the module object.
struct ModuleCallbacks {
  HostCallback modulesLoaded = nullptr;  // handler of "System/ModulesLoaded"
  HostCallback menuCommand = nullptr;    // handler of "plug528/MenuCommand"
};

class PluginModule {
 public:
  // `moduleFile`: full file name of the module, the base of the satellite's file name.
  PluginModule(std::string moduleFile, ModuleCallbacks callbacks, MainWindowFactory factory);
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // Keeps the host table, subscribes to "System/ModulesLoaded", reads the interface
  // language and, unless it is Russian, loads the satellite of that language and makes it
  // the current resources. Never fails towards the host: returns 0.
  int Load(const HostApi* host);
  // Publishes "plug528/MenuCommand", adds the menu item, copies the database location.
  int OnModulesLoaded();
  // The first command sets the settings prefix and creates the main window; every command
  // shows it. `parentWindow` is the host window that owns it.
  int MenuCommand(intptr_t parentWindow);
  // Closes the main window, cancels the subscription, withdraws the service (handle 0 when
  // the event never came), unloads the satellite. The host table is not used afterwards.
  int Unload();

  Shell& shell() { return shell_; }
  const Shell& shell() const { return shell_; }
  const std::string& moduleFile() const { return moduleFile_; }
  // Folder of the module: the component table and the report style sheets live there.
  std::string moduleFolder() const;
  // The component table the main window reads and saves: the file beside the module, or
  // the user's copy when the module's folder is read-only (shell/component_location.h).
  std::string componentTablePath() const;
  MainWindow* mainWindow() const { return mainWindow_.get(); }
  const SatelliteLibrary* satellite() const { return satellite_.get(); }
  int subscription() const { return subscription_; }
  int menuService() const { return menuService_; }

 private:
  void LoadSatellite();
  void ReleaseSatellite();

  std::string moduleFile_;
  ModuleCallbacks callbacks_;
  MainWindowFactory factory_;
  Shell shell_;
  const HostApi* host_ = nullptr;  // valid from Load to Unload
  int subscription_ = 0;           // "System/ModulesLoaded"
  int menuService_ = 0;            // "plug528/MenuCommand"
  std::u16string menuCaption_;     // kept alive: the host may hold on to the caption
  std::unique_ptr<SatelliteLibrary> satellite_;
  std::unique_ptr<MainWindow> mainWindow_;
};

}  // namespace p528
