#include "ui/window_place_qt.h"

#include "workbench/window_place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace p528::ui {

namespace {

WindowPlace PlaceOf(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

QRect WorkArea(const QWidget& window) {
  const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 720);
}

}  // namespace

void RestoreWindowPlace(QWidget& window, const Shell& shell, const char* key, QSize defaultSize,
                        QSize minimum) {
  const WindowPlace area = PlaceOf(WorkArea(window));
  const std::optional<WindowPlace> remembered = ReadWindowPlace(shell, key);
  if (remembered) {
    const WindowPlace place = FitToWorkArea(*remembered, area, minimum.width(), minimum.height());
    window.setGeometry(place.x, place.y, place.width, place.height);
    return;
  }
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
