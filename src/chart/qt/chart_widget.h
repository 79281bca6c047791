// The chart windows (Qt): CAutoCtrlWidget shows a CAutoCtrl (painting, rubber-band zoom,
// scroll bars, notifications); CChartWidget shows a CChart and adds the click read-out.
//
// The logic object is either the widget's own or one the owner keeps (the workbench holds
// the charts' logic; the window only shows it). The widget registers itself as the logic's
// redraw handler while it lives (one window per logic object at a time). Painting is buffered (one off-screen
// image copied in one step) under the chart's PaintLock, and the background is never erased separately, so
// the chart does not flicker.
//
// What the widget tells its owner goes through ChartOwner (chart_owner.h): the click
// read-out and the mouse events it does not consume are posted (queued on the event loop),
// zoom and scroll notifications are sent at once.
#pragma once

#include <QWidget>
#include <memory>

#include "chart/chart.h"
#include "chart/chart_owner.h"

class QScrollBar;

namespace p528 {

class CAutoCtrlWidget : public QWidget {
  Q_OBJECT

 public:
  // Shows `logic`, which must outlive the widget.
  explicit CAutoCtrlWidget(CAutoCtrl& logic, QWidget* parent = nullptr);
  ~CAutoCtrlWidget() override;

  CAutoCtrl& Logic() { return *logic_; }
  void SetOwner(ChartOwner* owner) { owner_ = owner; }
  ChartOwner* Owner() const { return owner_; }

  // Takes the place of an existing child window: its parent, object name (the control's
  // id), geometry and layout slot; the placeholder is destroyed.
  void ReplacePlaceholder(QWidget* placeholder);

  // The drawing area: the widget without its visible scroll bars (the report's pictures
  // are rendered at this size).
  QRect ClientRect() const;

  QSize sizeHint() const override { return QSize(400, 300); }

 protected:
  // A widget keeping its logic alive through `own` (which holds the logic object).
  CAutoCtrlWidget(CAutoCtrl& logic, std::shared_ptr<void> own, QWidget* parent);

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

  // Passes a mouse event on to the owner, after the current event is handled.
  void PostMouse(ChartMouseEvent::Kind kind, QMouseEvent* event);
  // The press handling of the control itself (rubber band or passing on).
  void HandlePress(QMouseEvent* event);

 private:
  void Init();
  void OnScrollAction(bool vertical, int action);
  void ApplyScrollBars();
  void PlaceScrollBars();

  std::shared_ptr<void> own_;  // the widget's own logic, if it has one
  CAutoCtrl* logic_;
  ChartOwner* owner_ = nullptr;
  QScrollBar* hbar_;
  QScrollBar* vbar_;
};

class CChartWidget : public CAutoCtrlWidget {
  Q_OBJECT

 public:
  // A window with its own chart.
  explicit CChartWidget(QWidget* parent = nullptr);
  // A window showing a chart kept elsewhere, which must outlive the widget.
  explicit CChartWidget(CChart& chart, QWidget* parent = nullptr);

  CChart& Chart() { return *chart_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  CChartWidget(std::shared_ptr<CChart> own, QWidget* parent);
  CChart* chart_;
};

}  // namespace p528
