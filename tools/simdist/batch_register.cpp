#include "batch_register.h"

#include "notices.h"

#include "host/kit/register/result_register.h"

#include <exception>
#include <memory>

namespace p528::simdist {

void RegisterSamples(const std::string& path, std::vector<SampleOutcome>& samples) {
  std::unique_ptr<hostkit::ResultRegister> store;
  std::string openFailure;
  for (SampleOutcome& sample : samples) {
    if (!sample.record) continue;
    std::string failure;
    try {
      if (!store && openFailure.empty()) store = std::make_unique<hostkit::ResultRegister>(path);
      if (store) sample.registerEntry = store->Add(std::move(*sample.record));
    } catch (const std::exception& error) {  // SQLite's failures, and exhausted memory
      failure = error.what();
      if (!store) openFailure = failure;
    }
    sample.record.reset();
    if (sample.registerEntry > 0) {
      sample.log += "simdist: " + ForTerminal(sample.sample) + ": registered as entry " +
                    std::to_string(sample.registerEntry) + " in " + path + "\n";
    } else {
      sample.done = false;
      sample.failure = "not registered in " + path + ": " + (failure.empty() ? openFailure : failure);
    }
  }
}

}  // namespace p528::simdist
