#include "host/kit/service_table.h"

#include "host/kit/profile_store.h"
#include "shell/shell.h"
#include "shell/text.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace p528::hostkit {

namespace {

// The active table of this thread: a process that calculates several sets at once (the
// command line's batch) gives each worker thread a host of its own.
thread_local ServiceTable* g_active = nullptr;

int CHookEvent(const char* event, HostCallback callback) {
  return g_active != nullptr ? g_active->HookEvent(event, callback) : 0;
}
int CUnhookEvent(int subscription) { return g_active != nullptr ? g_active->UnhookEvent(subscription) : 0; }
int CCreateService(const char* name, HostCallback callback) {
  return g_active != nullptr ? g_active->CreateService(name, callback) : 0;
}
int CDestroyService(int service) { return g_active != nullptr ? g_active->DestroyService(service) : 0; }
intptr_t CCallService(const char* name, intptr_t wparam, intptr_t lparam) {
  return g_active != nullptr ? g_active->CallService(name, wparam, lparam) : 0;
}
int CServiceExists(const char* name) { return g_active != nullptr && g_active->ServiceExists(name) ? 1 : 0; }

std::string KeyOf(intptr_t wparam) {
  const auto* key = reinterpret_cast<const char16_t*>(wparam);
  return key != nullptr ? Utf16ToUtf8(key) : std::string();
}

}  // namespace

ServiceTable::ServiceTable() {
  table_.HookEvent = CHookEvent;
  table_.UnhookEvent = CUnhookEvent;
  table_.CreateService = CCreateService;
  table_.DestroyService = CDestroyService;
  table_.CallService = CCallService;
  table_.ServiceExists = CServiceExists;
}

ServiceTable::~ServiceTable() { Detach(); }

const HostApi* ServiceTable::Attach() {
  g_active = this;
  return &table_;
}

void ServiceTable::Detach() {
  if (g_active == this) g_active = nullptr;
}

void ServiceTable::Offer(const std::string& name, Handler handler, std::function<bool()> available) {
  offered_[name] = Service{std::move(handler), std::move(available)};
}

const ServiceTable::Service* ServiceTable::Find(const char* name) const {
  const auto it = offered_.find(name);
  if (it == offered_.end() || (it->second.available && !it->second.available())) return nullptr;
  return &it->second;
}

void ServiceTable::Withdraw(const std::string& name) { offered_.erase(name); }

int ServiceTable::FireEvent(const std::string& event, intptr_t wparam, intptr_t lparam) {
  std::vector<HostCallback> callbacks;
  for (const auto& [handle, subscription] : subscriptions_) {
    if (subscription.event == event && subscription.callback != nullptr)
      callbacks.push_back(subscription.callback);
  }
  for (HostCallback callback : callbacks) callback(wparam, lparam);
  return static_cast<int>(callbacks.size());
}

bool ServiceTable::PluginServiceExists(const std::string& name) const {
  return std::any_of(published_.begin(), published_.end(),
                     [&name](const auto& entry) { return entry.second.name == name; });
}

int ServiceTable::HookEvent(const char* event, HostCallback callback) {
  if (event == nullptr) return 0;
  const int handle = nextHandle_++;
  subscriptions_[handle] = Subscription{event, callback};
  return handle;
}

int ServiceTable::UnhookEvent(int subscription) {
  subscriptions_.erase(subscription);
  return 0;
}

int ServiceTable::CreateService(const char* name, HostCallback callback) {
  if (name == nullptr) return 0;
  const int handle = nextHandle_++;
  published_[handle] = Published{name, callback};
  return handle;
}

int ServiceTable::DestroyService(int service) {
  published_.erase(service);
  return 0;
}

intptr_t ServiceTable::CallService(const char* name, intptr_t wparam, intptr_t lparam) {
  if (name == nullptr) return 0;
  if (const Service* service = Find(name)) {
    const Handler handler = service->handler;  // a copy: the handler may change the table
    return handler ? handler(wparam, lparam) : 0;
  }
  for (const auto& [handle, published] : published_) {
    if (published.name == name && published.callback != nullptr) {
      const HostCallback callback = published.callback;
      return callback(wparam, lparam);
    }
  }
  return 0;
}

bool ServiceTable::ServiceExists(const char* name) const {
  if (name == nullptr) return false;
  return Find(name) != nullptr || PluginServiceExists(name);
}

void OfferLanguage(ServiceTable& table, uint16_t languageId) {
  table.Offer("System/GetLanguage", [languageId](intptr_t, intptr_t) -> intptr_t { return languageId; });
}

void OfferProfile(ServiceTable& table, ProfileStore& store) {
  table.Offer("Profile/GetInt", [&store](intptr_t wparam, intptr_t lparam) -> intptr_t {
    const auto value = store.GetInt(KeyOf(wparam));
    if (!value || lparam == 0) return 0;
    *reinterpret_cast<int*>(lparam) = *value;
    return 1;
  });
  table.Offer("Profile/SetInt", [&store](intptr_t wparam, intptr_t lparam) -> intptr_t {
    if (lparam == 0) return 0;
    return store.SetInt(KeyOf(wparam), *reinterpret_cast<const int*>(lparam)) ? 1 : 0;
  });
  table.Offer("Profile/GetString", [&store](intptr_t wparam, intptr_t lparam) -> intptr_t {
    auto* request = reinterpret_cast<ProfileTextBuffer*>(lparam);
    const auto value = store.GetText(KeyOf(wparam));
    if (!value || request == nullptr || request->buffer == nullptr || request->capacity <= 0) return 0;
    const std::u16string text = Utf8ToUtf16(*value);
    const std::size_t count =
        std::min<std::size_t>(text.size(), static_cast<std::size_t>(request->capacity - 1));
    std::copy_n(text.begin(), count, request->buffer);
    request->buffer[count] = u'\0';
    return 1;
  });
  table.Offer("Profile/SetString", [&store](intptr_t wparam, intptr_t lparam) -> intptr_t {
    const auto* text = reinterpret_cast<const char16_t*>(lparam);
    if (text == nullptr) return 0;
    return store.SetText(KeyOf(wparam), Utf16ToUtf8(text)) ? 1 : 0;
  });
  table.Offer("Profile/DelKey", [&store](intptr_t wparam, intptr_t) -> intptr_t {
    store.DeleteSection(KeyOf(wparam));
    return 1;
  });
}

void OfferDatabaseLocation(ServiceTable& table, const std::string& path) {
  auto text = std::make_shared<std::u16string>(Utf8ToUtf16(path));
  table.Offer("DB/GetConnectionUri",
              [text](intptr_t, intptr_t) -> intptr_t { return reinterpret_cast<intptr_t>(text->c_str()); });
}

void OfferDataPath(ServiceTable& table, const std::string& folder) {
  auto text = std::make_shared<std::u16string>(Utf8ToUtf16(folder));
  table.Offer("Cfg/DataPath",
              [text](intptr_t, intptr_t) -> intptr_t { return reinterpret_cast<intptr_t>(text->c_str()); });
}

uint16_t ChooseLanguageId(const std::string& option) {
  if (option == "ru") return kLangRussian;
  if (option == "en") return kLangEnglish;
  std::string locale;
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != '\0') {
      locale = value;
      break;
    }
  }
  return locale.rfind("ru", 0) == 0 ? kLangRussian : kLangEnglish;
}

std::vector<std::string> MenuLevels(const std::string& path) {
  if (path.size() > kMaxMenuPathBytes) return {};
  std::vector<std::string> levels;
  for (std::size_t start = 0; start <= path.size();) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) levels.push_back(path.substr(start, end - start));
    if (levels.size() > kMaxMenuLevels) return {};
    start = end + 1;
  }
  return levels;
}

}  // namespace p528::hostkit
