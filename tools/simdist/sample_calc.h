// One sample of a sequence calculated as `simdist calc` calculates a set: the same host
// services over a copy of the profile kept in memory (the profile file is never written, so
// the samples cannot change each other's settings), the same analysis settings typed into
// the dialog, the same add command, the same JSON and report. The workbench calculates
// through the calculation as a value; it stays around it because its add command builds the
// set as `simdist calc` builds it, and the JSON, the report and the register's record are
// made from it. Calculate is safe to call from several threads at once: each call has its
// own host, shell and workbench; the report (its transformation and chart pictures use
// libraries with global state and Qt's application object) is made on the main thread
// through MainThreadTasks. With --register the worker makes the sample's record; the
// register is written by the caller, on one thread.
#pragma once

#include "main_thread_tasks.h"
#include "options.h"
#include "report_output.h"

#include "host/kit/profile_store.h"
#include "host/kit/sequence_plan.h"
#include "shell/result_registration.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace p528::simdist {

// What the summary tells of a sample.
struct SampleOutcome {
  std::string sample;
  bool done = false;               // calculated to the method's last step, outputs written
  std::string failure;             // why not done ("" when done)
  std::vector<std::string> runs;   // file names of the runs calculated (paired runs first)
  std::vector<std::string> notes;  // the grouping's notes and the diagnostics, in English
  int method = -1;
  unsigned state = 0;
  double ibp = -1.0;  // °C, mean of the parallel analyses; -1.0 not known
  double fbp = -1.0;
  std::vector<std::pair<double, double>> points;  // (percent, °C mean of the analyses; -1.0)
  int repeatabilityJudged = 0;                    // points judged against a repeatability limit
  int repeatabilityExceeded = 0;                  // of which beyond it
  int errors = 0, warnings = 0, information = 0;  // messages of the log
  std::string jsonPath, reportPath;               // written ("" when none)
  std::string log;                                // notices and diagnostics for standard error
  // With --register: the register's record of a sample done, until it is registered, and
  // then its entry's id (0: not registered).
  std::optional<ResultRegistration> record;
  int64_t registerEntry = 0;
};

// Where a sample's outputs go ("" for none).
struct SampleOutputs {
  std::string jsonPath;
  std::string reportPath;
};

class SampleCalculator {
 public:
  // `parsed`: the settings options; `profile`: the profile as read (copied per sample);
  // `pictures`: the report's chart renderer (nullptr: no charts); `mainThread`: where the
  // reports are made (nullptr: on the calling thread).
  SampleCalculator(const ParsedCalc& parsed, const hostkit::ProfileStore& profile, std::string componentPath,
                   ChartRendererFactory pictures, MainThreadTasks* mainThread);

  SampleOutcome Calculate(const hostkit::SampleGroup& group, const SampleOutputs& outputs) const;

 private:
  void CalculateInto(const hostkit::SampleGroup& group, const SampleOutputs& outputs,
                     SampleOutcome& outcome) const;

  const ParsedCalc& parsed_;
  const hostkit::ProfileStore& profile_;
  std::string componentPath_;
  ChartRendererFactory pictures_;
  MainThreadTasks* mainThread_;
};

}  // namespace p528::simdist
