// The colour swatch of an analysis curve: a small control filled with one colour
// (0x00BBGGRR); a click asks the page to choose another.
#pragma once

#include "chart/canvas.h"

#include <QWidget>

namespace p528::ui {

class CColourSwatch final : public QWidget {
  Q_OBJECT

 public:
  explicit CColourSwatch(QWidget* parent = nullptr);
  COLORREF Colour() const { return colour_; }
  void SetColour(COLORREF colour);
  QSize sizeHint() const override { return QSize(28, 18); }

 signals:
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  COLORREF colour_ = 0;
};

QColor ToQColor(COLORREF colour);
COLORREF FromQColor(const QColor& colour);

}  // namespace p528::ui
