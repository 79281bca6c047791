#include "ui/window_place_qt.h"

#include "workbench/window_place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace p528::ui {

namespace {

WindowPlace PlaceOf(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

// The work areas of the session's screens, the primary screen's first.
std::vector<WindowPlace> WorkAreas() {
  std::vector<WindowPlace> areas;
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary != nullptr) areas.push_back(PlaceOf(primary->availableGeometry()));
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen != primary) areas.push_back(PlaceOf(screen->availableGeometry()));
  }
  return areas;
}

}  // namespace

void RestoreWindowPlace(QWidget& window, const Shell& shell, const char* key, QSize defaultSize,
                        QSize minimum) {
  const std::vector<WindowPlace> areas = WorkAreas();
  const std::optional<WindowPlace> remembered = ReadWindowPlace(shell, key);
  if (remembered) {
    const WindowPlace place = FitToScreens(*remembered, areas, minimum.width(), minimum.height());
    window.setGeometry(place.x, place.y, place.width, place.height);
    return;
  }
  // A first opening: the built-in size, cut to the screen the window is on.
  const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
  const WindowPlace area =
      screen != nullptr ? PlaceOf(screen->availableGeometry()) : WindowPlace{0, 0, 1280, 720};
  const WindowPlace sized = FitToWorkArea({area.x, area.y, defaultSize.width(), defaultSize.height()}, area,
                                          minimum.width(), minimum.height());
  window.resize(sized.width, sized.height);
}

void RememberWindowPlace(const QWidget& window, const Shell& shell, const char* key) {
  const QRect rect =
      window.isMaximized() || window.isFullScreen() ? window.normalGeometry() : window.geometry();
  if (rect.isEmpty()) return;
  WriteWindowPlace(shell, key, PlaceOf(rect));
}

}  // namespace p528::ui
