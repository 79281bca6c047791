#include "cli_host.h"

#include <algorithm>

namespace p528::simdist {

CliHost::CliHost(ProfileStore& store) : profile(store) {
  table_.Offer("System/GetLanguage", [this](intptr_t, intptr_t) -> intptr_t { return languageId; });
  hostkit::OfferProfile(table_, profile);
  table_.Offer(
      "DB/GetConnectionUri",
      [this](intptr_t, intptr_t) -> intptr_t { return reinterpret_cast<intptr_t>(database->c_str()); },
      [this] { return database.has_value(); });
  table_.Offer(
      "Main/OpenAssayIdDlgEx",
      [this](intptr_t wparam, intptr_t) -> intptr_t {
        ++assayDialogCalls;
        auto* request = reinterpret_cast<AssayIdRequest*>(wparam);
        if (request == nullptr || request->ids == nullptr || request->capacity <= 0) return 0;
        const std::size_t count =
            std::min<std::size_t>(assayIds.size(), static_cast<std::size_t>(request->capacity));
        std::copy_n(assayIds.begin(), count, request->ids);
        return static_cast<intptr_t>(count);
      },
      [this] { return assayDialogOffered; });
  table_.Offer(
      "Cfg/DataPath",
      [this](intptr_t, intptr_t) -> intptr_t { return reinterpret_cast<intptr_t>(dataPath_.c_str()); },
      [this] { return assayDialogOffered; });
}

CliHost::~CliHost() { Detach(); }

const HostApi* CliHost::Attach() { return table_.Attach(); }

void CliHost::Detach() { table_.Detach(); }

bool CliHost::Exists(const char* service) const { return table_.ServiceExists(service); }

intptr_t CliHost::Call(const char* service, intptr_t wparam, intptr_t lparam) {
  return table_.CallService(service, wparam, lparam);
}

}  // namespace p528::simdist
