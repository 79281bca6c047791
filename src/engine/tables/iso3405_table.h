// Coefficients of the ISO 3405 correlation: each estimate is c0 + c1·T1 + c2·T2 + c3·T3 over
// three simulated-distillation temperatures at neighbouring percents, with the
// reproducibility R of the correlation (°C). 11 rows, 0.5 % to 99.5 %, in table order;
// constant for the life of the module.
#pragma once

#include "engine/records.h"

#include <span>

namespace p528 {

std::span<const Iso3405Coeff> Iso3405Table();

}  // namespace p528
