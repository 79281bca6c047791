#include "chart/qt/chart_widget.h"

#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "chart/qt/qpainter_canvas.h"

namespace p528 {

namespace {

int ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return MouseLeft;
    case Qt::RightButton: return MouseRight;
    case Qt::MiddleButton: return MouseMiddle;
    default: return -1;
  }
}

int ButtonsHeld(Qt::MouseButtons buttons) {
  int held = 0;
  if (buttons & Qt::LeftButton) held |= 1 << MouseLeft;
  if (buttons & Qt::RightButton) held |= 1 << MouseRight;
  if (buttons & Qt::MiddleButton) held |= 1 << MouseMiddle;
  return held;
}

PixelPoint PointOf(const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  return PixelPoint{p.x(), p.y()};
}

// Scroll-bar actions in the platform's scroll codes; -1 for none.
int ScrollCodeOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return ScrollLineUp;
    case QAbstractSlider::SliderSingleStepAdd: return ScrollLineDown;
    case QAbstractSlider::SliderPageStepSub: return ScrollPageUp;
    case QAbstractSlider::SliderPageStepAdd: return ScrollPageDown;
    case QAbstractSlider::SliderMove: return ScrollThumbTrack;
    case QAbstractSlider::SliderToMinimum: return ScrollTop;
    case QAbstractSlider::SliderToMaximum: return ScrollBottom;
    default: return -1;
  }
}

}  // namespace

CAutoCtrlWidget::CAutoCtrlWidget(CAutoCtrl& logic, QWidget* parent)
    : QWidget(parent),
      logic_(&logic),
      hbar_(new QScrollBar(Qt::Horizontal, this)),
      vbar_(new QScrollBar(Qt::Vertical, this)) {
  Init();
}

CAutoCtrlWidget::CAutoCtrlWidget(CAutoCtrl& logic, std::shared_ptr<void> own, QWidget* parent)
    : QWidget(parent),
      own_(std::move(own)),
      logic_(&logic),
      hbar_(new QScrollBar(Qt::Horizontal, this)),
      vbar_(new QScrollBar(Qt::Vertical, this)) {
  Init();
}

void CAutoCtrlWidget::Init() {
  // The paint covers the whole client area: no separate background erase.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  hbar_->hide();
  vbar_->hide();
  connect(hbar_, &QScrollBar::actionTriggered, this, [this](int action) { OnScrollAction(false, action); });
  connect(vbar_, &QScrollBar::actionTriggered, this, [this](int action) { OnScrollAction(true, action); });
  logic_->SetInvalidateHandler([this] { update(); });
}

CAutoCtrlWidget::~CAutoCtrlWidget() { logic_->SetInvalidateHandler(nullptr); }

void CAutoCtrlWidget::ReplacePlaceholder(QWidget* placeholder) {
  if (placeholder == nullptr) return;
  QWidget* parent = placeholder->parentWidget();
  setParent(parent);
  setObjectName(placeholder->objectName());
  setGeometry(placeholder->geometry());
  if (parent != nullptr && parent->layout() != nullptr) {
    delete parent->layout()->replaceWidget(placeholder, this);
  }
  delete placeholder;
  show();
}

QRect CAutoCtrlWidget::ClientRect() const {
  int w = width();
  int h = height();
  if (vbar_->isVisibleTo(this)) w -= vbar_->sizeHint().width();
  if (hbar_->isVisibleTo(this)) h -= hbar_->sizeHint().height();
  return QRect(0, 0, std::max(0, w), std::max(0, h));
}

void CAutoCtrlWidget::paintEvent(QPaintEvent* /*event*/) {
  {
    QPainter painter(this);
    QPainterCanvas canvas(painter);
    const QRect r = ClientRect();
    logic_->PaintWindow(canvas, PixelRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
  }
  // The bars may change the client area: apply them after this paint, not inside it.
  QMetaObject::invokeMethod(
      this, [this] { ApplyScrollBars(); }, Qt::QueuedConnection);
}

void CAutoCtrlWidget::ApplyScrollBars() {
  const ScrollBarState& h = logic_->HScroll;
  const ScrollBarState& v = logic_->VScroll;
  for (auto [bar, state] : {std::pair{hbar_, &h}, std::pair{vbar_, &v}}) {
    const QSignalBlocker block(bar);
    bar->setRange(0, std::max(0, state->maximum));
    bar->setValue(state->position);
  }
  const bool changed = hbar_->isVisibleTo(this) != h.visible || vbar_->isVisibleTo(this) != v.visible;
  if (!changed) return;
  hbar_->setVisible(h.visible);
  vbar_->setVisible(v.visible);
  PlaceScrollBars();
  update();
}

void CAutoCtrlWidget::PlaceScrollBars() {
  const QRect c = ClientRect();
  hbar_->setGeometry(0, c.height(), c.width(), hbar_->sizeHint().height());
  vbar_->setGeometry(c.width(), 0, vbar_->sizeHint().width(), c.height());
}

void CAutoCtrlWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceScrollBars();
}

void CAutoCtrlWidget::OnScrollAction(bool vertical, int action) {
  const int code = ScrollCodeOf(action);
  if (code < 0) return;
  QScrollBar* bar = vertical ? vbar_ : hbar_;
  const auto position = static_cast<std::uint32_t>(bar->sliderPosition());
  const bool changed =
      vertical ? logic_->ScrollVertical(code, position) : logic_->ScrollHorizontal(code, position);
  if (changed && owner_ != nullptr) {
    owner_->OnChartNotify(*logic_, vertical ? ChartNotifyVScroll : ChartNotifyHScroll);
  }
}

void CAutoCtrlWidget::PostMouse(ChartMouseEvent::Kind kind, QMouseEvent* event) {
  ChartMouseEvent e;
  e.kind = kind;
  e.button = ButtonOf(event->button());
  const PixelPoint p = PointOf(event);
  e.x = p.x;
  e.y = p.y;
  e.buttonsHeld = ButtonsHeld(event->buttons());
  QMetaObject::invokeMethod(
      this,
      [this, e] {
        if (owner_ != nullptr) owner_->OnChartMouse(*logic_, e);
      },
      Qt::QueuedConnection);
}

void CAutoCtrlWidget::HandlePress(QMouseEvent* event) {
  const int button = ButtonOf(event->button());
  if (button >= 0 && logic_->ButtonDown(button, PointOf(event))) {
    event->accept();
    return;
  }
  PostMouse(ChartMouseEvent::Press, event);
}

void CAutoCtrlWidget::mousePressEvent(QMouseEvent* event) { HandlePress(event); }

void CAutoCtrlWidget::mouseMoveEvent(QMouseEvent* event) {
  const Qt::MouseButton zoom = logic_->ZoomButton == MouseRight ? Qt::RightButton : Qt::LeftButton;
  if (logic_->MouseMove(PointOf(event), (event->buttons() & zoom) != 0)) update();
  PostMouse(ChartMouseEvent::Move, event);
}

void CAutoCtrlWidget::mouseReleaseEvent(QMouseEvent* event) {
  const int button = ButtonOf(event->button());
  const CAutoCtrl::ReleaseResult r =
      button >= 0 ? logic_->ButtonUp(button, PointOf(event)) : CAutoCtrl::ReleaseResult{};
  if (!r.consumed) {
    PostMouse(ChartMouseEvent::Release, event);
    return;
  }
  update();  // the band disappears
  if (r.zoomed && owner_ != nullptr) owner_->OnChartNotify(*logic_, ChartNotifyZoom);
}

void CAutoCtrlWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  // A double click is only passed on (the pages open their enlarged charts on it).
  PostMouse(ChartMouseEvent::DoubleClick, event);
}

CChartWidget::CChartWidget(QWidget* parent) : CChartWidget(std::make_shared<CChart>(), parent) {}

CChartWidget::CChartWidget(CChart& chart, QWidget* parent) : CAutoCtrlWidget(chart, parent), chart_(&chart) {}

CChartWidget::CChartWidget(std::shared_ptr<CChart> own, QWidget* parent)
    : CAutoCtrlWidget(*own, own, parent), chart_(own.get()) {}

void CChartWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    chart_->ClickReadOut(PointOf(event));
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (Owner() != nullptr) Owner()->OnChartClick(*chart_);
        },
        Qt::QueuedConnection);
  }
  HandlePress(event);
}

}  // namespace p528
