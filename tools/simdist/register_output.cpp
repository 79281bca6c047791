#include "register_output.h"

#include "options.h"

#include "host/kit/register/result_register.h"
#include "shell/database.h"
#include "workbench/registration.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

namespace p528::simdist {

void AddDatabaseFiles(const CalcConfig& config, std::vector<NamedPath>& outputs,
                      std::vector<NamedPath>& inputs) {
  if (config.registerPath) outputs.push_back({"--register", *config.registerPath});
  std::error_code ec;
  if (config.database &&
      !(config.registerPath && std::filesystem::equivalent(*config.database, *config.registerPath, ec)))
    inputs.push_back({"the database", *config.database});
}

std::optional<ResultRegistration> ResultRecord(const Workbench& workbench, std::string resultJson,
                                               const std::string& reportPath, std::string& error) {
  std::string html;
  if (!reportPath.empty()) {
    std::ifstream in(reportPath, std::ios::binary);
    html.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
      error = "the report " + reportPath + " cannot be read back";
      return std::nullopt;
    }
  }
  return MakeRegistration(workbench, std::move(resultJson), std::move(html));
}

bool RegisterResult(const Workbench& workbench, const CalcConfig& config, std::string resultJson,
                    std::ostream& err) {
  std::string error;
  std::optional<ResultRegistration> record =
      ResultRecord(workbench, std::move(resultJson), config.reportPath.value_or(""), error);
  if (!record) {
    err << "simdist: not registered: " << error << "\n";
    return false;
  }
  try {
    hostkit::ResultRegister store(*config.registerPath);
    const int64_t id = store.Add(std::move(*record));
    err << "simdist: registered as entry " << id << " in " << *config.registerPath << "\n";
    return true;
  } catch (const DataBase::SqlException& failure) {
    err << "simdist: not registered in " << *config.registerPath << ": " << failure.what() << "\n";
    return false;
  }
}

}  // namespace p528::simdist
