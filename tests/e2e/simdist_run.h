// Running `simdist calc` (and `simdist batch`) in process for the end-to-end tests: status, standard output
// and standard error of one run, and reading a file the run wrote.
#pragma once

#include "batch.h"
#include "calc.h"

#include <fstream>
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

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace p528::test
