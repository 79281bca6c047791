#include "support/fake_host.h"

#include "shell/settings.h"
#include "shell/text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace p528::test {

namespace {
FakeHost* g_active = nullptr;

std::u16string TextAt(intptr_t address) {
  const auto* text = reinterpret_cast<const char16_t*>(address);
  return text != nullptr ? std::u16string(text) : std::u16string();
}

bool IsProfileService(const std::string& name) { return name.rfind("Profile/", 0) == 0; }
}  // namespace

FakeHost::FakeHost() {
  if (g_active != nullptr) {
    std::fputs("FakeHost: only one may exist at a time\n", stderr);
    std::abort();
  }
  g_active = this;
  table_.HookEvent = &HookEventEntry;
  table_.UnhookEvent = &UnhookEventEntry;
  table_.CreateService = &CreateServiceEntry;
  table_.DestroyService = &DestroyServiceEntry;
  table_.CallService = &CallServiceEntry;
  table_.ServiceExists = &ServiceExistsEntry;
  InstallHostServices();
}

FakeHost::~FakeHost() { g_active = nullptr; }

FakeHost& FakeHost::Active() {
  if (g_active == nullptr) {
    std::fputs("FakeHost: a host table was used after its FakeHost was destroyed\n", stderr);
    std::abort();
  }
  return *g_active;
}

Shell FakeHost::MakeShell(bool withPrefix) const {
  return p528::MakeShell(
      {.host = &table_, .askLanguage = false, .settingsPrefix = withPrefix, .databaseLocation = false});
}

void FakeHost::Provide(const std::string& name, ServiceHandler handler) {
  hostServices_[name] = std::move(handler);
}

void FakeHost::RemoveService(const std::string& name) { hostServices_.erase(name); }

void FakeHost::RemoveProfileServices() {
  for (const char* name :
       {"Profile/GetInt", "Profile/SetInt", "Profile/GetString", "Profile/SetString", "Profile/DelKey"})
    RemoveService(name);
}

void FakeHost::SetProfileInt(std::string_view keyPath, int value) { profile[Utf8ToUtf16(keyPath)] = value; }

void FakeHost::SetProfileText(std::string_view keyPath, std::string_view value) {
  profile[Utf8ToUtf16(keyPath)] = Utf8ToUtf16(value);
}

std::optional<int> FakeHost::ProfileInt(std::string_view keyPath) const {
  auto it = profile.find(Utf8ToUtf16(keyPath));
  if (it == profile.end() || !std::holds_alternative<int>(it->second)) return std::nullopt;
  return std::get<int>(it->second);
}

std::optional<std::string> FakeHost::ProfileText(std::string_view keyPath) const {
  auto it = profile.find(Utf8ToUtf16(keyPath));
  if (it == profile.end() || !std::holds_alternative<std::u16string>(it->second)) return std::nullopt;
  return Utf16ToUtf8(std::get<std::u16string>(it->second));
}

int FakeHost::FireEvent(const std::string& event, intptr_t wparam, intptr_t lparam) {
  // Copy first: a handler may hook or unhook while the event is delivered.
  std::vector<HostCallback> callbacks;
  for (const auto& [handle, registration] : subscriptions_) {
    if (registration.name == event && registration.callback != nullptr)
      callbacks.push_back(registration.callback);
  }
  for (HostCallback callback : callbacks) callback(wparam, lparam);
  return static_cast<int>(callbacks.size());
}

intptr_t FakeHost::InvokeService(const std::string& name, intptr_t wparam, intptr_t lparam) {
  for (const auto& [handle, registration] : pluginServices_) {
    if (registration.name == name && registration.callback != nullptr)
      return registration.callback(wparam, lparam);
  }
  return 0;
}

bool FakeHost::HasSubscription(const std::string& event) const {
  return std::any_of(subscriptions_.begin(), subscriptions_.end(),
                     [&](const auto& entry) { return entry.second.name == event; });
}

bool FakeHost::HasPluginService(const std::string& name) const {
  return std::any_of(pluginServices_.begin(), pluginServices_.end(),
                     [&](const auto& entry) { return entry.second.name == name; });
}

std::vector<HostCall> FakeHost::CallsOf(std::string_view entry, std::string_view name) const {
  std::vector<HostCall> result;
  for (const HostCall& call : calls_) {
    if (call.entry == entry && (name.empty() || call.name == name)) result.push_back(call);
  }
  return result;
}

// ---- the table's entries ----

int FakeHost::HookEventEntry(const char* event, HostCallback callback) {
  FakeHost& host = Active();
  const std::string name = event != nullptr ? event : "";
  host.calls_.push_back({"HookEvent", name, 0, 0, {}});
  const int handle = host.nextHandle_++;
  host.subscriptions_[handle] = {name, callback};
  return handle;
}

int FakeHost::UnhookEventEntry(int subscription) {
  FakeHost& host = Active();
  host.calls_.push_back({"UnhookEvent", "", subscription, 0, {}});
  host.subscriptions_.erase(subscription);
  return 0;
}

int FakeHost::CreateServiceEntry(const char* service, HostCallback callback) {
  FakeHost& host = Active();
  const std::string name = service != nullptr ? service : "";
  host.calls_.push_back({"CreateService", name, 0, 0, {}});
  const int handle = host.nextHandle_++;
  host.pluginServices_[handle] = {name, callback};
  return handle;
}

int FakeHost::DestroyServiceEntry(int service) {
  FakeHost& host = Active();
  host.calls_.push_back({"DestroyService", "", service, 0, {}});
  host.pluginServices_.erase(service);
  return 0;
}

intptr_t FakeHost::CallServiceEntry(const char* service, intptr_t wparam, intptr_t lparam) {
  FakeHost& host = Active();
  const std::string name = service != nullptr ? service : "";
  HostCall call{"CallService", name, wparam, lparam, {}};
  if (IsProfileService(name)) call.text = TextAt(wparam);
  if (name == "Main/OpenAssayFile") call.text = TextAt(lparam);
  host.calls_.push_back(call);
  if (host.hostServices_.count(name) != 0) return host.CallHostService(name, wparam, lparam);
  return host.InvokeService(name, wparam, lparam);
}

int FakeHost::ServiceExistsEntry(const char* service) {
  FakeHost& host = Active();
  const std::string name = service != nullptr ? service : "";
  host.calls_.push_back({"ServiceExists", name, 0, 0, {}});
  return host.hostServices_.count(name) != 0 || host.HasPluginService(name) ? 1 : 0;
}

intptr_t FakeHost::CallHostService(const std::string& name, intptr_t wparam, intptr_t lparam) {
  // Copy: the handler may replace itself through Provide.
  const ServiceHandler handler = hostServices_.at(name);
  return handler(wparam, lparam);
}

void FakeHost::InstallHostServices() {
  Provide("System/GetLanguage", [this](intptr_t, intptr_t) { return language; });
  Provide("MainMenu/CreateNewMenu", [this](intptr_t, intptr_t lparam) -> intptr_t {
    const auto* item = reinterpret_cast<const MenuItemInfo*>(lparam);
    if (item == nullptr) return 0;
    menuItems_.push_back({item->size, TextAt(reinterpret_cast<intptr_t>(item->caption)), item->flags,
                          item->service != nullptr ? item->service : ""});
    return 1;
  });
  Provide("DB/GetConnectionUri", [this](intptr_t, intptr_t) -> intptr_t {
    return connectionUri.empty() ? 0 : reinterpret_cast<intptr_t>(connectionUri.c_str());
  });
  Provide("Main/OpenAssayIdDlgEx", [this](intptr_t wparam, intptr_t) -> intptr_t {
    const auto* request = reinterpret_cast<const AssayIdRequest*>(wparam);
    intptr_t written = 0;
    if (request != nullptr && request->ids != nullptr) {
      for (int id : assayIds) {
        if (written >= request->capacity) break;
        request->ids[written++] = id;
      }
    }
    return assayDialogCount.value_or(written);
  });
  Provide("Cfg/DataPath", [](intptr_t, intptr_t) -> intptr_t { return 0; });
  Provide("Main/OpenAssayFile", [this](intptr_t, intptr_t lparam) -> intptr_t {
    openedAssayFiles_.push_back(TextAt(lparam));
    return 0;
  });

  Provide("Profile/GetInt", [this](intptr_t wparam, intptr_t lparam) -> intptr_t {
    auto it = profile.find(TextAt(wparam));
    auto* value = reinterpret_cast<int*>(lparam);
    if (it == profile.end() || !std::holds_alternative<int>(it->second) || value == nullptr) return 0;
    *value = std::get<int>(it->second);
    return 1;
  });
  Provide("Profile/SetInt", [this](intptr_t wparam, intptr_t lparam) -> intptr_t {
    const auto* value = reinterpret_cast<const int*>(lparam);
    if (failProfileWrites || value == nullptr) return 0;
    profile[TextAt(wparam)] = *value;
    return 1;
  });
  Provide("Profile/GetString", [this](intptr_t wparam, intptr_t lparam) -> intptr_t {
    auto it = profile.find(TextAt(wparam));
    auto* out = reinterpret_cast<ProfileTextBuffer*>(lparam);
    if (it == profile.end() || !std::holds_alternative<std::u16string>(it->second) || out == nullptr ||
        out->buffer == nullptr || out->capacity <= 0)
      return 0;
    const std::u16string& text = std::get<std::u16string>(it->second);
    const std::size_t capacity = static_cast<std::size_t>(out->capacity);
    if (fillWholeTextBuffer && text.size() >= capacity) {
      std::copy_n(text.begin(), capacity, out->buffer);  // no terminator
    } else {
      const std::size_t n = std::min(text.size(), capacity - 1);
      std::copy_n(text.begin(), n, out->buffer);
      out->buffer[n] = u'\0';
    }
    return 1;
  });
  Provide("Profile/SetString", [this](intptr_t wparam, intptr_t lparam) -> intptr_t {
    if (failProfileWrites) return 0;
    profile[TextAt(wparam)] = TextAt(lparam);
    return 1;
  });
  Provide("Profile/DelKey", [this](intptr_t wparam, intptr_t) -> intptr_t {
    const std::u16string section = TextAt(wparam);
    const std::u16string below = section + u'\\';
    std::erase_if(profile, [&](const auto& entry) {
      return entry.first == section || entry.first.rfind(below, 0) == 0;
    });
    return 1;
  });
}

}  // namespace p528::test
