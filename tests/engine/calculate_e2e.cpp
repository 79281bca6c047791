// The calculation as a value: calculations of different inputs running at the same time
// give each exactly what it gives alone, and a result calculated again into the same
// object is the same as a fresh one.
#include "chromatogram_set.h"
#include "engine/calculation.h"
#include "generated_calculation.h"
#include "support/result_fingerprint.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace p528 {
namespace {

// One input per scenario and method, with the runs it points into.
struct Inputs {
  std::vector<std::unique_ptr<ChrmSet>> sets;
  std::vector<CalcInput> inputs;
  std::vector<std::string> names;
};

Inputs MakeInputs() {
  Inputs all;
  for (const char* scenario : {"gasoil", "condensate"}) {
    chrmgen::GeneratedSet& generated = GeneratedScenario(scenario);
    for (int32_t method : {AstmD2887A, Gost56720A, Gost56720B, Gost54291, Iso3924}) {
      test::EngineFixture f(method);
      f.components = ProjectComponents();
      all.sets.push_back(std::make_unique<ChrmSet>());
      all.inputs.push_back(GeneratedInput(f, generated, *all.sets.back()));
      all.names.push_back(std::string(scenario) + " method " + std::to_string(method));
    }
  }
  return all;
}

TEST(Calculate, ConcurrentCalculationsGiveTheSerialResults) {
  const Inputs all = MakeInputs();
  std::vector<std::string> serial;
  for (const CalcInput& input : all.inputs) serial.push_back(test::Fingerprint(Calculate(input)).Text());

  std::vector<std::string> concurrent(all.inputs.size());
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < all.inputs.size(); ++i) {
    threads.emplace_back([&, i] {
      CalcResult result;
      CalculateInto(all.inputs[i], result);
      CalculateInto(all.inputs[i], result);  // again into the same result, its memory reused
      concurrent[i] = test::Fingerprint(result).Text();
    });
  }
  for (std::thread& t : threads) t.join();

  for (std::size_t i = 0; i < all.inputs.size(); ++i) {
    SCOPED_TRACE(all.names[i]);
    EXPECT_GT(serial[i].size(), 1000u);  // a result with records, not an empty one
    EXPECT_EQ(concurrent[i], serial[i]);
  }
}

}  // namespace
}  // namespace p528
