// Test scaffolding for the report: an engine with its module state over a fake host, a
// chromatogram set filled by hand, result lists written directly, and small readers of the
// built document.
#pragma once

#include "chromatogram/chrm_role.h"
#include "chromatogram/chrm_set.h"
#include "chromatogram/component_table.h"
#include "report/report_document.h"
#include "report/xml_wrapper.h"
#include "shell/shell.h"
#include "support/fake_host.h"
#include "workbench/analysis.h"
#include "workbench/calibration_tab.h"
#include "workbench/message_log.h"
#include "workbench/result_tables.h"

#include <gtest/gtest.h>

#include <ctime>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace p528::report_test {

inline std::string Str(const xmlChar* text) {
  return text == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(text));
}

// Element children of `node`.
inline std::vector<xmlNodePtr> Elements(xmlNodePtr node) {
  std::vector<xmlNodePtr> out;
  for (xmlNodePtr child = node != nullptr ? node->children : nullptr; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE) out.push_back(child);
  }
  return out;
}

inline std::vector<std::string> ChildNames(xmlNodePtr node) {
  std::vector<std::string> names;
  for (xmlNodePtr child : Elements(node)) names.push_back(Str(child->name));
  return names;
}

// The first element along a path of names ("method/method_name"); nullptr when absent.
inline xmlNodePtr Find(xmlNodePtr node, const std::string& path) {
  std::size_t start = 0;
  while (node != nullptr && start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string name = path.substr(start, end - start);
    xmlNodePtr found = nullptr;
    for (xmlNodePtr child : Elements(node)) {
      if (Str(child->name) == name) {
        found = child;
        break;
      }
    }
    node = found;
    start = end + 1;
  }
  return node;
}

inline std::string Value(xmlNodePtr node) {
  if (node == nullptr) return "<absent>";
  xmlChar* content = xmlNodeGetContent(node);
  std::string text = Str(content);
  xmlFree(content);
  return text;
}

inline std::string DataType(xmlNodePtr node) {
  xmlChar* type = xmlGetNsProp(node, reinterpret_cast<const xmlChar*>("dt"),
                               reinterpret_cast<const xmlChar*>(kDataTypeNamespace));
  std::string text = Str(type);
  xmlFree(type);
  return text;
}

// The values of the element children of `node`, one per child ("" for containers too).
inline std::vector<std::string> ChildValues(xmlNodePtr node) {
  std::vector<std::string> values;
  for (xmlNodePtr child : Elements(node)) values.push_back(Value(child));
  return values;
}

inline std::tm Day(int day, int month, int year, int hour = 9, int minute = 30, int second = 5) {
  std::tm t{};
  t.tm_mday = day;
  t.tm_mon = month - 1;
  t.tm_year = year - 1900;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

// Replaces the list's columns and rows.
inline void SetList(TableModel& list, const std::vector<std::string>& captions,
                    const std::vector<std::vector<std::string>>& rows) {
  list.DeleteAllRows();
  list.DeleteAllColumns();
  for (const std::string& caption : captions) list.AppendColumn(caption, 80);
  for (const auto& row : rows) list.AppendRow(row);
}

struct ReportFixture : ::testing::Test {
  test::FakeHost host;
  Shell shell = host.MakeShell();
  MessageLog messages{&shell};
  ResultTables tables;
  CAnalysis engine{shell};
  ChrmSet set;
  int num_device = 7;
  std::string OperatorName = "Иванова А. П.";
  std::vector<unsigned char> png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0xFF};

  ReportFixture() { tables.SetUp(shell); }

  // A file of the set with its role and ordinal (no channels).
  ChrmFile& AddFile(const std::string& path, int role, int ordinal = -1, const std::string& sample = "",
                    int64_t andate = 1709620205) {
    ChrmFile& file = set[path];
    file.passport.sample = sample;
    file.passport.andate = andate;
    file.role = role;
    file.ordinal = ordinal;
    return file;
  }
  // The engine's record of an analysis in the set (Number = its ordinal).
  void AddAnalysisRecord(const std::string& path) {
    ChrmResult record;
    record.File = &set.at(path);
    record.Number = set.at(path).ordinal;
    engine.Analyses.push_back(record);
  }
  void AddAnalyses(int count) {
    for (int i = 1; i <= count; ++i) {
      const std::string path = "/data/run" + std::to_string(i) + ".stg";
      AddFile(path, RoleAnalysis, i, "Дизельное топливо #анализ");
      AddAnalysisRecord(path);
    }
  }

  ReportSources Sources() { return ReportSources{set, engine, tables, messages, num_device, OperatorName}; }

  // Builds the document; pictures come from `png`.
  BuildStatus Build(CXMLWrapper& wrapper, const ReportOptions& options,
                    const std::tm& now = Day(5, 3, 2024)) {
    ChartPictureSource pictures = [this](ReportChart, std::vector<unsigned char>& out) {
      out = png;
      return true;
    };
    return BuildReportDocument(wrapper, Sources(), options, now, pictures);
  }
  // The root of the document built with `options`, kept until the next one; nullptr (and
  // the test failed) when it was not built.
  xmlNodePtr Built(const ReportOptions& options, const std::tm& now = Day(5, 3, 2024)) {
    document = std::make_unique<CXMLWrapper>();
    const BuildStatus status = Build(*document, options, now);
    EXPECT_EQ(status, BuildStatus::Built);
    return status == BuildStatus::Built ? document->Root() : nullptr;
  }
  std::unique_ptr<CXMLWrapper> document;
};

// The options with the given sections on and every other off.
inline ReportOptions Sections(std::initializer_list<int32_t ReportOptions::*> flags) {
  ReportOptions options;
  for (int32_t ReportOptions::*flag : flags) options.*flag = 1;
  return options;
}

inline ReportOptions AllSections() {
  ReportOptions options;
  for (const ReportFlagSpec& flag : ReportFlags()) options.*flag.member = 1;
  return options;
}

}  // namespace p528::report_test
