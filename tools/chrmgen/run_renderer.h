// One chromatographic run of the generator: what is in it (background, sample, individual
// peaks, noise) as plain data, the detector signal it gives and the peak table a data system
// would write for it.
//
// Signal at sample i (time i x step, minutes):
//   offset + bleed(t) + sampleScale x hump density(t) + sum of the peaks + noise (+ spikes),
// stored as 32-bit floats. Noise and spikes come from the run's own random stream, so the
// same plan always gives the same samples, and a plan with fewer peaks gives the same noise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "chromatogram/chrm_file.h"
#include "column_model.h"
#include "peak_shape.h"
#include "sample_profile.h"

namespace p528::chrmgen {

struct RunPeak {
  std::string name;
  PeakShape shape;     // area in detector units x minutes
  double index = 0;    // retention index for the peak table
  bool listed = true;  // written to the peak table (a solvent peak is drawn but not listed)
};

struct RunPlan {
  std::string key;                        // names the random stream ("analysis-2")
  double offset = 0;                      // detector level of this run
  const SampleProfile* sample = nullptr;  // unresolved part of a sample, or none
  double sampleScale = 0;                 // detector units x minutes per percent of sample
  std::vector<RunPeak> peaks;             // every individual peak, in any order
  double noise = 0;                       // standard deviation of the white noise
  int spikes = 0;                         // single-sample spikes
  uint64_t seed = 0;                      // seed of the run's random stream
};

// Noise-free signal at time t, without the peak `skip` (index into plan.peaks; -1 for none).
double CleanSignal(const RunPlan& plan, const ColumnModel& column, double t, int skip = -1);
// The run's samples.
std::vector<float> RenderSamples(const RunPlan& plan, const ColumnModel& column);
// Peak table of the listed peaks, in order of time: boundaries at 4 standard deviations or at
// the crossing with an overlapping neighbour (a drop line), on the sampling grid; area = the
// signal of all individual peaks between the boundaries (above the background of offset,
// bleed and hump); time and height = where that signal is highest near the peak's apex (an
// overlapping neighbour moves it); baseline heights = the background at the boundaries;
// concent = percent of the listed areas.
std::vector<ChrmPeak> BuildPeakTable(const RunPlan& plan, const ColumnModel& column);

}  // namespace p528::chrmgen
