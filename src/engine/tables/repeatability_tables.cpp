#include "engine/tables/repeatability_tables.h"

#include <cmath>

namespace p528 {
namespace {

constexpr LimitRow56720B kLimits56720B[] = {
    {0.5, 7, 5.0},  {5, 8, 5.5},    {10, 10, 7.0},    {20, 11, 7.5},  {30, 12, 8.0},
    {40, 13, 9.0},  {50, 15, 11.0}, {60, 17, 12.0},   {70, 20, 14.0}, {80, 22, 15.0},
    {90, 24, 17.0}, {95, 26, 18.0}, {99.5, 28, 19.0},
};

struct Limit54291 {
  double key;
  double limit;
};
constexpr Limit54291 kLimits54291[] = {
    {-1, 2.6},  // non-volatile residue, % mass
    {0.5, 3.7}, {5, 4.7},   {10, 6.9},  {20, 6.8},  {30, 7.6},  {40, 9.3},
    {50, 10.6}, {60, 11.8}, {70, 17.6}, {80, 24.8}, {85, 18.8}, {90, 20.7},
};

}  // namespace

std::span<const LimitRow56720B> LimitTable56720B() { return kLimits56720B; }

double RepeatabilityLimit54291(double key) {
  for (const Limit54291& row : kLimits54291) {
    if (row.key == key) return row.limit;
  }
  return -1.0;
}

double RepeatabilityLimitAstm(double p, double T) {
  if (p == 0.5) return 0.011 * T;
  if (p > 0.5 && p <= 5) return 0.0032 * (T + 100);
  if (p > 5 && p <= 40) return 0.8;
  if (p > 40 && p <= 90) return 1.0;
  if (p > 90 && p <= 95) return 1.2;
  if (p > 95) return 3.2;
  return -1.0;
}

double RepeatabilityLimit56720A(double p, double T) {
  if (p == 0.5) return 0.011 * T;
  if (p >= 5 && p <= 40) return 0.8;
  if (p >= 50 && p <= 90) return 1.0;
  if (p == 95) return 1.2;
  if (p == 99.5) return 3.3;
  return -1.0;
}

double ReproducibilityLimit56720A(double p, double T) {
  if (p == 0.5) return 0.066 * T;
  if (p >= 5 && p <= 30) return 0.015 * (T + 100);
  if (p >= 40 && p <= 90) return 4.3;
  if (p == 95) return 5.0;
  if (p == 99.5) return 12.0;
  return -1.0;
}

double RoundTemperatureDifference(double difference) {
  if (difference < 10) return std::floor(difference * 10 + 0.5) / 10;
  return std::floor(difference + 0.5);
}

}  // namespace p528
