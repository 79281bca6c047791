// Module-wide state of the plug-in shell: the host's service table, the interface
// language and its resources, the settings prefix and the assay database location.
//
// One Shell exists per loaded module (made by Load); every program and test that attaches a
// host makes its shell with MakeShell. A Shell made by default has no host and the module's
// own (Russian) texts. It is used only from the user-interface thread.
#pragma once

#include "shell/host_api.h"
#include "shell/string_table.h"

#include <cstdint>
#include <optional>
#include <string>

namespace p528 {

inline constexpr uint16_t kLangRussian = 0x0419;
inline constexpr uint16_t kLangEnglish = 0x0409;

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
  // Copies the assay database location when the host offers "DB/GetConnectionUri" (a host
  // that answers with no text gives an empty location); otherwise leaves it unset.
  void ReadDatabaseLocation();
};

// What a shell is made of.
struct ShellSetup {
  const HostApi* host = nullptr;  // the host's service table; nullptr for none
  uint16_t language = 0;          // the interface language; 0: as the host reports it
  bool askLanguage = true;        // false: a language of 0 stays 0 (the host is not asked)
  // The texts for any interface language but Russian (the English table of a tool); without
  // them the module's own texts stay, and the module loads its satellite itself.
  const StringTable* foreignTexts = nullptr;
  bool settingsPrefix = true;    // "plugins\plug528" at once (the module waits for its first menu command)
  bool databaseLocation = true;  // the assay database location at once (the module waits for its host)
};

// The shell over `setup.host`: the interface language (given, or as the host reports it
// through "System/GetLanguage", 0 when it offers no such service), its texts, the settings
// prefix and the assay database location as `setup` asks.
Shell MakeShell(const ShellSetup& setup);

}  // namespace p528
