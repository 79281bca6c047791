// One engine with its module state calculating a generated chromatogram set the way the
// recalculation does: the end-to-end tests of the checks, methods and results share it.
#pragma once

#include "chromatogram/chrm_role.h"
#include "chromatogram/chrm_set.h"
#include "chromatogram_set.h"
#include "engine/analysis.h"
#include "engine/calibration.h"
#include "engine/message_log.h"
#include "engine/result_tables.h"
#include "shell/shell.h"

#include <map>
#include <string>

namespace p528 {

struct GeneratedCalculation {
  Shell shell;
  ComponentTable components;
  MessageLog messages{&shell};
  CalibrationTab calibration;
  ResultTables tables;
  CAnalysis engine{shell, components, messages, calibration, tables};

  // `lot` is the reference choice; only the first `maxStdRuns` internal-standard runs join.
  GeneratedCalculation(const ComponentTable& table, chrmgen::GeneratedSet& set, int32_t method,
                       int32_t lot = Lot1, int maxStdRuns = 3)
      : components(table) {
    tables.SetUp(shell);
    Calculate(set, method, lot, maxStdRuns);
  }

  // One recalculation of `set` by the same engine, as the window repeats it.
  void Calculate(chrmgen::GeneratedSet& set, int32_t method, int32_t lot = Lot1, int maxStdRuns = 3) {
    std::map<std::string, std::string> settings(set.settings.begin(), set.settings.end());
    engine.Method = method;
    engine.RefType = lot;
    engine.TimeStartSample = settings["TimeStartSample"];
    engine.SampleMass = settings["SampleMass"];
    engine.StdMass = settings["StdMass"];
    for (int k = 0; k < 4; ++k) calibration.timeC[static_cast<std::size_t>(k)] = settings["time_C" + std::to_string(k + 1)];
    ClearCalibration(engine);
    engine.ResetCalc();
    calibration.ApplyTimes(components);
    for (chrmgen::GeneratedRun& run : set.runs) {
      ChrmFile& file = run.file;
      file.role = run.role;
      file.ordinal = run.ordinal;
      NormalizePeakNames(file, shell.foreignUi);
      switch (run.role) {
        case RoleCalibration: calibration.CalibrationChrm = &file; break;
        case RoleBlank: engine.LoadResult(engine.Blank, engine.TimeStartSampleValue(), file); break;
        case RoleAnalysis: engine.AddAnalysis(file); break;
        case RoleStandard:
          if (run.ordinal <= maxStdRuns) engine.AddStdRun(file);
          break;
        case RoleReference: engine.LoadResult(engine.Reference, engine.TimeStartSampleValue(), file); break;
        case RoleCheck: calibration.CheckChrm = &file; break;
        default: break;
      }
    }
    BuildCalibration(engine);
    engine.RunCalc();
  }
};

}  // namespace p528
