// What simdist tells on the terminal: the notices about files left out, in words, and the
// cleaning of every text printed there (passport texts are data, and a sample name holding
// a terminal control sequence must not act on the terminal).
#pragma once

#include "chromatogram/chrm_set.h"

#include <string>

namespace p528::simdist {

// The notice for a file the add command or the restoring of the set left out, without the
// "simdist: notice: " prefix: "PATH not added: cannot be read: the file is not a
// chromatogram (it does not begin with "STG")".
std::string SkipText(const SkippedFile& file);

// Why a chromatogram at `path` did not load with `status` (LoadFromFile), in words.
std::string LoadFailureText(const std::string& path, int status);

// `text` as the terminal gets it: CR dropped, tabs as four blanks, every other control
// character (C0 but line feed, DEL, C1) shown as "?". Valid UTF-8 stays as it is.
std::string ForTerminal(const std::string& text);

}  // namespace p528::simdist
