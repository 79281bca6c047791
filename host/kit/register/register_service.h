// "Register/AddResult" offered by a host that keeps a result register in its database: the
// plug-in's windows hand it a ResultRegistration when the user makes or saves a report.
#pragma once

#include "host/kit/service_table.h"

#include <functional>
#include <string>

namespace p528::hostkit {

// The service over the register in the database file `databasePath` (opened for each call,
// as the plug-in opens the database for each operation). Answers the new entry's id, or 0
// when lparam is null or the register cannot be written; `failed` (may be empty) hears why.
void OfferResultRegister(ServiceTable& table, const std::string& databasePath,
                         std::function<void(const std::string&)> failed = {});

}  // namespace p528::hostkit
