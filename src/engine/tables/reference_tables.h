// Certified boiling temperatures of the two built-in reference gas oil lots ("Газойль
// партия №1", "Газойль партия №2"), constant for the life of the module.
//
// Percent off in %, temperatures in °C; -1 marks a percent that the lot does not certify.
#pragma once

#include <span>

namespace p528 {

struct RefGasoilRow {
  double percent;  // % off
  double lot1;     // °C, -1 when lot 1 does not certify it
  double lot2;     // °C, -1 when lot 2 does not certify it
};

// 21 rows, 0.5 %, every 5 % from 5 to 95 %, 99.5 % (ASTM D 2887-13 method A).
std::span<const RefGasoilRow> RefTableAstm();
// 14 rows: 0.5, 5, 10, 15, 20, 30, ... 90, 95, 99.5 % (GOST R 56720-2015 method A,
// GOST ISO 3924-2017), with the same temperatures as the ASTM table.
std::span<const RefGasoilRow> RefTableGost();

}  // namespace p528
