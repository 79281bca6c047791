// `simdist calc --report OUT.html [--sections LIST|all]`: the report of the calculation, as
// the main window's "Сохранить отчет" writes it, saved to OUT.html with the style sheet of
// the interface language. The sections are the profile's report flags unless --sections
// names them for this run (the profile is not changed).
//
// The chart pictures need Qt: the simdist program hands in a renderer that draws through
// QPainter offscreen (qt/report_pictures.cpp). Without one (a build without Qt, or a program
// linking only p528_simdist) a report asking for a chart section fails with a message.
#pragma once

#include "report/make_report.h"

#include <iosfwd>
#include <memory>
#include <string>

namespace p528 {
class Workbench;
}

namespace p528::simdist {

struct CalcConfig;

// Makes the chart renderer of the report; called only when a report is written.
using ChartRendererFactory = std::unique_ptr<ChartPngRenderer> (*)();

// The folder of the style sheets: the program's own folder when the style sheet of the
// language is there, else the data folder of the source tree simdist was built from.
std::string ReportStyleSheetFolder(uint16_t uiLangId);

// Writes the report of `workbench` to config.reportPath. Returns true when written; else
// prints why to `err` (in the interface language) and returns false.
bool WriteReport(Workbench& workbench, const CalcConfig& config, ChartRendererFactory pictures,
                 std::ostream& err);

// The --sections value checked ("all", "none" or flag names); `normal` is the value as given.
bool CheckSections(std::string_view value, std::string& normal, std::string& error);

}  // namespace p528::simdist
