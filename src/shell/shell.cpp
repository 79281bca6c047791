#include "shell/shell.h"

namespace p528 {

bool Shell::ServiceExists(const char* service) const {
  return host != nullptr && host->ServiceExists != nullptr && host->ServiceExists(service) != 0;
}

intptr_t Shell::CallService(const char* service, intptr_t wparam, intptr_t lparam) const {
  if (host == nullptr || host->CallService == nullptr) return 0;
  return host->CallService(service, wparam, lparam);
}

std::string Shell::Str(int id) const {
  if (resources != nullptr) {
    if (const char* text = resources->Find(id)) return text;
  }
  if (const char* text = RussianStrings().Find(id)) return text;
  return {};
}

}  // namespace p528
