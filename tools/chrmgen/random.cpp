#include "random.h"

#include <cmath>

namespace p528::chrmgen {

namespace {

uint64_t SplitMix64(uint64_t& x) {
  uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

uint64_t RotateLeft(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

}  // namespace

Random::Random(uint64_t seed) {
  uint64_t x = seed;
  for (uint64_t& s : state_) s = SplitMix64(x);
}

uint64_t Random::Next() {
  const uint64_t result = RotateLeft(state_[1] * 5, 7) * 9;
  const uint64_t t = state_[1] << 17;
  state_[2] ^= state_[0];
  state_[3] ^= state_[1];
  state_[1] ^= state_[2];
  state_[0] ^= state_[3];
  state_[2] ^= t;
  state_[3] = RotateLeft(state_[3], 45);
  return result;
}

double Random::Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

double Random::Uniform(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

double Random::Normal() {
  if (haveSpare_) {
    haveSpare_ = false;
    return spare_;
  }
  // 1 - Uniform() lies in (0, 1], so the logarithm is finite.
  const double radius = std::sqrt(-2.0 * std::log(1.0 - Uniform()));
  const double angle = 2.0 * M_PI * Uniform();
  spare_ = radius * std::sin(angle);
  haveSpare_ = true;
  return radius * std::cos(angle);
}

uint64_t StreamSeed(uint64_t seed, std::string_view key) {
  uint64_t hash = 0xCBF29CE484222325ull;  // FNV-1a
  for (char c : key) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001B3ull;
  }
  uint64_t x = seed ^ RotateLeft(hash, 17);
  return SplitMix64(x);
}

}  // namespace p528::chrmgen
