// plug528-aia-convert: the worker that converts one AIA file for an import, in a process of
// its own under limits (see host/kit/aia/conversion_worker.h). Not meant to be run by hand.
//
//   plug528-aia-convert SOURCE TARGET ROLE_TEXT
#include "host/kit/aia/aia_import.h"
#include "host/kit/aia/conversion_worker.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: plug528-aia-convert SOURCE TARGET ROLE_TEXT\n", stderr);
    return 2;
  }
  p528::aia::LimitWorker();
  p528::aia::AiaImportResult result = p528::aia::ImportAia(argv[1], argv[3]);
  if (!result.ok()) {
    std::printf("error: %s\n", result.error.c_str());
    return 1;
  }
  for (const std::string& notice : result.notices) std::printf("notice: %s\n", notice.c_str());
  if (result.file.SaveToFile(argv[2]) != 0) {
    std::printf("error: the converted chromatogram cannot be written to %s\n", argv[2]);
    return 1;
  }
  return 0;
}
