#include "chromatogram/analysis_time.h"

#include <ctime>

namespace p528 {

std::string AnalysisTimeText(int64_t andate) {
  const auto seconds = static_cast<std::time_t>(andate);
  if (static_cast<int64_t>(seconds) != andate) return {};
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return {};
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, "%d.%m.%y  %H:%M", &local);
  return std::string(text, length);
}

}  // namespace p528
