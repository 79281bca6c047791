#include "workbench/window_place.h"

#include "shell/settings.h"

#include <sstream>
#include <string>

namespace p528 {

std::optional<WindowPlace> ReadWindowPlace(const Shell& shell, std::string_view key) {
  const std::string text = ReadSettingText(shell, kSectionSettings, key, "");
  std::istringstream in(text);
  WindowPlace place;
  if (!(in >> place.x >> place.y >> place.width >> place.height)) return std::nullopt;
  std::string rest;
  if (in >> rest) return std::nullopt;
  if (place.width <= 0 || place.height <= 0) return std::nullopt;
  return place;
}

void WriteWindowPlace(const Shell& shell, std::string_view key, const WindowPlace& place) {
  WriteSettingText(shell, kSectionSettings, key,
                   std::to_string(place.x) + " " + std::to_string(place.y) + " " +
                       std::to_string(place.width) + " " + std::to_string(place.height));
}

}  // namespace p528
