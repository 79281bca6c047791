// The reference gas oil's control charts of one instrument, one per reported percent point,
// over the register's reference results (each reference run once, in the order the runs
// were made), and the entries a point out of control concerns: every entry calculated with
// that reference run, so the history can mark the results it vouched for.
#pragma once

#include "host/kit/register/control_chart.h"
#include "host/kit/register/result_register.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace p528::hostkit {

struct PercentControlChart {
  double percent = 0.0;
  // Per point of the series: the entry that registered the run, the run's time and fingerprint.
  std::vector<int64_t> entryIds;
  std::vector<int64_t> runTimes;
  std::vector<std::string> runFingerprints;
  ControlSeries series;
};

struct InstrumentControlCharts {
  int instrument = 0;
  ControlBaseline baseline;
  std::vector<PercentControlChart> charts;  // ascending percent
};

// The charts of the results (ResultRegister::ReferenceResults). A point whose measured
// temperature is not known (-1, outside the calibration) is left out of its percent's series.
InstrumentControlCharts ReferenceControlCharts(int instrument, const std::vector<ReferenceResult>& results,
                                               ControlBaseline baseline = {});

// Fingerprints of the reference runs that have a flagged point in any chart.
std::set<std::string> RunsOutOfControl(const InstrumentControlCharts& charts);

// Ids of the entries of `heads` whose reference run is out of control on their instrument.
std::set<int64_t> EntriesOutOfControl(const ResultRegister& store, const std::vector<RegisterHead>& heads,
                                      ControlBaseline baseline = {});

// The charts as JSON ("formatVersion" 1; docs/register.md).
std::string ControlChartsJson(const InstrumentControlCharts& charts);

}  // namespace p528::hostkit
