// Bit-for-bit comparison of doubles for the tests that hold a fast path to the rule it
// replaces: equal bits (so -0.0 differs from 0.0 and a NaN equals the same NaN).
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <vector>

namespace p528::test {

inline ::testing::AssertionResult SameDouble(double a, double b) {
  if (std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hexfloat << a << " != " << b;
}

inline ::testing::AssertionResult SameDoubles(const std::vector<double>& a, const std::vector<double>& b) {
  if (a.size() != b.size())
    return ::testing::AssertionFailure() << "sizes " << a.size() << " != " << b.size();
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!SameDouble(a[i], b[i])) {
      return ::testing::AssertionFailure()
             << "entry " << i << ": " << std::hexfloat << a[i] << " != " << b[i];
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace p528::test
