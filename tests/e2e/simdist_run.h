// Running `simdist calc` (and `simdist batch`) in process for the end-to-end tests: status, standard output
// and standard error of one run (support/files.h reads a file the run wrote).
#pragma once

#include "batch.h"
#include "calc.h"
#include "support/files.h"

#include <sstream>
#include <string>
#include <vector>

namespace p528::test {

struct RunResult {
  int status;
  std::string out;
  std::string err;
};

inline RunResult Simdist(const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = simdist::RunCalcCommand(arguments, out, err);
  return {status, out.str(), err.str()};
}

inline RunResult SimdistBatch(const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = simdist::RunBatchCommand(arguments, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace p528::test
