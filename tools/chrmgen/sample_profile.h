// The elution profile of a sample: its boiling-point distribution turned into a detector
// signal through the calibration relation.
//
// A recipe gives the target cumulative distribution (percent of the whole sample eluted
// against boiling point), the light compounds that elute as peaks of their own, and the part
// of the local density that the resolved n-paraffins carry. The profile is the sum of
//  - individual peaks: the light compounds, and an n-paraffin peak at each n-paraffin
//    boiling point inside the distribution, its mass taken from the neighbourhood;
//  - the unresolved hump: a smooth monotone cumulative curve through the recipe's points
//    minus what the individual peaks have eluted by each point.
// So at every point of the recipe the cumulative eluted percent is exactly the recipe's
// percent, peaks included. A last point below 100 % leaves a residue that never elutes.
//
// Percent of the whole sample throughout; multiply by the area of 100 % of the sample
// (detector units x minutes) to get a signal.
#pragma once

#include <string>
#include <vector>

#include "calibration_map.h"
#include "column_model.h"
#include "monotone_cubic.h"
#include "peak_shape.h"

namespace p528::chrmgen {

struct DistributionPoint {
  double percent = 0;      // cumulative percent of the whole sample
  double temperature = 0;  // boiling point, degrees C
};

// A compound that elutes as a peak of its own.
struct SampleComponent {
  std::string name;         // peak name as in the component table
  double boilingPoint = 0;  // degrees C
  double percent = 0;       // percent of the sample
  double index = 0;         // retention index written to the peak table (100 n for n-paraffins)
};

struct SampleRecipe {
  std::string name;                         // sample name of the passport
  std::vector<DistributionPoint> points;    // rising in both percent and temperature
  std::vector<SampleComponent> components;  // light compounds
  double paraffinShare = 0.2;               // part of the local density in n-paraffin peaks
};

// A reference table from 0.5 % to 99.5 % extended by where elution starts (0 %) and ends
// (100 %): by default the end rows lie where a density falling linearly to zero from the
// neighbouring table slope holds the last 0.5 %; endTemperature > 0 places the 100 % row.
std::vector<DistributionPoint> ExtendToFullRange(std::vector<DistributionPoint> table,
                                                 double endTemperature = -1.0);

// One peak of a sample: its compound, time and shape (area in percent of the sample).
struct SamplePeak {
  std::string name;
  double boilingPoint = 0;
  double index = 0;
  PeakShape shape;
};

class SampleProfile {
 public:
  // paraffins: the n-paraffins of the component table (name, boiling point, index 100 n),
  // in order of boiling point. Throws std::invalid_argument on a recipe that is not rising.
  SampleProfile(const SampleRecipe& recipe, const std::vector<SampleComponent>& paraffins,
                const ColumnModel& column, const CalibrationMap& calibration);

  const SampleRecipe& Recipe() const { return recipe_; }
  const std::vector<SamplePeak>& Peaks() const { return peaks_; }
  // Hump density at time t, percent per minute.
  double HumpDensity(double t) const;
  // Percent eluted up to time t, peaks included.
  double Cumulative(double t) const;
  // Percent that elutes at all (100 - residue).
  double ElutedPercent() const;
  // Earliest time at which `percent` has eluted; -1.0 when it never does.
  double TimeAtPercent(double percent) const;
  // First and last moments of elution (where the profile is zero outside).
  double StartTime() const { return startTime_; }
  double EndTime() const { return endTime_; }
  // Largest correction the hump needed to stay monotone at a recipe point (0 for a
  // feasible recipe): where it is not 0, the profile misses the recipe by that much.
  double PointMismatch() const { return mismatch_; }

 private:
  SampleRecipe recipe_;
  const CalibrationMap* calibration_;
  std::vector<SamplePeak> peaks_;
  MonotoneCubic hump_;
  double startTime_ = 0, endTime_ = 0, mismatch_ = 0;
};

}  // namespace p528::chrmgen
