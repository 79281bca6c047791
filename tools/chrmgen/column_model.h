// The column, its temperature programme and the detector background of the generator.
//
// Retention: a linear temperature programme elutes n-paraffins at times that rise linearly
// with boiling point above the starting oven temperature (the "knee"); below it the light
// gases crowd towards the dead time (hyperbolically, so they stay apart). The heaviest
// calibration component elutes at 85 % of the run. Peak widths grow linearly with retention time and are
// scaled so that the C16/C18 resolution of the calibration run, R = 2 (t18 - t16) / (1.699 (w16 + w18)) with
// half-height widths w, equals the requested value.
//
// Background: a constant detector offset (different in every run) plus column bleed that
// rises exponentially with oven temperature (identical in every run of a set).
//
// Times in minutes, temperatures in degrees C, signals in detector units.
#pragma once

#include <cstddef>

#include "peak_shape.h"

namespace p528::chrmgen {

struct ColumnSettings {
  double runLength = 40.0;    // minutes
  double step = 1.0 / 600.0;  // sampling interval, minutes
  double resolution = 5.0;    // C16/C18 resolution of the calibration run
  double tailing = 0.0;       // sigmaRight / sigmaLeft - 1 (0: symmetric peaks)
  double widthGrowth = 0.5;   // relative growth of the peak width per t16 of retention
  double bleed = 120.0;       // bleed at the final oven temperature, detector units
};

class ColumnModel {
 public:
  // c16, c18: boiling points of the resolution pair; last: boiling point of the heaviest
  // calibration component (placed at 85 % of the run).
  ColumnModel(const ColumnSettings& settings, double c16, double c18, double last);

  const ColumnSettings& Settings() const { return settings_; }
  // Retention time of a compound boiling at `boilingPoint`.
  double RetentionTime(double boilingPoint) const;
  // Minutes per degree in the linear part of the programme.
  double Slope() const { return slope_; }
  double DeadTime() const { return deadTime_; }
  // Standard deviation of the leading half of a peak eluting at time t.
  double Sigma(double t) const;
  // A peak of the given area eluting at `apex`, with this column's width and tailing.
  PeakShape Peak(double apex, double area) const;
  double OvenTemperature(double t) const;
  double Bleed(double t) const;
  // Number of samples of a run: floor(runLength / step) + 1.
  size_t SampleCount() const;

 private:
  ColumnSettings settings_;
  double deadTime_, kneeTemp_, kneeTime_, slope_, sigmaRef_, refTime_;
};

}  // namespace p528::chrmgen
