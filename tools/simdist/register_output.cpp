#include "register_output.h"

#include "options.h"

#include "host/kit/register/result_register.h"
#include "shell/database.h"
#include "workbench/registration.h"

#include <fstream>
#include <iterator>
#include <ostream>

namespace p528::simdist {

bool RegisterResult(const Workbench& workbench, const CalcConfig& config, std::string resultJson,
                    std::ostream& err) {
  std::string html;
  if (config.reportPath) {
    std::ifstream in(*config.reportPath, std::ios::binary);
    html.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
      err << "simdist: not registered: the report " << *config.reportPath << " cannot be read back\n";
      return false;
    }
  }
  try {
    hostkit::ResultRegister store(*config.registerPath);
    const int64_t id = store.Add(MakeRegistration(workbench, std::move(resultJson), std::move(html)));
    err << "simdist: registered as entry " << id << " in " << *config.registerPath << "\n";
    return true;
  } catch (const DataBase::SqlException& error) {
    err << "simdist: not registered in " << *config.registerPath << ": " << error.what() << "\n";
    return false;
  }
}

}  // namespace p528::simdist
