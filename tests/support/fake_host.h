// FakeHost: an in-process host for tests of everything that talks to the host.
//
// It hands out a real HostApi table (table()) whose entries record every call and answer
// like a host would:
//   - events: HookEvent/UnhookEvent keep subscriptions; FireEvent() raises an event
//     ("System/ModulesLoaded") the way the host does after loading all modules;
//   - services published by the plug-in (CreateService/DestroyService) can be invoked with
//     InvokeService(), as the host's menu does for "plug528/MenuCommand";
//   - host services, all offered from the start and each removable (RemoveService) or
//     replaceable (Provide):
//       "System/GetLanguage"     returns `language` (whole value; the plug-in keeps the low 16 bits)
//       "MainMenu/CreateNewMenu" copies the MenuItemInfo into menuItems()
//       "DB/GetConnectionUri"    returns `connectionUri` (a null pointer when it is empty)
//       "Main/OpenAssayIdDlgEx"  writes `assayIds` (at most the request's capacity) into the
//                                request; returns `assayDialogCount` when set, else the
//                                number written
//       "Cfg/DataPath"           exists only (returns 0)
//       "Main/OpenAssayFile"     records the UTF-16 file name in openedAssayFiles()
//       "Profile/GetInt", "Profile/SetInt", "Profile/GetString", "Profile/SetString",
//       "Profile/DelKey"         an in-memory profile store (below)
//   - the profile store: a map from the UTF-16 key path, exactly as passed (case-sensitive),
//     to an int or a UTF-16 text. "Profile/GetInt" finds only ints and "Profile/GetString"
//     only texts (0 = not found). "Profile/GetString" writes at most capacity − 1 units and
//     a terminator; with `fillWholeTextBuffer` it writes `capacity` units without one when
//     the text is that long (a careless host). "Profile/DelKey" removes the key path given
//     and every key below it. `failProfileWrites` makes the Set services store nothing and
//     return 0.
//
// Every call through the table is appended to calls(), in order, with the key path or file
// name decoded for the profile services and "Main/OpenAssayFile".
//
// The HostApi entries are plain C functions, so they reach the one active FakeHost through
// a static pointer: at most one FakeHost may exist at a time (a second one aborts), and it
// is meant for the test's own thread. Typical use:
//
//   p528::test::FakeHost host;
//   host.language = 0x0409;
//   p528::Shell shell = host.MakeShell();          // prefix "plugins\plug528" already set
//   p528::WriteSettingInt(shell, "settings", "num_device", 7);
//   EXPECT_EQ(host.ProfileInt("plugins\\plug528\\settings\\num_device"), 7);
//   host.RemoveProfileServices();                  // reads now give their defaults
#pragma once

#include "shell/host_api.h"
#include "shell/shell.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace p528::test {

// One call through the host table.
struct HostCall {
  std::string entry;    // "HookEvent", "UnhookEvent", "CreateService", "DestroyService",
                        // "CallService" or "ServiceExists"
  std::string name;     // event or service name; "" for UnhookEvent and DestroyService
  intptr_t wparam = 0;  // CallService's wparam; the handle for UnhookEvent/DestroyService
  intptr_t lparam = 0;  // CallService's lparam
  std::u16string text;  // profile services: the key path; "Main/OpenAssayFile": the file
};

// A copy of a MenuItemInfo the plug-in handed to "MainMenu/CreateNewMenu".
struct MenuItemRecord {
  intptr_t size = 0;
  std::u16string caption;
  intptr_t flags = 0;
  std::string service;
};

using ProfileValue = std::variant<int, std::u16string>;
using ServiceHandler = std::function<intptr_t(intptr_t wparam, intptr_t lparam)>;

class FakeHost {
 public:
  FakeHost();
  ~FakeHost();
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;

  // The host's service table, valid while this FakeHost lives.
  const HostApi* table() const { return &table_; }
  // A Shell attached to this host in its language, with the settings prefix "plugins\plug528"
  // (as after the first menu command) or without it, and no assay database location.
  Shell MakeShell(bool withPrefix = true) const;

  // ---- host services ----
  intptr_t language = 0x0419;
  std::u16string connectionUri = u"/var/lib/chromhost/assays.sqlite";
  std::vector<int> assayIds;
  std::optional<intptr_t> assayDialogCount;
  bool fillWholeTextBuffer = false;
  bool failProfileWrites = false;

  // Replaces or adds a host service.
  void Provide(const std::string& name, ServiceHandler handler);
  // The host no longer offers `name` (ServiceExists answers 0, CallService returns 0).
  void RemoveService(const std::string& name);
  // Removes the five "Profile/..." services.
  void RemoveProfileServices();

  // ---- profile store (key paths in UTF-8 here, stored as UTF-16) ----
  std::map<std::u16string, ProfileValue> profile;
  void SetProfileInt(std::string_view keyPath, int value);
  void SetProfileText(std::string_view keyPath, std::string_view value);
  std::optional<int> ProfileInt(std::string_view keyPath) const;
  std::optional<std::string> ProfileText(std::string_view keyPath) const;  // UTF-8

  // ---- events and the plug-in's services ----
  // Calls every live subscription of `event` with the given arguments; returns how many.
  int FireEvent(const std::string& event, intptr_t wparam = 0, intptr_t lparam = 0);
  // Calls a service the plug-in published, as the host would; 0 when there is none.
  intptr_t InvokeService(const std::string& name, intptr_t wparam = 0, intptr_t lparam = 0);
  bool HasSubscription(const std::string& event) const;
  bool HasPluginService(const std::string& name) const;

  // ---- records ----
  const std::vector<HostCall>& calls() const { return calls_; }
  // The calls of one entry, optionally only those naming `name`.
  std::vector<HostCall> CallsOf(std::string_view entry, std::string_view name = {}) const;
  void ClearCalls() { calls_.clear(); }
  const std::vector<MenuItemRecord>& menuItems() const { return menuItems_; }
  const std::vector<std::u16string>& openedAssayFiles() const { return openedAssayFiles_; }

 private:
  struct Registration {
    std::string name;
    HostCallback callback;
  };

  static int HookEventEntry(const char* event, HostCallback callback);
  static int UnhookEventEntry(int subscription);
  static int CreateServiceEntry(const char* service, HostCallback callback);
  static int DestroyServiceEntry(int service);
  static intptr_t CallServiceEntry(const char* service, intptr_t wparam, intptr_t lparam);
  static int ServiceExistsEntry(const char* service);
  static FakeHost& Active();

  void InstallHostServices();
  intptr_t CallHostService(const std::string& name, intptr_t wparam, intptr_t lparam);

  HostApi table_{};
  std::map<std::string, ServiceHandler> hostServices_;
  std::map<int, Registration> subscriptions_;   // by handle
  std::map<int, Registration> pluginServices_;  // by handle
  int nextHandle_ = 1;
  std::vector<HostCall> calls_;
  std::vector<MenuItemRecord> menuItems_;
  std::vector<std::u16string> openedAssayFiles_;
};

}  // namespace p528::test
