#include "ControlsDetail.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include "Forms.h"

using namespace controls_detail;

// ---------------------------------------------------------------------------
// Globals

bool NewStyleControls = true;
std::function<bool(TControl*, TComponent*, TPoint)> ShowPopupMenuHook;

namespace {
int g_beepCount = 0;
std::function<void(uint32_t)> g_beepHook;
}  // namespace

namespace controls_detail {
TWinControl* g_focused = nullptr;
TControl* g_capture = nullptr;
TShiftState g_keyShift = 0;
bool g_resendingKey = false;
TPoint exposedOrigin{0, 0};
}  // namespace controls_detail

void MessageBeep(uint32_t type) {
  ++g_beepCount;
  if (g_beepHook)
    g_beepHook(type);
  else if (qApp)
    QApplication::beep();
}
int MessageBeepCount() { return g_beepCount; }
void ResetMessageBeepCount() { g_beepCount = 0; }
void SetMessageBeepHook(std::function<void(uint32_t)> hook) { g_beepHook = std::move(hook); }

TWinControl* FindFocusedControl() { return g_focused; }
void ClearFocusedControl() { g_focused = nullptr; }
TShiftState CurrentKeyShift() { return g_keyShift; }
TControl* GetCaptureControl() { return g_capture; }
void SetCaptureControl(TControl* control) { g_capture = control; }

TCustomForm* GetParentForm(const TControl* control) {
  const TControl* c = control;
  while (c && c->Parent()) c = c->Parent();
  return const_cast<TCustomForm*>(dynamic_cast<const TCustomForm*>(c));
}

Qt::CursorShape controls_detail::QtCursorOf(TCursor c) {
  switch (c) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crDrag:
    case crNoDrop: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crNo: return Qt::ForbiddenCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}

// ---------------------------------------------------------------------------
// The platform side: the framework's widget, and an event filter for
// native widgets that descendants wrap.

namespace controls_detail {

bool DispatchGuarded(TWinControl* control, QEvent* e) {
  try {
    return control->WidgetEvent(e);
  } catch (const std::exception& ex) {
    if (Application) {
      Application->HandleException(ex);
    } else {
      std::fprintf(stderr, "%s\n", ex.what());
    }
    return true;
  }
}

TControlWidget::TControlWidget(TWinControl* control, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), control_(control) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
}

bool TControlWidget::event(QEvent* e) {
  bool handled = control_ && DispatchGuarded(control_, e);
  switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: e->accept(); return true;
    default: break;
  }
  if (handled) return true;
  return QWidget::event(e);
}

// Paints the exposed part of the client area only: a panel declared
// 30000 pixels wide inside a small form costs what shows of it.
void TControlWidget::paintEvent(QPaintEvent* event) {
  if (!control_) return;
  const TPoint o = control_->WidgetClientOrigin();
  const QRect client(o.X, o.Y, std::max(1, width() - o.X), std::max(1, height() - o.Y));
  const QRect area = event->rect().intersected(client);
  if (area.isEmpty()) return;
  QImage buffer(area.width(), area.height(), QImage::Format_RGB32);
  if (buffer.isNull()) return;  // refused by the system: nothing to paint into
  exposedOrigin = {area.x() - o.X, area.y() - o.Y};
  control_->PaintHandler(buffer);
  QPainter p(this);
  p.drawImage(area.topLeft(), buffer);
}

NativeEventFilter& NativeEventFilter::Instance() {
  static auto* f = new NativeEventFilter;
  return *f;
}

bool NativeEventFilter::eventFilter(QObject* o, QEvent* e) {
  auto it = map_.find(o);
  if (it == map_.end()) return false;
  return DispatchGuarded(it->second, e);
}

}  // namespace controls_detail
