// The Qt chart renderer of simdist's report (offscreen QPainter); simdist program only.
#pragma once

#include "report/make_report.h"

#include <memory>

namespace p528::simdist {

std::unique_ptr<ChartPngRenderer> MakeQtChartRenderer();

}  // namespace p528::simdist
