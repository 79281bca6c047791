#include "shell/shell.h"

#include "shell/settings.h"

namespace p528 {

bool Shell::ServiceExists(const char* service) const {
  return host != nullptr && host->ServiceExists != nullptr && host->ServiceExists(service) != 0;
}

intptr_t Shell::CallService(const char* service, intptr_t wparam, intptr_t lparam) const {
  if (host == nullptr || host->CallService == nullptr) return 0;
  return host->CallService(service, wparam, lparam);
}

std::string Shell::Str(int id) const {
  if (resources != nullptr) {
    if (const char* text = resources->Find(id)) return text;
  }
  if (const char* text = RussianStrings().Find(id)) return text;
  return {};
}

void Shell::ReadDatabaseLocation() {
  if (!ServiceExists("DB/GetConnectionUri")) return;
  const auto* location = reinterpret_cast<const char16_t*>(CallService("DB/GetConnectionUri", 0, 0));
  // Copied at once: the host's text is not ours to keep.
  databaseLocation = location != nullptr ? std::u16string(location) : std::u16string();
}

Shell MakeShell(const ShellSetup& setup) {
  Shell shell;
  shell.host = setup.host;
  shell.uiLangId = setup.language;
  if (shell.uiLangId == 0 && setup.askLanguage && shell.ServiceExists("System/GetLanguage"))
    shell.uiLangId = static_cast<uint16_t>(shell.CallService("System/GetLanguage", 0, 0) & 0xFFFF);
  if (shell.uiLangId != kLangRussian && setup.foreignTexts != nullptr) shell.resources = setup.foreignTexts;
  if (setup.settingsPrefix) shell.settingsPrefix = kSettingsPrefix;
  if (setup.databaseLocation) shell.ReadDatabaseLocation();
  return shell;
}

}  // namespace p528
