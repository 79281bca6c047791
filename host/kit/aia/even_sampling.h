// Sampling given as one time per sample (AIA files that say their sampling is not uniform,
// the first column of a text export) turned into the start and step of the system's
// chromatogram, which knows only even sampling. Times written with a few decimals or in
// single precision are even within their rounding; anything more uneven is refused.
#pragma once

#include <string>
#include <vector>

namespace p528::aia {

struct EvenSampling {
  double start = 0;  // time of the first sample, in the unit of the times given
  double step = 0;   // sampling interval, in that unit
};

// The straight line from the first time to the last, when every time lies within a tenth of
// a step (plus the rounding of single precision) of it. "" on success, else why not, with
// the times' unit named as `unitName` ("seconds") and samples counted from 1.
std::string EvenSamplingOf(const std::vector<double>& times, const std::string& unitName,
                           EvenSampling& sampling);

}  // namespace p528::aia
