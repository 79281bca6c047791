// The host as the command line offers it: the service table a chromatography data system
// gives the plug-in, served in process, so that the core runs exactly the code it runs under
// a real host.
//
// Services offered: "System/GetLanguage" (the language chosen with --lang), "Profile/GetInt",
// "Profile/SetInt", "Profile/GetString", "Profile/SetString", "Profile/DelKey" (a
// ProfileStore), "DB/GetConnectionUri" (the --db file, when given), "Main/OpenAssayIdDlgEx"
// (answered with the --ids list) and "Cfg/DataPath". Subscriptions and published services
// are kept, but no event is ever fired; nothing else exists.
//
// The services are the host kit's service table; the fields below are read at each call.
// The host table is plain C without a context argument, so one CliHost at a time is the
// active host (Attach/Detach); it must outlive every Shell that points at its table.
#pragma once

#include "host/kit/profile_store.h"
#include "host/kit/service_table.h"
#include "shell/host_api.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace p528::simdist {

// The profile store lives in the host kit; the command line names it as its own.
using hostkit::DefaultProfilePath;
using hostkit::ProfileStore;

class CliHost {
 public:
  explicit CliHost(ProfileStore& profile);
  ~CliHost();
  CliHost(const CliHost&) = delete;
  CliHost& operator=(const CliHost&) = delete;

  // Makes this host the one that answers the table's calls; returns the table.
  const HostApi* Attach();
  void Detach();

  uint16_t languageId = 0x0419;            // "System/GetLanguage"
  std::optional<std::u16string> database;  // "DB/GetConnectionUri"; absent without --db
  std::vector<int> assayIds;               // the answer of the assay dialog
  bool assayDialogOffered = false;         // "Main/OpenAssayIdDlgEx" and "Cfg/DataPath"
  int assayDialogCalls = 0;                // how often the dialog was "shown"

  ProfileStore& profile;

  // Service dispatch, public for the C callbacks.
  bool Exists(const char* service) const;
  intptr_t Call(const char* service, intptr_t wparam, intptr_t lparam);

 private:
  hostkit::ServiceTable table_;
  std::u16string dataPath_ = u"/";
};

}  // namespace p528::simdist
