// TCustomForm as a window: painting, placing, showing and hiding, closing,
// and the modal loop.
#include "Forms.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

#include "ClassicLook.h"
#include "CodePageDetection.h"
#include "FontMapping.h"
#include "FormTitleBar.h"
#include "ScrollingArea.h"
#include "components/Reader.h"
#include "core/Exceptions.h"
#include "core/FormNode.h"
#include "core/Streams.h"
#include "streaming/Converters.h"

void TCustomForm::PaintWindow(TCanvas& canvas) {
  (void)canvas;
  Paint();
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint.code(this);
}

bool TCustomForm::Showing() const {
  QWidget* w = WidgetIfAllocated();
  return Visible() && w && w->isVisible();
}

void TCustomForm::PlaceWindow() {
  int left = left_, top = top_;
  TCustomForm* centreOn = nullptr;
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
      left = (Screen->Width() - width_) / 2;
      top = (Screen->Height() - height_) / 2;
      break;
    case poMainFormCenter: centreOn = Application ? Application->MainForm() : nullptr; break;
    case poOwnerFormCenter: centreOn = dynamic_cast<TCustomForm*>(Owner()); break;
    default: break;
  }
  if (centreOn && centreOn != this) {
    left = centreOn->Left() + (centreOn->Width() - width_) / 2;
    top = centreOn->Top() + (centreOn->Height() - height_) / 2;
  } else if (position_ == poMainFormCenter || position_ == poOwnerFormCenter) {
    left = (Screen->Width() - width_) / 2;
    top = (Screen->Height() - height_) / 2;
  }
  if (left != left_ || top != top_) SetBounds(left, top, width_, height_);
}

void TCustomForm::ShowWindowNow() {
  if (showingWindow_) return;
  showingWindow_ = true;
  try {
    HandleNeeded();
    PlaceWindow();
    UpdateWidget();
    DoShow();
    QWidget* w = Handle();
    if (windowState_ == wsMaximized)
      w->showMaximized();
    else if (windowState_ == wsMinimized)
      w->showMinimized();
    else
      w->show();
    Activate();
    if (!FindFocusedControl() || GetParentForm(FindFocusedControl()) != this) FocusFirstControl();
  } catch (...) {
    showingWindow_ = false;
    throw;
  }
  showingWindow_ = false;
}

void TCustomForm::HideWindowNow() {
  QWidget* w = WidgetIfAllocated();
  if (!w || !w->isVisible()) return;
  DoHide();
  w->hide();
  Deactivate();
}

void TCustomForm::CMVisibleChanged(TMessage& msg) {
  (void)msg;
  if (HasState(csLoading) || HasState(csDestroying)) return;
  if (Visible())
    ShowWindowNow();
  else
    HideWindowNow();
}

void TCustomForm::Show() {
  if (Visible())
    ShowWindowNow();
  else
    SetVisible(true);
  if (QWidget* w = WidgetIfAllocated(); w && QGuiApplication::platformName() != "offscreen") w->raise();
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::DoShow() {
  if (OnShow) OnShow.code(this);
}
void TCustomForm::DoHide() {
  if (OnHide) OnHide.code(this);
}
void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate.code(this);
}
void TCustomForm::DoDestroy() {
  if (OnDestroy) OnDestroy.code(this);
}
void TCustomForm::Activate() {
  if (active_) return;
  active_ = true;
  if (OnActivate) OnActivate.code(this);
}
void TCustomForm::Deactivate() {
  if (!active_) return;
  active_ = false;
  if (OnDeactivate) OnDeactivate.code(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnCloseProc)
    OnCloseProc(this, action);
  else if (OnClose)
    OnClose.code(this);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQueryProc)
    OnCloseQueryProc(this, canClose);
  else if (OnCloseQuery)
    OnCloseQuery.code(this);
  return canClose;
}

void TCustomForm::SetModalResult(TModalResult r) {
  modalResult_ = r;
  if (r != mrNone && modalLoop_) modalLoop_->quit();
}

void TCustomForm::Close() {
  if (modalLoop_) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Hide();
    Application->FormClosed(this);
    return;
  }
  if (action == caMinimize) {
    SetWindowState(wsMinimized);
    return;
  }
  Hide();
  if (action == caFree) Release();
}

void TCustomForm::Release() {
  // Deleted from the event loop, after the handler that asked returns.
  auto* self = this;
  QObject* context = qApp;
  if (!context) {
    delete self;
    return;
  }
  QMetaObject::invokeMethod(
      context, [self] { delete self; }, Qt::QueuedConnection);
}

int TCustomForm::ShowModal() {
  if (Visible() && Showing()) throw EInvalidOperation("Cannot make a visible window modal");
  modalResult_ = mrNone;
  HandleNeeded();
  Handle()->setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  modalLoop_ = &loop;
  try {
    Show();
    for (;;) {
      if (modalResult_ == mrNone) loop.exec();
      if (Application && Application->Terminated()) {
        modalResult_ = mrCancel;
        break;
      }
      if (modalResult_ == mrNone) continue;
      // Closing a modal form asks the form as Close would.
      TCloseAction action = caNone;
      if (CloseQuery()) {
        action = caHide;
        DoClose(action);
      }
      if (action == caNone) {
        modalResult_ = mrNone;
        continue;
      }
      break;
    }
  } catch (...) {
    modalLoop_ = nullptr;
    throw;
  }
  modalLoop_ = nullptr;
  Hide();
  if (QWidget* w = WidgetIfAllocated()) w->setWindowModality(Qt::NonModal);
  return modalResult_;
}

bool TCustomForm::WidgetEvent(QEvent* e) {
  QWidget* w = WidgetIfAllocated();
  switch (e->type()) {
    case QEvent::Close:
      e->ignore();
      if (!HasState(csDestroying)) Close();
      return true;
    case QEvent::Resize:
      if (w && w->isWindow() && (w->width() != clientWidth_ || w->height() != clientHeight_ + menuBarHeight_) &&
          w->isVisible())
        SetClientSize(w->width(), std::max(0, w->height() - menuBarHeight_));
      return false;
    case QEvent::WindowActivate: Activate(); return false;
    case QEvent::WindowDeactivate: Deactivate(); return false;
    default: return TWinControl::WidgetEvent(e);
  }
}
