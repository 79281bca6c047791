// The outputs of a run (--json, --report) checked before anything is read or written, so
// that no run writes over what it reads: an output that is the same file as an input
// chromatogram, the profile, the component table, the custom reference or the database
// (same device and inode, so links and hard links count; for a file that does not exist
// yet, the same full path) is refused; so are an output that is a chromatogram file (the
// system reads chromatograms and never writes them), an output that is not a regular file
// (a directory, a device, a FIFO, a socket), and --json and --report naming one file.
#pragma once

#include <string>
#include <vector>

namespace p528::simdist {

struct NamedPath {
  std::string what;  // "--json", "the profile", "the chromatogram", ...
  std::string path;
};

// True when every output may be written; else false with `error` set (one line, without
// the program's name).
bool CheckOutputs(const std::vector<NamedPath>& outputs, const std::vector<NamedPath>& inputs,
                  std::string& error);

}  // namespace p528::simdist
