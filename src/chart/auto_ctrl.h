// Chart control state beyond the panel: full data ranges, rubber-band zoom and scrolling,
// the paint lock and the redraw request. The window layer feeds mouse and scroll input in
// here and tells the owner what the answers say; everything that decides lives here, so it
// is tested without a window.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>

#include "chart/panel.h"

namespace p528 {

// Notification codes sent to the owning window.
enum ChartNotifyCodes : int {
  ChartNotifyZoom = 1025,     // a rubber-band zoom changed the view
  ChartNotifyHScroll = 1026,  // a horizontal scroll step changed the view
  ChartNotifyVScroll = 1027,  // a vertical scroll step changed the view
};

// Scroll request codes (the platform's numbering).
enum ScrollCodes : int {
  ScrollLineUp = 0,  // line left on the horizontal bar
  ScrollLineDown = 1,
  ScrollPageUp = 2,
  ScrollPageDown = 3,
  ScrollThumbPosition = 4,
  ScrollThumbTrack = 5,
  ScrollTop = 6,
  ScrollBottom = 7,
  ScrollEnd = 8,
};

enum MouseButtons : int { MouseLeft = 0, MouseRight = 1, MouseMiddle = 2 };

// A scroll bar as the last paint left it.
struct ScrollBarState {
  bool visible = false;
  int maximum = 0;  // range 0..maximum
  int position = 0;
};

class CAutoCtrl : public CAutoPanel {
 public:
  double FullXMin = 0, FullXMax = 0, FullYMin = 0, FullYMax = 0;  // range of all data
  bool ZoomEnabled = true;                                        // the rubber band may be started
  bool HScrollAllowed = true;                                     // the horizontal scroll bar may appear
  bool VScrollAllowed = true;
  bool AlwaysFullX = true;  // full range computed on every paint, automatic or not
  bool AlwaysFullY = true;
  bool BandActive = false;     // a rubber band is being dragged
  int ZoomButton = MouseLeft;  // MouseLeft or MouseRight drags the band
  PixelPoint BandAnchor{0, 0};
  PixelPoint BandCorner{0, 0};
  bool HScrollHidden = true;  // the bars' state at the last paint
  bool VScrollHidden = true;
  ScrollBarState HScroll;
  ScrollBarState VScroll;
  std::mutex PaintLock;  // held while the control paints

  // Redraw request: the window sets the handler (it schedules a repaint); without one the
  // request is dropped. Operations that change what is shown call Invalidate.
  void SetInvalidateHandler(std::function<void()> handler) { invalidate_ = std::move(handler); }
  void Invalidate() const {
    if (invalidate_) invalidate_();
  }

  // Full-range and scroll-bar bookkeeping before PaintTo: full ranges, view ranges, which
  // bar shows, the bars' ranges and positions (in the steps of the previous layout).
  void PaintBookkeeping();
  // The window's paint: takes PaintLock, bookkeeping, buffered PaintTo into r, then the
  // rubber band when one is active.
  void PaintWindow(Canvas& canvas, const PixelRect& r);

  // Rubber band. Press: true when consumed (a band starts). Move: `zoomButtonHeld` is the
  // move's key state of the zoom button; true when the band changed (the window redraws
  // it); the move is passed on to the owner in any case. Release: `consumed` when it ended
  // a band, `zoomed` when the view changed (notify ChartNotifyZoom).
  bool ButtonDown(int button, PixelPoint p);
  bool MouseMove(PixelPoint p, bool zoomButtonHeld);
  struct ReleaseResult {
    bool consumed = false;
    bool zoomed = false;
  };
  ReleaseResult ButtonUp(int button, PixelPoint p);
  // The band's outline rectangle (right and bottom exclusive), while BandActive.
  PixelRect BandRect() const;

  // Zoom to a data rectangle limited to the current view; both axes become fixed. False
  // (nothing changes) when the band is narrower than one part in 100000 of its values.
  bool ZoomTo(double x0, double x1, double y0, double y1);
  // A scroll request; true when the view changed (notify ChartNotifyHScroll / VScroll).
  bool ScrollHorizontal(int code, std::uint32_t position);
  bool ScrollVertical(int code, std::uint32_t position);

 private:
  std::function<void()> invalidate_;
};

}  // namespace p528
