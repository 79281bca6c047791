// Certified boiling temperatures of the two built-in reference gas oil lots.
#pragma once

#include <span>

namespace p528 {

struct RefGasoilRow {
  double percent;  // % off
  double lot1;     // °C, -1 when lot 1 does not certify it
  double lot2;     // °C, -1 when lot 2 does not certify it
};

// 21 rows (ASTM D 2887 method A).
std::span<const RefGasoilRow> RefTableAstm();
// 14 rows (GOST R 56720 method A, GOST ISO 3924).
std::span<const RefGasoilRow> RefTableGost();

}  // namespace p528
