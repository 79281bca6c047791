// Test scaffolding for the engine: chromatograms built from sample vectors, a calibration
// curve set directly, and one engine with its module state.
#pragma once

#include "chromatogram/chrm_file.h"
#include "chromatogram/component_table.h"
#include "engine/analysis.h"
#include "engine/calibration.h"
#include "engine/message_log.h"
#include "engine/result_tables.h"
#include "shell/shell.h"

#include <functional>
#include <memory>
#include <vector>

namespace p528::engine_fixture {

// A chromatogram with one channel: n samples of f(time) starting at `start`, every `step`.
inline std::unique_ptr<ChrmFile> MakeRun(double start, double step, std::size_t n,
                                         const std::function<double(double)>& f, int ordinal = -1) {
  auto file = std::make_unique<ChrmFile>();
  ChrmChannel channel;
  channel.startTime = start;
  channel.step = step;
  channel.samples.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    channel.samples[i] = static_cast<float>(f(static_cast<double>(i) * step + start));
  }
  file->channels.push_back(std::move(channel));
  file->ordinal = ordinal;
  return file;
}

// A record with Signal and Times set directly (no chromatogram behind it but a channel that
// carries the sampling parameters).
struct SignalRecord {
  std::unique_ptr<ChrmFile> file;
  ChrmResult r;
};
inline SignalRecord MakeSignal(double start, double step, const std::vector<double>& values) {
  SignalRecord s;
  s.file = MakeRun(start, step, values.size(), [](double) { return 0.0; });
  s.r.File = s.file.get();
  s.r.StartTime = start;
  s.r.Step = step;
  s.r.Signal = values;
  s.r.Times.resize(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) s.r.Times[i] = static_cast<double>(i) * step + start;
  return s;
}

inline CalibCurve Curve(std::vector<double> times, std::vector<double> temps) {
  CalibCurve c;
  c.times = std::move(times);
  c.temps = std::move(temps);
  c.registered = true;
  return c;
}

struct EngineFixture {
  Shell shell;
  ComponentTable components;
  MessageLog messages{&shell};
  CalibrationTab calibration;
  ResultTables tables;
  CAnalysis engine{shell, components, messages, calibration, tables};

  EngineFixture() { tables.SetUp(shell); }
};

}  // namespace p528::engine_fixture
