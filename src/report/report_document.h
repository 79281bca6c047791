// The report document: what the last recalculation left behind, as one XML tree for the
// style sheet (docs/report-document.md gives its grammar with an example).
//
// The tables are copies of the result lists as the user sees them: the builders read the
// lists' cell texts row by row and column by column and never format a number again (a
// cell of a column that does not exist reads as empty). Only the ISO 3405 section is built
// from the engine's rows, the header and the file list from the chromatogram set, the
// settings and the main window's values.
//
// Texts come from the sources as they stand (passport texts, typed masses, list cells);
// the document's own words come from the interface language's string table.
//
// Empty sources leave their sections out without a message; an empty value is still
// written as an empty element. User-interface thread only.
#pragma once

#include "chromatogram/chrm_set.h"
#include "report/report_options.h"
#include "report/xml_wrapper.h"

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace p528 {

class CAnalysis;
class MessageLog;
struct ResultTables;
class Shell;
class TableModel;

// What the report is built from: the result, the result lists filled from it and the
// message log; the texts' language is the engine's shell. All referenced objects outlive
// the report.
struct ReportSources {
  const ChrmSet& set;
  const CAnalysis& analysis;
  const ResultTables& tables;
  const MessageLog& messages;
  int num_device = 0;        // instrument number of the main window
  std::string OperatorName;  // operator of analysis 1 ("" without one)
};

enum class ReportChart { Calibration, Distillation };

// PNG bytes of one chart as the report shows it; false when no picture can be made.
using ChartPictureSource = std::function<bool(ReportChart chart, std::vector<unsigned char>& png)>;

enum class BuildStatus {
  Built,
  NoPicture,       // a chart picture could not be made: nothing may be written
  DocumentFailed,  // the tree could not be built: nothing may be written
};

// Builds the whole document into `wrapper` (Init first): the header, the sections whose
// flags hold, in the document's order, and the operator. `now` is the local time of the
// report. Stops at the first picture that fails.
BuildStatus BuildReportDocument(CXMLWrapper& wrapper, const ReportSources& sources,
                                const ReportOptions& options, const std::tm& now,
                                const ChartPictureSource& pictures);

// "%d.%02d.%d" of day, month and four-digit year: "5.03.2024".
std::string ReportDateText(const std::tm& now);

// The method's name in the report; "" for a method without one.
std::string ReportMethodName(const Shell& shell, int32_t method);

// The sample of analysis 1 (the record numbered 1, else the first) with every "#анализ"
// removed; "" without analyses.
std::string ReportSampleName(const CAnalysis& analysis);

// One listed file of the `files` section.
struct ReportFile {
  const ChrmFile* file;
  std::string path;      // its key in the set
  std::string typeText;  // "градуировочная", "анализ - 2", ...
};

// The set's files in the report's order: calibration, blank, reference, check (the later
// one in set order when a role occurs twice), then the analyses and then the
// internal-standard runs, each in set order and numbered by their place (1, 2, 3, ...).
// Analyses and internal-standard runs beyond the third are listed too, numbered on.
std::vector<ReportFile> ReportFileList(const Shell& shell, const ChrmSet& set);

// Section builders: each appends its section to the root, or nothing when its list is
// empty.
void FilesXml(CXMLWrapper& wrapper, const Shell& shell, const ChrmSet& set);
// `picture` holds the PNG bytes; false when the source gave none (nothing appended then).
bool ChartPictureXml(CXMLWrapper& wrapper, const char* section, ReportChart chart,
                     const ChartPictureSource& pictures);
void ResponseTableXml(CXMLWrapper& wrapper, const Shell& shell, const TableModel& responses);
void RefTableXml(CXMLWrapper& wrapper, const Shell& shell, const TableModel& reference);
void PropTableXml(const CAnalysis& engine, const TableModel& list, CXMLWrapper& wrapper);
void FractTableXml(const CAnalysis& engine, const TableModel& list, CXMLWrapper& wrapper);
void Iso3405Xml(const CAnalysis& engine, CXMLWrapper& wrapper);
void MessagesXml(CXMLWrapper& wrapper, const MessageLog& messages);

// Analyses the repeatability list shows: all of them for the internal-standard methods, at
// most two otherwise.
int ShownAnalyses(const CAnalysis& engine);

}  // namespace p528
