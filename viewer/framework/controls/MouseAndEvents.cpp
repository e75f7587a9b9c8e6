#include "Controls.h"
#include "TouchManager.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <unordered_map>
#include <utility>

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWidget>

#include "ClassicLook.h"
#include "DialogCodes.h"
#include "Forms.h"
#include "core/Ascii.h"
#include "core/Exceptions.h"
#include "core/FormNode.h"
#include "core/SysUtils.h"

#include "ControlsDetail.h"

using namespace controls_detail;

// ---------------------------------------------------------------------------
// TWinControl: the mouse, and the platform events of its widget

// --- mouse

static uint32_t MouseKeys(const QMouseEvent* e) {
  uint32_t k = 0;
  const auto b = e->buttons();
  const auto m = e->modifiers();
  if (b & Qt::LeftButton) k |= MK_LBUTTON;
  if (b & Qt::RightButton) k |= MK_RBUTTON;
  if (b & Qt::MiddleButton) k |= MK_MBUTTON;
  if (m & Qt::ShiftModifier) k |= MK_SHIFT;
  if (m & Qt::ControlModifier) k |= MK_CONTROL;
  if (m & Qt::AltModifier) k |= MK_ALT;
  return k;
}

void TWinControl::ChildMouseHover(TControl* hovered) {
  if (hovered_ == hovered) return;
  TControl* old = hovered_;
  hovered_ = hovered;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (hovered) hovered->Perform(CM_MOUSEENTER);
}

void TWinControl::UpdateCursorAt(TPoint p) {
  if (!ownWidget_) return;
  TControl* c = ControlAtPos(p, false, false);
  TCursor cur = c && c->Cursor() != crDefault ? c->Cursor() : Cursor();
  if (cur != crDefault)
    ownWidget_->setCursor(QtCursorOf(cur));
  else
    ownWidget_->unsetCursor();
}

bool TWinControl::HandleQtMouse(QMouseEvent* e) {
  const QPoint qp = e->position().toPoint();
  const TPoint o = WidgetClientOrigin();
  const TPoint p{qp.x() - o.X, qp.y() - o.Y};
  TControl* target = this;
  const auto type = e->type();
  if (g_capture && g_capture != this && g_capture->Parent() == this && !dynamic_cast<TWinControl*>(g_capture)) {
    target = g_capture;
  } else if (ownWidget_) {
    if (TControl* c = ControlAtPos(p, false, false)) target = c;
  }
  if (type == QEvent::MouseMove && !g_capture) {
    ChildMouseHover(target != this ? target : nullptr);
    UpdateCursorAt(p);
  }
  const int x = p.X - (target != this ? target->left_ : 0);
  const int y = p.Y - (target != this ? target->top_ : 0);
  uint32_t msg = 0;
  const auto button = e->button();
  switch (type) {
    case QEvent::MouseButtonPress:
      msg = button == Qt::RightButton ? WM_RBUTTONDOWN : button == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
      break;
    case QEvent::MouseButtonDblClick:
      if (target->HasStyle(csDoubleClicks))
        msg = button == Qt::RightButton ? WM_RBUTTONDBLCLK
              : button == Qt::MiddleButton
                  ? WM_MBUTTONDBLCLK
                  : WM_LBUTTONDBLCLK;
      else
        msg = button == Qt::RightButton ? WM_RBUTTONDOWN : button == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
      break;
    case QEvent::MouseButtonRelease:
      msg = button == Qt::RightButton ? WM_RBUTTONUP : button == Qt::MiddleButton ? WM_MBUTTONUP : WM_LBUTTONUP;
      break;
    case QEvent::MouseMove: msg = WM_MOUSEMOVE; break;
    default: return false;
  }
  target->Perform(msg, MouseKeys(e), MakeLParam(uint16_t(int16_t(x)), uint16_t(int16_t(y))));
  return false;
}

bool TWinControl::WidgetEvent(QEvent* e) {
  switch (e->type()) {
    case QEvent::KeyPress:
      if (g_resendingKey) return false;
      return HandleQtKeyPress(static_cast<QKeyEvent*>(e));
    case QEvent::KeyRelease:
      if (g_resendingKey) return false;
      return HandleQtKeyRelease(static_cast<QKeyEvent*>(e));
    case QEvent::ShortcutOverride: {
      // Keys the framework routes itself must reach the key pipeline.
      auto* k = static_cast<QKeyEvent*>(e);
      if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) e->accept();
      return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: return HandleQtMouse(static_cast<QMouseEvent*>(e));
    case QEvent::Leave:
      ChildMouseHover(nullptr);
      Perform(CM_MOUSELEAVE);
      return false;
    case QEvent::Enter: Perform(CM_MOUSEENTER); return false;
    case QEvent::FocusIn: HandleQtFocusIn(); return false;
    case QEvent::ContextMenu: {
      auto* ce = static_cast<QContextMenuEvent*>(e);
      const TPoint o = WidgetClientOrigin();
      const TPoint p{ce->pos().x() - o.X, ce->pos().y() - o.Y};
      TControl* target = this;
      if (TControl* c = ControlAtPos(p, false, false)) target = c;
      bool handled = false;
      TPoint local = target == this ? p : TPoint{p.X - target->left_, p.Y - target->top_};
      target->ContextPopup(local, handled);
      if (!handled) {
        for (TControl* c = target; c; c = c->Parent())
          if (c->PopupMenu()) {
            if (ShowPopupMenuHook)
              handled = ShowPopupMenuHook(c, c->PopupMenu(), {ce->globalPos().x(), ce->globalPos().y()});
            break;
          }
      }
      return handled;
    }
    case QEvent::ToolTip: {
      auto* he = static_cast<QHelpEvent*>(e);
      const TPoint o = WidgetClientOrigin();
      const TPoint p{he->pos().x() - o.X, he->pos().y() - o.Y};
      TControl* c = ControlAtPos(p, true, false);
      if (!c) c = this;
      if (c->ShowHint() && !c->Hint().empty()) {
        std::string hint = c->Hint();
        if (auto bar = hint.find('|'); bar != std::string::npos) hint.resize(bar);
        QToolTip::showText(he->globalPos(), c->Font()->Decode(hint), Surface());
      } else {
        QToolTip::hideText();
      }
      return true;
    }
    default: return false;
  }
}
