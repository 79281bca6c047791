// Text export of a chromatogram: the two-column file (time, signal) every data system can
// write, so that a generated set can be run from text input through the importer.
//
// The file (UTF-8, tab-separated, decimal point, times in minutes): a header of passport
// lines ("Sample: ...", "Injection time: YYYY-MM-DD hh:mm:ss+03:00" in Moscow time,
// "Operator: ...", "Method: ...", "Interval (min): ..." the exact step), a blank line, the
// first channel's peak table (Name, Time (min), Start (min), End (min), Height, Area in
// signal x minutes), a blank line, then the caption "Time (min)<tab>Signal" and one line a
// sample. Times and peak values have 17 significant digits and samples the shortest text of
// their float, so importing gives back exactly the same numbers.
#pragma once

#include "chromatogram/chrm_file.h"
#include "chromatogram_set.h"

#include <string>

namespace p528::chrmgen {

// The text export of `file` (its first channel).
std::string TextExport(const ChrmFile& file);

// Writes TextExport(file) at `path` atomically. Throws std::runtime_error naming the file when
// it has no channel or cannot be written.
void WriteTextExport(const ChrmFile& file, const std::string& path);

// Writes every run of a set into `folder` as NN_<run>.txt beside its NN_<run>.chrm.
void WriteTextSet(const GeneratedSet& set, const std::string& folder);

}  // namespace p528::chrmgen
