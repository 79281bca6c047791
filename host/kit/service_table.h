// The service table a host hands to its plug-ins (HostApi): events, the services plug-ins
// publish, and the host's own services, each a named handler. The command line and the
// desktop host fill one such table with their services; the plug-in cannot tell them apart.
//
// Calls: CallService looks for a host service of that name first, then for a service a
// plug-in published; an unknown name returns 0. Handlers may call back into the table
// (a plug-in service calling a host service): the table is never changed under a running
// handler's feet, because each call works on a copy of the handler.
//
// The HostApi entries are plain C functions without a context: one table at a time is the
// active one of its thread (Attach/Detach), and the active table must outlive every plug-in
// that holds its HostApi. A table is used by one thread: the thread that attached it.
#pragma once

#include "shell/host_api.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace p528::hostkit {

class ProfileStore;

class ServiceTable {
 public:
  using Handler = std::function<intptr_t(intptr_t wparam, intptr_t lparam)>;

  ServiceTable();
  ~ServiceTable();
  ServiceTable(const ServiceTable&) = delete;
  ServiceTable& operator=(const ServiceTable&) = delete;

  // Makes this table the one the C entries reach; returns the table to hand to Load.
  const HostApi* Attach();
  void Detach();

  // A service of the host; replaces an earlier one of the same name. With `available` the
  // service exists only while that answers true (a host whose offer depends on its options).
  void Offer(const std::string& name, Handler handler, std::function<bool()> available = {});
  void Withdraw(const std::string& name);

  // Calls every subscriber of `event`, in the order they subscribed; returns their count.
  int FireEvent(const std::string& event, intptr_t wparam = 0, intptr_t lparam = 0);
  // Services published by plug-ins, by name (e.g. "plug528/MenuCommand").
  bool PluginServiceExists(const std::string& name) const;

  // The entries of HostApi, public for the C functions and for in-process callers.
  int HookEvent(const char* event, HostCallback callback);
  int UnhookEvent(int subscription);
  int CreateService(const char* name, HostCallback callback);
  int DestroyService(int service);
  intptr_t CallService(const char* name, intptr_t wparam, intptr_t lparam);
  bool ServiceExists(const char* name) const;

 private:
  struct Subscription {
    std::string event;
    HostCallback callback;
  };
  struct Published {
    std::string name;
    HostCallback callback;
  };
  HostApi table_{};
  struct Service {
    Handler handler;
    std::function<bool()> available;
  };
  const Service* Find(const char* name) const;

  std::map<std::string, Service> offered_;
  std::map<int, Subscription> subscriptions_;
  std::map<int, Published> published_;
  int nextHandle_ = 1;
};

// "System/GetLanguage": the Windows language id of the host's interface.
void OfferLanguage(ServiceTable& table, uint16_t languageId);
// The five profile services over `store` ("Profile/GetInt", "Profile/SetInt",
// "Profile/GetString", "Profile/SetString", "Profile/DelKey"); key paths and texts are
// UTF-16 at the table, UTF-8 in the store. A text read is cut to the buffer's capacity.
void OfferProfile(ServiceTable& table, ProfileStore& store);
// "DB/GetConnectionUri": the database file, as UTF-16 text owned by the table's handler.
void OfferDatabaseLocation(ServiceTable& table, const std::string& path);
// "Cfg/DataPath": the folder of the chromatogram files, UTF-16 text owned by the handler.
void OfferDataPath(ServiceTable& table, const std::string& folder);

// The interface language a host chooses: `option` "ru" or "en" when given, otherwise the
// locale (LC_ALL, LC_MESSAGES, LANG): Russian gives 0x0419, anything else 0x0409.
uint16_t ChooseLanguageId(const std::string& option);

// The levels of a plug-in's menu path ("Анализ/Разгонка": a menu and its item), empty parts
// left out. A path of more than kMaxMenuLevels levels or kMaxMenuPathBytes bytes gives no
// levels: the host refuses the item (a path of thousands of levels froze the start).
inline constexpr std::size_t kMaxMenuLevels = 8;
inline constexpr std::size_t kMaxMenuPathBytes = 1024;
std::vector<std::string> MenuLevels(const std::string& path);

}  // namespace p528::hostkit
