// libFuzzer target: any byte string given to the AIA importer must give a chromatogram or a
// refusal, never a crash, an out-of-bounds access, undefined behaviour or an allocation the
// bytes do not justify. An imported chromatogram must be written and read back as the
// system's own file (its texts are valid XML), with the same samples and passport fields.
//
// Any bytes are fed to it: the importer's check of the classic header decides what netCDF
// may see (never a netCDF-4 file, whose parsing would be the HDF5 library's).
#include "host/kit/aia/aia_import.h"

#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// One scratch file per fuzzing process for the write-and-read-back check, removed at exit.
struct Scratch {
  std::string path = "/tmp/aia-fuzz-XXXXXX";
  Scratch() {
    const int fd = mkstemp(path.data());
    if (fd < 0) std::abort();
    close(fd);
  }
  ~Scratch() { unlink(path.c_str()); }
};

const std::string& ScratchPath() {
  static const Scratch scratch;
  return scratch.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  p528::aia::AiaImportResult result = p528::aia::ImportAiaMemory(data, size, "#анализ");
  if (!result.ok()) {
    if (!result.file.channels.empty()) std::abort();  // a refusal returns nothing
    // Our own allocations are bounded by the bytes: running out of memory is our fault (the
    // library's own failures read "cannot be read as netCDF").
    if (result.error.rfind("not enough memory", 0) == 0) std::abort();
    return 0;
  }
  if (result.file.channels.empty() || result.file.channels[0].samples.empty()) std::abort();
  if (result.file.SaveToFile(ScratchPath()) != 0) std::abort();
  p528::ChrmFile back;
  if (back.LoadFromFile(ScratchPath()) != 0) std::abort();
  if (back.channels.size() != result.file.channels.size() ||
      back.channels[0].samples != result.file.channels[0].samples ||
      back.channels[0].peaks.size() != result.file.channels[0].peaks.size() ||
      back.passport.fields.size() != result.file.passport.fields.size())
    std::abort();
  for (size_t i = 0; i < back.passport.fields.size(); ++i) {
    if (back.passport.fields[i].value != result.file.passport.fields[i].value) std::abort();
  }
  return 0;
}
