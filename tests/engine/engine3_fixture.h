// Shared set-up of the repeatability, fraction and ISO 3405 tests: an engine without a host
// (settings read as their defaults, Russian texts), analyses built from point tables and
// fraction lists directly, and readers for the result lists.
#pragma once

#include "chromatogram/chrm_file.h"
#include "chromatogram/component_table.h"
#include "engine/analysis.h"
#include "engine/calibration.h"
#include "engine/message_log.h"
#include "engine/result_tables.h"
#include "shell/shell.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace p528::test {

struct Engine3Fixture {
  Shell shell;
  ComponentTable components;
  MessageLog log{&shell};
  CalibrationTab calibration;
  ResultTables tables;
  std::unique_ptr<CAnalysis> engine;
  std::vector<std::unique_ptr<ChrmFile>> files;  // chromatograms the analyses point at

  explicit Engine3Fixture(int32_t method = AstmD2887A) {
    tables.SetUp(shell);
    engine = std::make_unique<CAnalysis>(shell, components, log, calibration, tables);
    engine->Method = method;
  }

  // Appends an analysis with a (channel-less) chromatogram and returns it. In the
  // internal-standard methods it comes with its internal-standard run.
  ChrmResult& AddAnalysis() {
    files.push_back(std::make_unique<ChrmFile>());
    ChrmResult result;
    result.File = files.back().get();
    result.Number = static_cast<int32_t>(engine->Analyses.size()) + 1;
    if (IsInternalStandard(engine->Method)) engine->StdRuns.push_back(result);
    engine->Analyses.push_back(result);
    return engine->Analyses.back();
  }

  // An analysis whose point table holds `temps` at `percents` (temperature -1: undetermined).
  ChrmResult& AddPoints(const std::vector<double>& percents, const std::vector<double>& temps) {
    ChrmResult& a = AddAnalysis();
    for (std::size_t i = 0; i < percents.size(); ++i) {
      const double t = temps[i];
      a.PointTable.push_back(t == -1.0 ? DistPoint{-1.0, -1.0, percents[i]} : DistPoint{t / 10, t, percents[i]});
    }
    return a;
  }

  // Straight calibration from (t0, T0) to (t1, T1), registered as BuildCalibration registers it.
  void Calibrate(double t0, double T0, double t1, double T1) {
    calibration.curve.times = {t0, t1};
    calibration.curve.temps = {T0, T1};
    calibration.curve.registered = true;
  }

  // The row whose label (column 1) is `label`, or -1.
  static int FindRow(const TableModel& table, const std::string& label) {
    for (int r = 0; r < table.RowCount(); ++r) {
      if (table.Cell(r, 1) == label) return r;
    }
    return -1;
  }
  static std::vector<std::string> Captions(const TableModel& table) {
    std::vector<std::string> out;
    for (const TableColumn& c : table.Columns()) out.push_back(c.caption);
    return out;
  }
  // Cells 1.. of a row (column 0 is hidden and empty).
  static std::vector<std::string> Row(const TableModel& table, int row) {
    const std::vector<std::string>& cells = table.RowCells(row);
    return std::vector<std::string>(cells.begin() + 1, cells.end());
  }
};

}  // namespace p528::test
