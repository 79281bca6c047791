// Deterministic random numbers for the chromatogram generator.
//
// xoshiro256** seeded through splitmix64, with our own uniform and normal draws: the standard
// library's distributions differ between implementations, these do not, so a seed always
// gives the same chromatograms. Each run draws from its own stream (StreamSeed), so adding
// a run to a set does not change the others.
#pragma once

#include <cstdint>
#include <string_view>

namespace p528::chrmgen {

class Random {
 public:
  explicit Random(uint64_t seed);

  uint64_t Next();
  // Uniform in [0, 1), 53 random bits.
  double Uniform();
  // Uniform in [lo, hi).
  double Uniform(double lo, double hi);
  // Standard normal (mean 0, standard deviation 1), Box-Muller with the pair's second value kept.
  double Normal();

 private:
  uint64_t state_[4];
  bool haveSpare_ = false;
  double spare_ = 0;
};

// Seed of an independent stream for one named part of a set ("analysis-2", "set").
uint64_t StreamSeed(uint64_t seed, std::string_view key);

}  // namespace p528::chrmgen
