#include "shell/settings.h"

#include "shell/text.h"

namespace p528 {

namespace {
constexpr int kTextCapacity = 128;         // the first buffer offered to the host
constexpr int kTextCapacityMax = 1 << 16;  // longer texts are cut here

std::u16string SectionPath(const Shell& shell, std::string_view section) {
  std::u16string path;
  if (!shell.settingsPrefix.empty()) {
    path = Utf8ToUtf16(shell.settingsPrefix);
    path += u'\\';
  }
  path += Utf8ToUtf16(section);
  return path;
}
}  // namespace

std::u16string KeyPath(const Shell& shell, std::string_view section, std::string_view key) {
  std::u16string path = SectionPath(shell, section);
  path += u'\\';
  path += Utf8ToUtf16(key);
  return path;
}

int ReadSettingInt(const Shell& shell, std::string_view section, std::string_view key, int fallback) {
  if (!shell.ServiceExists("Profile/GetInt")) return fallback;
  const std::u16string path = KeyPath(shell, section, key);
  int value = 0;
  const intptr_t found = shell.CallService("Profile/GetInt", reinterpret_cast<intptr_t>(path.c_str()),
                                           reinterpret_cast<intptr_t>(&value));
  return found != 0 ? value : fallback;
}

bool WriteSettingInt(const Shell& shell, std::string_view section, std::string_view key, int value) {
  if (!shell.ServiceExists("Profile/SetInt")) return false;
  const std::u16string path = KeyPath(shell, section, key);
  return shell.CallService("Profile/SetInt", reinterpret_cast<intptr_t>(path.c_str()),
                           reinterpret_cast<intptr_t>(&value)) != 0;
}

std::string ReadSettingText(const Shell& shell, std::string_view section, std::string_view key,
                            std::string_view fallback) {
  if (!shell.ServiceExists("Profile/GetString")) return std::string(fallback);
  const std::u16string path = KeyPath(shell, section, key);
  // The host copies what fits and cuts the rest; a text that filled the buffer may have been
  // cut, so it is asked for again with a larger one (a path may be up to 4096 bytes long).
  for (int capacity = kTextCapacity;; capacity *= 2) {
    std::u16string buffer(static_cast<std::size_t>(capacity) + 1, u'\0');
    ProfileTextBuffer request{buffer.data(), capacity};
    const intptr_t found = shell.CallService("Profile/GetString", reinterpret_cast<intptr_t>(path.c_str()),
                                             reinterpret_cast<intptr_t>(&request));
    if (found == 0) return std::string(fallback);
    buffer[static_cast<std::size_t>(capacity) - 1] = u'\0';
    const std::u16string_view text(buffer.data());
    if (text.size() + 1 < static_cast<std::size_t>(capacity) || capacity >= kTextCapacityMax) {
      return Utf16ToUtf8(text);
    }
  }
}

bool WriteSettingText(const Shell& shell, std::string_view section, std::string_view key,
                      std::string_view value) {
  if (!shell.ServiceExists("Profile/SetString")) return false;
  const std::u16string path = KeyPath(shell, section, key);
  const std::u16string text = Utf8ToUtf16(value);
  return shell.CallService("Profile/SetString", reinterpret_cast<intptr_t>(path.c_str()),
                           reinterpret_cast<intptr_t>(text.c_str())) != 0;
}

void DeleteSettingSection(const Shell& shell, std::string_view section) {
  if (!shell.ServiceExists("Profile/DelKey")) return;
  const std::u16string path = SectionPath(shell, section);
  shell.CallService("Profile/DelKey", reinterpret_cast<intptr_t>(path.c_str()), 0);
}

}  // namespace p528
