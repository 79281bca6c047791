// The one engine fixture of the engine tests: an engine (the calculation's result with its
// settings) and no host (settings read as their defaults, Russian texts), its findings in
// words and the result lists it fills,
// and the builders of its input: chromatograms from sample functions, records with a signal
// set directly, box-shaped peaks whose half-height width is known exactly, component rows,
// analyses built from point tables, a straight calibration, and readers of the result lists.
#pragma once

#include "chromatogram/chrm_file.h"
#include "chromatogram/component_table.h"
#include "engine/calc_steps.h"
#include "engine/calibration.h"
#include "shell/shell.h"
#include "shell/text.h"
#include "workbench/analysis.h"
#include "workbench/result_lists.h"
#include "workbench/result_tables.h"
#include "workbench/wording.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace p528::test {

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

// A registered calibration curve.
inline CalibCurve Curve(std::vector<double> times, std::vector<double> temps) {
  CalibCurve c;
  c.times = std::move(times);
  c.temps = std::move(temps);
  c.registered = true;
  return c;
}

// A channel of n samples at `level`, starting at `start` with interval `step` (minutes).
inline ChrmChannel FlatChannel(double start, double step, std::size_t n, float level = 0.0f) {
  ChrmChannel channel;
  channel.startTime = start;
  channel.step = step;
  channel.samples.assign(n, level);
  return channel;
}

// A box peak at sample `centre`: samples centre - left ... centre + right at `height` over a
// zero baseline, so that its width at half height is (left + right + 1) × step.
inline void AddBoxPeak(ChrmChannel& channel, const std::string& name, std::size_t centre, int left, int right,
                       double area = 1.0, float height = 100.0f) {
  for (int k = -left; k <= right; ++k)
    channel.samples.at(static_cast<std::size_t>(static_cast<std::ptrdiff_t>(centre) + k)) = height;
  ChrmPeak peak{.time = channel.startTime + static_cast<double>(centre) * channel.step, .name = name};
  peak.front = peak.time - 10 * channel.step;
  peak.back = peak.time + 10 * channel.step;
  peak.height = height;
  peak.area = area;
  channel.peaks.push_back(peak);
}

// A peak that only exists in the peak table (check-mixture tests need names and areas).
inline ChrmPeak TablePeak(const std::string& name, double area, double time = 1.0) {
  return ChrmPeak{.time = time, .area = area, .name = name};
}

// A component row; `name` is written with a Latin C and stored in both letter sets.
inline ComponentRecord Component(const std::string& name, double mass = 0.0, double boiling = 0.0) {
  return ComponentRecord{.name = ToCyrillicC(name),
                         .altName = ToCyrillicC(name),
                         .nameLatin = name,
                         .altNameLatin = name,
                         .mixtureMass = mass,
                         .boilingPoint = boiling};
}

// The findings of a result in words, read as the message log would list them.
struct WordedFindings {
  const Shell& shell;
  CalcResult& result;

  std::vector<std::string> Of(MessageKind kind) const {
    std::vector<std::string> texts;
    for (const Finding& f : result.findings)
      if (f.kind == kind) texts.push_back(WordFinding(shell, f));
    return texts;
  }
  std::vector<std::string> Errors() const { return Of(MessageKind::Error); }
  std::vector<std::string> Warnings() const { return Of(MessageKind::Warning); }
  std::vector<std::string> Information() const { return Of(MessageKind::Information); }
  std::size_t ErrorCount() const { return Errors().size(); }
  bool IsEmpty() const { return result.findings.empty(); }
  void Clear() { result.findings.clear(); }
};

struct EngineFixture {
  Shell shell;
  CAnalysis engine{shell};
  ComponentTable& components = engine.components;
  CalcCalibration& calibration = engine.calibration;
  WordedFindings messages{shell, engine};
  ResultTables tables;
  std::vector<std::unique_ptr<ChrmFile>> files;  // chromatograms the analyses point at

  explicit EngineFixture(int32_t method = AstmD2887A) {
    tables.SetUp(shell);
    SetMethod(method);
  }
  EngineFixture(const EngineFixture&) = delete;
  EngineFixture& operator=(const EngineFixture&) = delete;

  void SetMethod(int32_t method) {
    engine.Method = method;
    engine.settings.method = method;
  }
  // The result lists filled from the result as it stands, as the workbench fills them.
  void FillLists() {
    NameFractions(shell, engine);
    FillResultLists(engine, shell, tables);
  }

  // Appends an analysis with a (channel-less) chromatogram and returns it. In the
  // internal-standard methods it comes with its internal-standard run.
  ChrmResult& AddAnalysis() {
    files.push_back(std::make_unique<ChrmFile>());
    ChrmResult result;
    result.File = files.back().get();
    result.Number = static_cast<int32_t>(engine.Analyses.size()) + 1;
    if (IsInternalStandard(engine.settings.method)) engine.StdRuns.push_back(result);
    engine.Analyses.push_back(result);
    return engine.Analyses.back();
  }

  // An analysis whose point table holds `temps` at `percents` (temperature -1: undetermined).
  ChrmResult& AddPoints(const std::vector<double>& percents, const std::vector<double>& temps) {
    ChrmResult& a = AddAnalysis();
    for (std::size_t i = 0; i < percents.size(); ++i) {
      const double t = temps[i];
      a.PointTable.push_back(t == -1.0 ? DistPoint{-1.0, -1.0, percents[i]}
                                       : DistPoint{t / 10, t, percents[i]});
    }
    return a;
  }

  // Straight calibration from (t0, T0) to (t1, T1), registered as BuildCalibration registers it.
  void Calibrate(double t0, double T0, double t1, double T1) {
    calibration.curve.times = {t0, t1};
    calibration.curve.temps = {T0, T1};
    calibration.curve.registered = true;
  }

  // Every message text of one kind, joined for readable failures.
  static std::string Joined(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& t : texts) out += "[" + t + "]";
    return out;
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
