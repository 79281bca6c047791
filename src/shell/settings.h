// Settings store: every setting lives in the host's profile store, read and written
// through the host services "Profile/GetInt", "Profile/SetInt", "Profile/GetString",
// "Profile/SetString" and "Profile/DelKey". Nothing is cached: every read asks the host.
//
// A missing service turns reads into their defaults and writes into no-ops (false).
// Texts are UTF-8 here and UTF-16 at the host. A text is first asked for with a buffer of
// 128 units; one that fills it is asked for again with larger buffers, so texts (paths of up
// to 4096 bytes and beyond) come back whole, up to 65535 units.
#pragma once

#include "shell/shell.h"

#include <string>
#include <string_view>

namespace p528 {

// Section names and keys used across the system.
inline constexpr const char* kSectionSettings = "settings";
inline constexpr const char* kSectionPaths = "paths";
inline constexpr const char* kSectionGasoil = "GasoilParams";
inline constexpr const char* kSettingsPrefix = "plugins\\plug528";

// Prefix, section and key joined by backslashes (the section and key alone while the
// prefix is empty).
std::u16string KeyPath(const Shell& shell, std::string_view section, std::string_view key);

int ReadSettingInt(const Shell& shell, std::string_view section, std::string_view key, int fallback);
bool WriteSettingInt(const Shell& shell, std::string_view section, std::string_view key, int value);
std::string ReadSettingText(const Shell& shell, std::string_view section, std::string_view key,
                            std::string_view fallback);
bool WriteSettingText(const Shell& shell, std::string_view section, std::string_view key,
                      std::string_view value);
void DeleteSettingSection(const Shell& shell, std::string_view section);

}  // namespace p528
