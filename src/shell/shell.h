// Module-wide state of the plug-in shell: the host's service table, the interface
// language and its resources, the settings prefix and the assay database location.
//
// One Shell exists per loaded module (created by Load); tests create their own. It is used
// only from the user-interface thread.
#pragma once

#include "shell/host_api.h"
#include "shell/string_table.h"

#include <cstdint>
#include <optional>
#include <string>

namespace p528 {

inline constexpr uint16_t kLangRussian = 0x0419;

class Shell {
 public:
  const HostApi* host = nullptr;
  uint16_t uiLangId = 0;       // host interface language, 0 when unknown
  int foreignUi = 0;           // 1 unless the interface is Russian (set by the main window)
  std::string settingsPrefix;  // "" until the first menu command, then "plugins\plug528"
  const StringTable* resources = &RussianStrings();  // the module's or the satellite's table
  std::optional<std::u16string> databaseLocation;    // from "DB/GetConnectionUri", copied

  // True when a host is attached and it offers `service`.
  bool ServiceExists(const char* service) const;
  // Calls a host service (without an existence check); 0 when no host is attached.
  intptr_t CallService(const char* service, intptr_t wparam, intptr_t lparam) const;

  // Text `id` of the current resources; the module's own text when the satellite lacks it;
  // "" when neither has it.
  std::string Str(int id) const;
  // Language of the toolkit's own dialogs (file, colour, message-box buttons), following
  // the texts the windows show: "ru" with the module's own Russian texts, "" otherwise (the
  // toolkit's own texts are English).
  const char* ToolkitLanguage() const { return resources == &RussianStrings() ? "ru" : ""; }
  // ForeignUi as the main window sets it: 1 unless the language is Russian.
  void UpdateForeignUi() { foreignUi = uiLangId != kLangRussian ? 1 : 0; }
};

}  // namespace p528
