// The register's entries for a laboratory information system, CSV or JSON, format version 1
// (docs/register.md). Both list the entries in the order given (the history's), each with its
// runs; the JSON also carries the settings, the whole result document and the report.
#pragma once

#include "host/kit/register/result_register.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace p528::hostkit {

inline constexpr int kRegisterExportVersion = 1;

// One line per entry after a header line; fields quoted where needed (RFC 4180), UTF-8,
// CR LF line ends. Runs are listed in the last columns as "assay id:role:fingerprint" joined
// by blanks.
std::string RegisterCsv(const std::vector<RegisterEntry>& entries, const std::set<int64_t>& outOfControl);

// {"format": "plug528-register", "formatVersion": 1, "entries": [...]}.
std::string RegisterJson(const std::vector<RegisterEntry>& entries, const std::set<int64_t>& outOfControl);

}  // namespace p528::hostkit
