// libFuzzer target: any byte string given to the text export reader must give a chromatogram
// or a refusal, never a crash, an out-of-bounds access, undefined behaviour, a hang or an
// allocation the bytes do not justify. An imported chromatogram has an even, positive step,
// finite samples and at least two of them.
#include "host/kit/aia/text_export.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The first byte picks the unit the user names for a file that names none.
  const p528::aia::AiaImportResult result = p528::aia::ImportTextExportMemory(
      bytes, "#анализ",
      size > 0 && data[0] % 2 == 0 ? std::optional(p528::aia::TimeUnit::Seconds) : std::nullopt, "run.txt");
  if (!result.ok()) {
    if (!result.file.channels.empty()) std::abort();  // a refusal returns nothing
    return 0;
  }
  if (result.file.channels.size() != 1) std::abort();
  const p528::ChrmChannel& channel = result.file.channels[0];
  if (channel.samples.size() < 2 || !(channel.step > 0) || !std::isfinite(channel.startTime)) std::abort();
  for (const float v : channel.samples) {
    if (!std::isfinite(v)) std::abort();
  }
  return 0;
}
