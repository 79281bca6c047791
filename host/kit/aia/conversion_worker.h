// Converting an AIA file in a worker process. The netCDF library parses what a file declares;
// the header check keeps it from the known faults, and the worker keeps whatever is left
// (a crash, a hang, memory without end) out of the program that imports: the converter
// program runs under limits of memory, processor time and wall time, and anything but its
// clean answer is a refused file with the reason.
//
// The converter is a small program installed with the package (plug528-aia-convert),
// started with posix_spawn (never a fork of a program with windows and threads):
//   plug528-aia-convert SOURCE TARGET ROLE_TEXT
// It limits itself (LimitWorker), imports SOURCE, writes the chromatogram to TARGET and says
// on its standard output "notice: ..." per notice or "error: ..." when it refuses; exit status
// 0 converted, 1 refused, 2 usage.
#pragma once

#include "host/kit/aia/aia_import.h"

#include <string>
#include <vector>

namespace p528::aia {

inline constexpr const char* kConverterName = "plug528-aia-convert";
// Wall time a conversion may take; the worker is killed after it.
inline constexpr int kWorkerSeconds = 60;

struct WorkerResult {
  std::string error;  // "" when TARGET holds the chromatogram
  std::vector<std::string> notices;
  bool ok() const { return error.empty(); }
};

// Runs `converter` on `source`, writing `target`.
WorkerResult ConvertInWorker(const std::string& converter, const std::string& source,
                             const std::string& target, const std::string& roleText,
                             int wallSeconds = kWorkerSeconds);

// ImportAia in a worker: the chromatogram the converter wrote (through a private temporary
// file, removed again) or its refusal.
AiaImportResult ImportAiaInWorker(const std::string& converter, const std::string& path,
                                  const std::string& roleText, int wallSeconds = kWorkerSeconds);

// The converter of an installation whose programs lie in `programFolder`: the package's
// folder of modules (../lib/plug528), else beside the program, else `fallback`; "" when none
// of them exists.
std::string FindConverter(const std::string& programFolder, const std::string& fallback = "");

// The converter's own limits: address space, processor time, file size, no core file.
void LimitWorker();

}  // namespace p528::aia
