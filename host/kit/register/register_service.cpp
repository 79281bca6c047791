#include "host/kit/register/register_service.h"

#include "host/kit/register/result_register.h"
#include "shell/database.h"
#include "shell/result_registration.h"

namespace p528::hostkit {

void OfferResultRegister(ServiceTable& table, const std::string& databasePath,
                         std::function<void(const std::string&)> failed) {
  table.Offer(kRegisterResultService, [databasePath, failed](intptr_t, intptr_t lparam) -> intptr_t {
    const auto* entry = reinterpret_cast<const ResultRegistration*>(lparam);
    if (entry == nullptr) return 0;
    try {
      ResultRegister store(databasePath);
      return static_cast<intptr_t>(store.Add(*entry));
    } catch (const DataBase::SqlException& error) {
      if (failed) failed(error.what());
      return 0;
    }
  });
}

}  // namespace p528::hostkit
