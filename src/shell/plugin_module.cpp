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
  shell_.host = host;
  ReleaseSatellite();                    // no satellite loaded yet
  shell_.resources = &RussianStrings();  // the module's own texts
  shell_.uiLangId = 0;
  if (host_ != nullptr && host_->HookEvent != nullptr)
    subscription_ = host_->HookEvent(kModulesLoadedEvent, callbacks_.modulesLoaded);
  if (shell_.ServiceExists("System/GetLanguage"))
    shell_.uiLangId = static_cast<uint16_t>(shell_.CallService("System/GetLanguage", 0, 0) & 0xFFFF);
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

  if (shell_.ServiceExists("DB/GetConnectionUri")) {
    const auto* location = reinterpret_cast<const char16_t*>(shell_.CallService("DB/GetConnectionUri", 0, 0));
    // Copied at once: the host's text is not ours to keep. No text is an empty location.
    shell_.databaseLocation = location != nullptr ? std::u16string(location) : std::u16string();
  }
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
