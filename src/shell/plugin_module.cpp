#include "shell/plugin_module.h"

#include "shell/component_location.h"
#include "shell/language.h"
#include "shell/module_file.h"
#include "shell/plugin_info.h"
#include "shell/settings.h"
#include "shell/shell_texts.h"
#include "shell/text.h"

#include <utility>

namespace p528 {

PluginModule::PluginModule(std::string moduleFile, ModuleCallbacks callbacks, MainWindowFactory factory)
    : moduleFile_(std::move(moduleFile)), callbacks_(callbacks), factory_(std::move(factory)) {}

PluginModule::~PluginModule() {
  // The window may use the resources; it goes first.
  mainWindow_.reset();
  ReleaseSatellite();
}

std::string PluginModule::moduleFolder() const { return FolderOf(moduleFile_); }

std::string PluginModule::componentTablePath() const { return ComponentTableLocation(moduleFolder()); }

int PluginModule::Load(const HostApi* host) {
  host_ = host;
  ReleaseSatellite();  // no satellite loaded yet
  // "Modules loaded" is hooked before anything is asked of the host, as hosts expect.
  if (host_ != nullptr && host_->HookEvent != nullptr)
    subscription_ = host_->HookEvent(kModulesLoadedEvent, callbacks_.modulesLoaded);
  // The module's own texts until the satellite is loaded; the settings prefix waits for the
  // first menu command, the assay database for the host's "modules loaded". A module loaded
  // again keeps what its window already set.
  Shell loaded = MakeShell({.host = host, .settingsPrefix = false, .databaseLocation = false});
  loaded.foreignUi = shell_.foreignUi;
  loaded.settingsPrefix = std::move(shell_.settingsPrefix);
  loaded.databaseLocation = std::move(shell_.databaseLocation);
  shell_ = std::move(loaded);
  if (shell_.uiLangId != kLangRussian) LoadSatellite();
  return 0;
}

void PluginModule::LoadSatellite() {
  const char* abbreviation = LanguageAbbreviation(shell_.uiLangId);
  if (abbreviation == nullptr || moduleFile_.empty()) return;  // the Russian texts stay
  satellite_ = SatelliteLibrary::Open(SatelliteFileName(moduleFile_, abbreviation));
  if (satellite_) shell_.resources = &satellite_->strings();
}

void PluginModule::ReleaseSatellite() {
  // The current resources point into the satellite: switch back before it is unloaded.
  shell_.resources = &RussianStrings();
  satellite_.reset();
}

int PluginModule::OnModulesLoaded() {
  if (host_ != nullptr && host_->CreateService != nullptr)
    menuService_ = host_->CreateService(kMenuCommandService, callbacks_.menuCommand);

  menuCaption_ = Utf8ToUtf16(shell_.Str(text::kMenuCaption));
  MenuItemInfo item{};
  item.size = sizeof(MenuItemInfo);
  item.caption = menuCaption_.c_str();
  item.flags = 0;
  item.service = kMenuCommandService;
  // Asked without an existence check: every host offers its main menu.
  shell_.CallService("MainMenu/CreateNewMenu", 0, reinterpret_cast<intptr_t>(&item));

  shell_.ReadDatabaseLocation();
  return 0;
}

int PluginModule::MenuCommand(intptr_t parentWindow) {
  if (!mainWindow_) {
    // Case-insensitive comparisons (role texts) fold Cyrillic through CompareNoCase, so the
    // process locale, which belongs to the host, is left as it is.
    shell_.settingsPrefix = kSettingsPrefix;
    if (factory_) mainWindow_ = factory_(*this, parentWindow, VersionText());
  }
  if (mainWindow_) mainWindow_->Show();
  return 0;
}

int PluginModule::Unload() {
  if (mainWindow_) mainWindow_->Close();
  if (host_ != nullptr) {
    if (host_->UnhookEvent != nullptr) host_->UnhookEvent(subscription_);
    if (host_->DestroyService != nullptr) host_->DestroyService(menuService_);
  }
  subscription_ = 0;
  menuService_ = 0;
  ReleaseSatellite();
  // The table is valid only until Unload: a window still open afterwards reads defaults.
  host_ = nullptr;
  shell_.host = nullptr;
  return 0;
}

}  // namespace p528
