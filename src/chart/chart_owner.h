// What a chart window tells its owning window. The owner implements the functions it
// needs; each returns the owner's answer (ignored by the chart), 0 by default.
#pragma once

namespace p528 {

class CChart;
class CAutoCtrl;

// A mouse event passed on to the owner unchanged (coordinates relative to the chart).
struct ChartMouseEvent {
  enum Kind { Move, Press, Release, DoubleClick };
  Kind kind = Move;
  int button = 0;  // MouseButtons; for Move the button of the event (unused)
  int x = 0;
  int y = 0;
  int buttonsHeld = 0;  // bit (1 << MouseButtons) for each button held
};

class ChartOwner {
 public:
  virtual ~ChartOwner() = default;
  // ChartClickMessage: posted after a left click; ClickX / ClickY hold the read-out.
  virtual int OnChartClick(CChart& /*chart*/) { return 0; }
  // ChartNotifyZoom, ChartNotifyHScroll, ChartNotifyVScroll, sent synchronously.
  virtual int OnChartNotify(CAutoCtrl& /*chart*/, int /*code*/) { return 0; }
  // A mouse event the chart did not consume, posted afterwards.
  virtual int OnChartMouse(CAutoCtrl& /*chart*/, const ChartMouseEvent& /*event*/) { return 0; }
};

}  // namespace p528
