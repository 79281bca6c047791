#include "engine/tables/reference_tables.h"

namespace p528 {

namespace {

constexpr RefGasoilRow kAstm[] = {
    {0.5, 114, 115}, {5, 143, 151},  {10, 169, 176},   {15, 196, 201}, {20, 221, 224}, {25, -1, 243},
    {30, 258, 259},  {35, -1, 275},  {40, 287, 289},   {45, -1, 302},  {50, 312, 312}, {55, -1, 321},
    {60, 332, 332},  {65, 343, 343}, {70, 354, 354},   {75, 364, 365}, {80, 376, 378}, {85, 389, 391},
    {90, 404, 407},  {95, 425, 428}, {99.5, 475, 475},
};

constexpr RefGasoilRow kGost[] = {
    {0.5, 114, 115}, {5, 143, 151},  {10, 169, 176}, {15, 196, 201},   {20, 221, 224},
    {30, 258, 259},  {40, 287, 289}, {50, 312, 312}, {60, 332, 332},   {70, 354, 354},
    {80, 376, 378},  {90, 404, 407}, {95, 425, 428}, {99.5, 475, 475},
};

}  // namespace

std::span<const RefGasoilRow> RefTableAstm() { return kAstm; }
std::span<const RefGasoilRow> RefTableGost() { return kGost; }

}  // namespace p528
