#include "summary.h"

#include "shell/text.h"
#include "summary_texts.h"
#include "workbench/workbench.h"
#include "workbench/workbench_texts.h"

#include <algorithm>
#include <initializer_list>

namespace p528::simdist {

namespace {

// Fills the "%s" and "%i" placeholders of a translated text in order with ready texts (a
// translated text is never used as a printf format).
std::string Fill(const std::string& pattern, std::initializer_list<std::string> values) {
  std::string out;
  auto value = values.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == 's' || pattern[i + 1] == 'i') &&
        value != values.end()) {
      out += *value++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

// A number as the summary shows it; "---" for the engine's "not known" (-1.0).
std::string Number(double value, const char* format) {
  if (value == -1.0) return "---";
  return Format(format, value);
}

std::size_t DisplayWidth(const std::string& text) {
  std::size_t width = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++width;
  }
  return width;
}

std::string Plain(std::string text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') continue;
    out += text[i] == '\t' ? std::string("    ") : std::string(1, text[i]);
  }
  return out;
}

// A text that must stay on its line (a file name, a passport text): a line break in it would
// forge lines of the summary.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = '?';
  }
  return text;
}

// Rows of texts in aligned columns, indented by two blanks.
std::string Columns(const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    if (widths.size() < row.size()) widths.resize(row.size(), 0);
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
  }
  std::string out;
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
      line += "  " + row[c];
      if (c + 1 < row.size()) line.append(widths[c] - DisplayWidth(row[c]), ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out;
}

// A result list with its shown columns (hidden ones, of width 0, left out); nothing when
// the list has no row.
std::string TableText(const Shell& shell, int heading, const TableModel& table) {
  if (table.RowCount() == 0) return {};
  std::vector<int> shown;
  for (int c = 0; c < table.ColumnCount(); ++c) {
    if (table.Columns()[static_cast<std::size_t>(c)].width > 0) shown.push_back(c);
  }
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> captions;
  for (int c : shown) captions.push_back(table.Columns()[static_cast<std::size_t>(c)].caption);
  rows.push_back(captions);
  for (int r = 0; r < table.RowCount(); ++r) {
    std::vector<std::string> cells;
    for (int c : shown) cells.push_back(Plain(table.Cell(r, c)));
    rows.push_back(cells);
  }
  return "\n" + shell.Str(heading) + "\n" + Columns(rows);
}

std::string MethodName(const Shell& shell, int method) {
  if (method >= 0 && method <= 5) return shell.Str(text::kSummaryMethodNameFirst + method);
  return Fill(shell.Str(text::kSummaryUnknownMethod), {std::to_string(method)});
}

std::string RunText(const Shell& shell, const ChrmResult& run, const std::string& heading) {
  std::string out = "\n" + heading + "\n";
  out += "  " +
         Fill(shell.Str(text::kSummaryBoilingRangeLine),
              {Number(run.Ibp.temp, "%.1f"), Number(run.Ibp.time, "%.3f"), Number(run.Fbp.temp, "%.1f"),
               Number(run.Fbp.time, "%.3f")}) +
         "\n";
  if (run.Residue != -1.0)
    out += "  " + Fill(shell.Str(text::kSummaryResidueLine), {Number(run.Residue, "%.2f")}) + "\n";
  if (!run.PointTable.empty()) {
    std::vector<std::vector<std::string>> rows;
    rows.push_back({shell.Str(text::kSummaryPercentCaption), shell.Str(text::kSummaryTimeCaption),
                    shell.Str(text::kSummaryTempCaption)});
    for (const DistPoint& point : run.PointTable) {
      rows.push_back({Number(point.percent, "%.1f"), Number(point.time, "%.3f"), Number(point.temp, "%.1f")});
    }
    out += Columns(rows);
  }
  return out;
}

std::string FileNameOf(const ChrmResult& run, const ChrmSet& set) {
  for (const auto& [path, file] : set) {
    if (&file == run.File) return OneLine(FileNamePart(path));
  }
  return {};
}

}  // namespace

std::string Summary(const Workbench& wb) {
  const Shell& shell = wb.shell();
  const CAnalysis& a = wb.analysis();
  std::string out;

  out += shell.Str(text::kSummaryFilesHeading) + "\n";
  std::vector<std::vector<std::string>> files;
  for (int r = 0; r < wb.fileList().RowCount(); ++r) {
    files.push_back(
        {OneLine(wb.fileList().Cell(r, FileColumnName)), OneLine(wb.fileList().Cell(r, FileColumnRole)),
         OneLine(wb.fileList().Cell(r, FileColumnTime)), OneLine(wb.fileList().Cell(r, FileColumnSample))});
  }
  out += Columns(files);

  out += "\n" + Fill(shell.Str(text::kSummaryMethodLine), {MethodName(shell, a.Method)}) + "\n";
  out += Fill(shell.Str(text::kSummaryStateLine), {std::to_string(a.State)}) + "\n";
  out +=
      Fill(shell.Str(text::kSummaryCalibrationLine), {std::to_string(wb.calibrationTab().curve.times.size()),
                                                      Format("%.1f", wb.calibrationTab().resolution)}) +
      "\n";
  out += TableText(shell, text::kTabCalibration, wb.calibrationTab().points);

  for (const ChrmResult& run : a.Analyses) {
    out += RunText(shell, run,
                   Fill(shell.Str(text::kSummaryAnalysisHeading),
                        {std::to_string(run.Number), FileNameOf(run, wb.chrmSet())}));
  }
  for (const ChrmResult& run : a.StdRuns) {
    out += RunText(shell, run,
                   Fill(shell.Str(text::kSummaryStandardHeading),
                        {std::to_string(run.Number), FileNameOf(run, wb.chrmSet())}));
  }
  if (a.Reference.File != nullptr) {
    out += RunText(shell, a.Reference,
                   Fill(shell.Str(text::kSummaryReferenceHeading), {FileNameOf(a.Reference, wb.chrmSet())}));
  }

  out += TableText(shell, text::kTabResponse, wb.tables().response);
  out += TableText(shell, text::kTabPercentOff, wb.tables().repeatability);
  out += TableText(shell, text::kTabFractions, wb.tables().fractions);
  out += TableText(shell, text::kTabReference, wb.tables().reference);
  out += TableText(shell, text::kTabIso3405, wb.tables().iso3405);

  out += "\n" + shell.Str(text::kTabMessages) + "\n" + Plain(wb.messages().Text());
  if (out.back() != '\n') out += '\n';
  return out;
}

}  // namespace p528::simdist
