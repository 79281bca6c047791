// libFuzzer target: any byte string given to the chromatogram-file reader must give a status,
// never a crash, an out-of-bounds access, undefined behaviour or an allocation the bytes do
// not justify. A loaded file must also survive a copy (its channels get fresh locks).
#include "chromatogram/chrm_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  p528::ChrmFile file;
  const int status = file.LoadFromMemory(data, size);
  if (status > 0 || status < -3) std::abort();
  if (status == 0) {
    p528::ChrmFile copy = file;
    if (copy.channels.size() != file.channels.size()) std::abort();
  }
  return 0;
}
