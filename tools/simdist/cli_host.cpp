#include "cli_host.h"

#include "shell/text.h"

#include <algorithm>
#include <cstring>

namespace p528::simdist {

namespace {

// The active host: the C table carries no context of its own.
CliHost* g_active = nullptr;

int HookEvent(const char*, HostCallback) { return 1; }
int UnhookEvent(int) { return 0; }
int CreateService(const char*, HostCallback) { return 1; }
int DestroyService(int) { return 0; }
intptr_t CallService(const char* service, intptr_t wparam, intptr_t lparam) {
  return g_active != nullptr ? g_active->Call(service, wparam, lparam) : 0;
}
int ServiceExists(const char* service) {
  return g_active != nullptr && g_active->Exists(service) ? 1 : 0;
}

std::string KeyOf(intptr_t wparam) {
  const auto* key = reinterpret_cast<const char16_t*>(wparam);
  return key != nullptr ? Utf16ToUtf8(key) : std::string();
}

}  // namespace

CliHost::CliHost(ProfileStore& store) : profile(store) {
  table_.HookEvent = HookEvent;
  table_.UnhookEvent = UnhookEvent;
  table_.CreateService = CreateService;
  table_.DestroyService = DestroyService;
  table_.CallService = CallService;
  table_.ServiceExists = ServiceExists;
}

CliHost::~CliHost() { Detach(); }

const HostApi* CliHost::Attach() {
  g_active = this;
  return &table_;
}

void CliHost::Detach() {
  if (g_active == this) g_active = nullptr;
}

bool CliHost::Exists(const char* service) const {
  static constexpr const char* kAlways[] = {"System/GetLanguage", "Profile/GetInt",
                                             "Profile/SetInt",     "Profile/GetString",
                                             "Profile/SetString",  "Profile/DelKey"};
  const std::string name = service != nullptr ? service : "";
  for (const char* offered : kAlways) {
    if (name == offered) return true;
  }
  if (name == "DB/GetConnectionUri") return database.has_value();
  if (name == "Main/OpenAssayIdDlgEx" || name == "Cfg/DataPath") return assayDialogOffered;
  return false;
}

intptr_t CliHost::Call(const char* service, intptr_t wparam, intptr_t lparam) {
  if (!Exists(service)) return 0;
  const std::string name = service;
  if (name == "System/GetLanguage") return languageId;
  if (name == "Profile/GetInt") {
    const auto value = profile.GetInt(KeyOf(wparam));
    if (!value || lparam == 0) return 0;
    *reinterpret_cast<int*>(lparam) = *value;
    return 1;
  }
  if (name == "Profile/SetInt") {
    if (lparam == 0) return 0;
    return profile.SetInt(KeyOf(wparam), *reinterpret_cast<const int*>(lparam)) ? 1 : 0;
  }
  if (name == "Profile/GetString") {
    auto* request = reinterpret_cast<ProfileTextBuffer*>(lparam);
    const auto value = profile.GetText(KeyOf(wparam));
    if (!value || request == nullptr || request->buffer == nullptr || request->capacity <= 0) return 0;
    const std::u16string text = Utf8ToUtf16(*value);
    const std::size_t count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(request->capacity - 1));
    std::copy_n(text.begin(), count, request->buffer);
    request->buffer[count] = u'\0';
    return 1;
  }
  if (name == "Profile/SetString") {
    const auto* text = reinterpret_cast<const char16_t*>(lparam);
    if (text == nullptr) return 0;
    return profile.SetText(KeyOf(wparam), Utf16ToUtf8(text)) ? 1 : 0;
  }
  if (name == "Profile/DelKey") {
    profile.DeleteSection(KeyOf(wparam));
    return 1;
  }
  if (name == "DB/GetConnectionUri") {
    return reinterpret_cast<intptr_t>(database->c_str());
  }
  if (name == "Main/OpenAssayIdDlgEx") {
    ++assayDialogCalls;
    auto* request = reinterpret_cast<AssayIdRequest*>(wparam);
    if (request == nullptr || request->ids == nullptr) return 0;
    const std::size_t count = std::min<std::size_t>(assayIds.size(), static_cast<std::size_t>(request->capacity));
    std::copy_n(assayIds.begin(), count, request->ids);
    return static_cast<intptr_t>(count);
  }
  if (name == "Cfg/DataPath") return reinterpret_cast<intptr_t>(dataPath_.c_str());
  return 0;
}

}  // namespace p528::simdist
