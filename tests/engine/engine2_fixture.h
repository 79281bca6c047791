// Shared set-up of the calibration-check, internal-standard and reference-check tests: an
// engine wired to a fake host (in-memory settings), synthetic channels with box-shaped peaks
// whose half-height width is known exactly, and a straight calibration line.
#pragma once

#include "chromatogram/chrm_file.h"
#include "chromatogram/component_table.h"
#include "engine/analysis.h"
#include "engine/calibration.h"
#include "engine/message_log.h"
#include "engine/result_tables.h"
#include "shell/shell.h"
#include "shell/text.h"
#include "support/fake_host.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace p528::test {

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
inline void AddBoxPeak(ChrmChannel& channel, const std::string& name, std::size_t centre, int left,
                       int right, double area = 1.0, float height = 100.0f) {
  for (int k = -left; k <= right; ++k) channel.samples.at(centre + k) = height;
  ChrmPeak peak;
  peak.name = name;
  peak.time = channel.startTime + static_cast<double>(centre) * channel.step;
  peak.front = peak.time - 10 * channel.step;
  peak.back = peak.time + 10 * channel.step;
  peak.height = height;
  peak.area = area;
  channel.peaks.push_back(peak);
}

// A peak that only exists in the peak table (check-mixture tests need names and areas).
inline ChrmPeak TablePeak(const std::string& name, double area, double time = 1.0) {
  ChrmPeak peak;
  peak.name = name;
  peak.area = area;
  peak.time = time;
  return peak;
}

// A component row; `name` is written with a Latin C and stored in both letter sets.
inline ComponentRecord Component(const std::string& name, double mass = 0.0, double boiling = 0.0) {
  ComponentRecord c;
  c.name = ToCyrillicC(name);
  c.altName = ToCyrillicC(name);
  c.nameLatin = name;
  c.altNameLatin = name;
  c.mixtureMass = mass;
  c.boilingPoint = boiling;
  return c;
}

struct EngineFixture {
  FakeHost host;
  Shell shell = host.MakeShell();
  ComponentTable components;
  MessageLog log{&shell};
  CalibrationTab calibration;
  ResultTables tables;
  std::unique_ptr<CAnalysis> engine;

  EngineFixture() {
    tables.SetUp(shell);
    engine = std::make_unique<CAnalysis>(shell, components, log, calibration, tables);
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
};

}  // namespace p528::test
