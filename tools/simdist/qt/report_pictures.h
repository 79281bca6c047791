// The Qt chart renderer of simdist's report (offscreen QPainter). It lives in a module of
// its own beside the program, loaded only when a report draws a chart, so that every other
// run of simdist (a calculation with --json, --help) starts without Qt.
#pragma once

#include "report/make_report.h"

#include <memory>

namespace p528::simdist {

// File name of the module, beside the simdist program.
inline constexpr const char* kChartRendererModule = "simdist-pictures.so";
// Its entry: `ChartPngRenderer* p528_simdist_chart_renderer()`, a new renderer the caller
// owns (nullptr when none can be made).
inline constexpr const char* kChartRendererEntry = "p528_simdist_chart_renderer";

// Loads the module and makes a renderer; nullptr, with the reason on standard error, when
// the module is missing or does not load.
std::unique_ptr<ChartPngRenderer> MakeQtChartRenderer();

}  // namespace p528::simdist
