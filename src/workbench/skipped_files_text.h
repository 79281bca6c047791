// The message that tells the person which chosen files were left out of the set and why:
// one head line, then one line per file in the order they were chosen, each a
// continuation line ("\r\n\t" and the text), in the interface language.
#pragma once

#include "chromatogram/chrm_set.h"

#include <string>
#include <vector>

namespace p528 {

class Shell;

// "" for an empty list.
std::string SkippedFilesText(const Shell& shell, const std::vector<SkippedFile>& skipped);

}  // namespace p528
