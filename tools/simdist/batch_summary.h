// The summary of a sequence: one row per sample (its runs, IBP, FBP, the reported points,
// the repeatability verdicts, the messages' counts) as the terminal shows it, as CSV and as
// JSON (docs/simdist.md). Temperatures are the means of the sample's parallel analyses; the
// JSON holds them as doubles with 17 significant digits, the CSV and the terminal with one
// decimal as the results are shown.
#pragma once

#include "sample_calc.h"

#include <string>
#include <vector>

namespace p528::simdist {

// A run of the sequence that belongs to no sample, with the reason in words.
struct LeftOutRun {
  std::string path;  // "" for an assay without a row
  int64_t assayId = -1;
  std::string reason;
  bool failure = false;  // a run that could not be read (not merely one without a role)
};

std::string SummaryText(const std::vector<SampleOutcome>& samples);

// CSV (RFC 4180, UTF-8, CRLF line ends): a header, then one row per sample; the reported
// points are one column per percent ("T 0.5 %") over every sample's percents. A text cell
// that a spreadsheet would take for a formula (beginning with "=", "+", "-" or "@") is
// written with a leading apostrophe: sample names come from the runs' passports. When the
// results were being registered, a last column "register_entry" holds each entry's id.
std::string SummaryCsv(const std::vector<SampleOutcome>& samples, bool registering = false);

std::string SummaryJson(const std::vector<SampleOutcome>& samples, const std::vector<LeftOutRun>& leftOut);

// The file name stem of the `index`-th sample (from 0) of `count`: the number with as many
// digits as the count needs (at least three), "_", the sample name made safe for a file
// name (no path separators, control characters or characters other systems refuse, no
// leading dot, at most 80 bytes of whole UTF-8 characters; "sample" when nothing is left).
std::string SampleFileStem(std::size_t index, std::size_t count, const std::string& sample);

}  // namespace p528::simdist
