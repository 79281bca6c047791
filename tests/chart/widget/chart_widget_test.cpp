#include "chart/qt/chart_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <vector>

namespace p528 {
namespace {

// Records what the chart tells its owner.
class RecordingOwner : public ChartOwner {
 public:
  int OnChartClick(CChart& chart) override {
    clicks.push_back({chart.ClickX, chart.ClickY});
    return 0;
  }
  int OnChartNotify(CAutoCtrl& /*chart*/, int code) override {
    notifications.push_back(code);
    return 0;
  }
  int OnChartMouse(CAutoCtrl& /*chart*/, const ChartMouseEvent& event) override {
    mouse.push_back(event);
    return 0;
  }
  int Count(ChartMouseEvent::Kind kind) const {
    int n = 0;
    for (const ChartMouseEvent& e : mouse) n += e.kind == kind;
    return n;
  }
  struct Click {
    double x, y;
  };
  std::vector<Click> clicks;
  std::vector<int> notifications;
  std::vector<ChartMouseEvent> mouse;
};

void SendMouse(QWidget& w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(p), w.mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}

// A shown chart window over the data 0..100 on both axes, painted once.
struct ShownChart {
  std::vector<double> x = {0, 100};
  std::vector<double> y = {0, 100};
  CChartWidget widget;
  RecordingOwner owner;
  explicit ShownChart(bool zoom) {
    CChart& c = widget.Chart();
    CAutoSeries s;
    s.Colour = 0x0808FC;
    c.AddSeries(s);
    c.SetSeriesData(0, x.data(), y.data(), 2);
    c.ZoomEnabled = zoom;
    widget.SetOwner(&owner);
    widget.resize(400, 300);
    widget.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
    widget.repaint();
    QApplication::processEvents();
  }
  QPoint PlotPoint(double fx, double fy) const {
    const PixelRect& p = const_cast<CChartWidget&>(widget).Chart().PlotRect;
    return QPoint(p.left + static_cast<int>(fx * (p.right - p.left - 1)),
                  p.top + static_cast<int>(fy * (p.bottom - p.top - 1)));
  }
};

TEST(ChartWidgetTest, LeftClickPostsTheReadOutAndPassesThePressOn) {
  ShownChart t(false);
  const PixelRect plot = t.widget.Chart().PlotRect;
  ASSERT_GT(plot.Width(), 100);
  const QPoint p(plot.left, plot.top);
  SendMouse(t.widget, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
  SendMouse(t.widget, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(t.owner.clicks.empty());  // posted, not sent
  QApplication::processEvents();
  ASSERT_EQ(t.owner.clicks.size(), 1u);
  EXPECT_DOUBLE_EQ(t.owner.clicks[0].x, t.widget.Chart().XMin);
  EXPECT_DOUBLE_EQ(t.owner.clicks[0].y, t.widget.Chart().YMax);
  EXPECT_EQ(t.widget.Chart().ClickPoint, (PixelPoint{p.x(), p.y()}));
  EXPECT_EQ(t.owner.Count(ChartMouseEvent::Press), 1);
  EXPECT_EQ(t.owner.Count(ChartMouseEvent::Release), 1);
  EXPECT_EQ(t.owner.mouse[0].x, p.x());
}

TEST(ChartWidgetTest, WithZoomOffEveryPressAndReleaseIsPassedOn) {
  ShownChart t(false);
  const QPoint p = t.PlotPoint(0.5, 0.5);
  for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    SendMouse(t.widget, QEvent::MouseButtonPress, p, b, b);
    SendMouse(t.widget, QEvent::MouseButtonRelease, p, b, Qt::NoButton);
  }
  QApplication::processEvents();
  EXPECT_EQ(t.owner.Count(ChartMouseEvent::Press), 3);
  EXPECT_EQ(t.owner.Count(ChartMouseEvent::Release), 3);
  EXPECT_EQ(t.owner.clicks.size(), 1u);  // only the left button reads out
  EXPECT_TRUE(t.owner.notifications.empty());
  EXPECT_TRUE(t.widget.Chart().AutoX);
}

TEST(ChartWidgetTest, RubberBandZoomNotifiesTheOwner) {
  ShownChart t(true);
  const QPoint a = t.PlotPoint(0.25, 0.25), b = t.PlotPoint(0.75, 0.75);
  SendMouse(t.widget, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
  SendMouse(t.widget, QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
  EXPECT_TRUE(t.widget.Chart().BandActive);
  SendMouse(t.widget, QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(t.owner.notifications, std::vector<int>{ChartNotifyZoom});  // sent at once
  QApplication::processEvents();
  EXPECT_FALSE(t.widget.Chart().AutoX);
  EXPECT_NEAR(t.widget.Chart().FixedXMin, 25, 1.5);
  EXPECT_NEAR(t.widget.Chart().FixedXMax, 75, 1.5);
  // The band's press and release are the control's own; the move is passed on; the left
  // press still gives the read-out.
  EXPECT_EQ(t.owner.Count(ChartMouseEvent::Press), 0);
  EXPECT_EQ(t.owner.Count(ChartMouseEvent::Release), 0);
  EXPECT_EQ(t.owner.Count(ChartMouseEvent::Move), 1);
  EXPECT_EQ(t.owner.clicks.size(), 1u);
}

TEST(ChartWidgetTest, TwoPixelDragZoomsNothing) {
  ShownChart t(true);
  const QPoint a = t.PlotPoint(0.5, 0.5), b = a + QPoint(2, 40);
  SendMouse(t.widget, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
  SendMouse(t.widget, QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
  SendMouse(t.widget, QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton);
  QApplication::processEvents();
  EXPECT_TRUE(t.owner.notifications.empty());
  EXPECT_TRUE(t.widget.Chart().AutoX);
}

TEST(ChartWidgetTest, ScrollBarsAppearAndNotifyTheirSteps) {
  ShownChart t(true);
  CChart& c = t.widget.Chart();
  c.SetXRange(20, 40);
  c.SetYRange(0, 50);
  t.widget.repaint();
  QApplication::processEvents();  // the bars are applied after the paint
  QScrollBar* h = nullptr;
  QScrollBar* v = nullptr;
  for (QScrollBar* bar : t.widget.findChildren<QScrollBar*>())
    (bar->orientation() == Qt::Horizontal ? h : v) = bar;
  ASSERT_NE(h, nullptr);
  ASSERT_NE(v, nullptr);
  EXPECT_TRUE(h->isVisibleTo(&t.widget));
  EXPECT_TRUE(v->isVisibleTo(&t.widget));
  EXPECT_LT(t.widget.ClientRect().width(), 400);

  const double before = c.FixedXMin;
  h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_GT(c.FixedXMin, before);
  v->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(t.owner.notifications, (std::vector<int>{ChartNotifyHScroll, ChartNotifyVScroll}));

  // At the start of the data a step left changes nothing and says nothing.
  c.SetXRange(c.FullXMin, c.FullXMin + 20);
  t.widget.repaint();
  QApplication::processEvents();
  h->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(t.owner.notifications.size(), 2u);
}

TEST(ChartWidgetTest, DoubleClickIsOnlyPassedOn) {
  ShownChart t(false);
  const QPoint p = t.PlotPoint(0.5, 0.5);
  SendMouse(t.widget, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(t.owner.Count(ChartMouseEvent::DoubleClick), 1);
  EXPECT_TRUE(t.owner.clicks.empty());
}

TEST(ChartWidgetTest, TinyWindowsPaintAndRecover) {
  ShownChart t(false);
  for (QSize size : {QSize(0, 0), QSize(1, 1), QSize(30, 20), QSize(400, 300)}) {
    t.widget.resize(size);
    const QImage image = t.widget.grab().toImage();
    EXPECT_EQ(image.size(), size);
  }
  EXPECT_TRUE(t.widget.Chart().PlotDrawn());
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
  int paints = 0;
};

TEST(ChartWidgetTest, RedrawRequestsReachTheWindowWhileItLives) {
  CChart chart;
  {
    CChartWidget w(chart);
    w.resize(200, 150);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QApplication::processEvents();
    PaintCounter counter;
    w.installEventFilter(&counter);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);  // nothing asked for a redraw
    chart.Invalidate();            // schedules a repaint, nothing more
    EXPECT_EQ(counter.paints, 0);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    w.removeEventFilter(&counter);
  }
  chart.Invalidate();  // the window is gone: the request is dropped, nothing is called
}

}  // namespace
}  // namespace p528
