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
// TWinControl

const TClassInfo& TWinControl::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TWinControl>("TWinControl", &TControl::StaticClassInfo())
          .SetField("BevelEdges", BevelEdgeEnumInfo(), 15)
          .Protected()
          .EnumField("BevelInner", BevelCutEnumInfo(), bvRaised)
          .Protected()
          .EnumField("BevelKind", BevelKindEnumInfo(), bkNone)
          .Protected()
          .EnumField("BevelOuter", BevelCutEnumInfo(), bvLowered)
          .Protected()
          .IntegerField("BevelWidth", 1)
          .Protected()
          .BoolField("DockSite", false)
          .Protected()
          .BoolField("DoubleBuffered")
          .Protected()
          .EnumField("ImeMode", ImeModeEnumInfo(), imDontCare)
          .Protected()
          .StringField("ImeName")
          .Protected()
          .Object("Padding", &TPadding::StaticClassInfo, &TWinControl::Padding)
          .Protected()
          .BoolField("ParentBackground")
          .Protected()
          .BoolField("ParentDoubleBuffered", true)
          .Protected()
          .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1)
          .Protected()
          .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false)
          .Protected()
          .BoolField("UseDockManager", false)
          .Protected()
          .Event("OnAlignInsertBefore", &TWinControl::OnAlignInsertBefore)
          .Protected()
          .Event("OnAlignPosition", &TWinControl::OnAlignPosition)
          .Protected()
          .Event("OnDockDrop", &TWinControl::OnDockDrop)
          .Protected()
          .Event("OnDockOver", &TWinControl::OnDockOver)
          .Protected()
          .Event("OnEnter", &TWinControl::OnEnter)
          .Protected()
          .Event("OnExit", &TWinControl::OnExit)
          .Protected()
          .Event("OnGetSiteInfo", &TWinControl::OnGetSiteInfo)
          .Protected()
          .Event("OnKeyDown", &TWinControl::OnKeyDown)
          .Protected()
          .Event("OnKeyPress", &TWinControl::OnKeyPress)
          .Protected()
          .Event("OnKeyUp", &TWinControl::OnKeyUp)
          .Protected()
          .Event("OnUnDock", &TWinControl::OnUnDock)
          .Protected()
          .Build();
  return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), padding_(std::make_unique<TPadding>()) {
  padding_->OnChange = [this] { Realign(); };
}

TWinControl::~TWinControl() {
  // Leave the parent while still a windowed control (its tab list).
  if (TWinControl* p = Parent()) p->RemoveControl(this);
  if (g_focused == this) g_focused = nullptr;
  if (ownWidget_) ownWidget_->Detach();
  if (widget_) NativeEventFilter::Instance().Remove(widget_.data());
  // Child controls go with their parent, except those whose owner is on
  // its way out too: they are only let go here, and their owner destroys
  // them (without a removal notice to every sibling).
  std::vector<TControl*> children;
  children.swap(controls_);
  tabList_.clear();
  hovered_ = nullptr;
  for (TControl* c : children) c->parent_ = nullptr;
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    TControl* c = *it;
    TComponent* owner = c->Owner();
    if (owner == this || (owner && owner->HasState(csDestroying))) continue;
    delete c;
  }
  delete widget_.data();
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tabList_.push_back(w);
    if (HandleAllocated()) w->CreateHandle();
  }
  if (!control->HasState(csReading)) {
    if (control->parentColor_) control->color_ = Color();
    if (control->parentCtl3D_) control->ctl3D_ = Ctl3D();
    if (control->parentShowHint_) control->showHint_ = ShowHint();
  }
  ApplyParentFont(control);
  control->UpdateAnchorRules();
  ControlListChanged(control, true);
  if (control->align_ != alNone) Realign(control);
  control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
  if (hovered_ == control) hovered_ = nullptr;
  control->Invalidate();
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    if (TCustomForm* form = GetParentForm(this)) form->ControlDestroying(w);
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
    if (w->widget_ && !HasState(csDestroying)) w->widget_->setParent(nullptr), w->widget_->hide();
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  control->parent_ = nullptr;
  ControlListChanged(control, false);
  if (control->align_ != alNone) Realign();
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!allowWinControls && dynamic_cast<TWinControl*>(c)) continue;
    if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
    if (c->BoundsRect().Contains(p)) return c;
  }
  return nullptr;
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::Broadcast(TMessage& message) {
  for (size_t i = 0; i < controls_.size(); ++i) {
    controls_[i]->WndProc(message);
    if (message.Result != 0) return;
  }
}

// --- handle

QWidget* TWinControl::Handle() {
  HandleNeeded();
  return widget_.data();
}

void TWinControl::HandleNeeded() {
  if (HandleAllocated()) return;
  if (parent_ && !parent_->HandleAllocated()) {
    parent_->HandleNeeded();  // creates ours along with the parent's children
    if (HandleAllocated()) return;
  }
  CreateHandle();
}

void TWinControl::CreateHandle() {
  if (!HandleAllocated()) CreateWnd();
  // In child-list order, so that the Qt stacking order is the same.
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && !w->HandleAllocated()) w->CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = Text();
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (HasStyle(csAcceptsControls)) params.Style |= WS_CLIPCHILDREN;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (TabStop()) params.Style |= WS_TABSTOP;
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
  params.WndParent = parent_;
}

QWidget* TWinControl::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  auto* w = new TControlWidget(this, parentWidget, Qt::WindowFlags(params.windowFlags));
  ownWidget_ = w;
  return w;
}

void TWinControl::CreateWnd() {
  controlState_ |= csCreating;
  TCreateParams params;
  CreateParams(params);
  QWidget* parentWidget = parent_ ? parent_->Handle() : nullptr;
  ownWidget_ = nullptr;
  QWidget* w = CreateWindowHandle(params, parentWidget);
  widget_ = w;
  if (!ownWidget_ || static_cast<QWidget*>(ownWidget_.data()) != w) {
    ownWidget_ = nullptr;
    w->installEventFilter(&NativeEventFilter::Instance());
    NativeEventFilter::Instance().Add(w, this);
  }
  // Qt hands a parent's font and palette down to its children: only a font
  // of one's own needs setting, and only windows set the system colours.
  if (!parent_ || !ParentFont()) w->setFont(Font()->ToQFont());
  if (w->isWindow()) {
    UseClassicLook();
    w->setPalette(SystemColorsPalette());
  }
  UpdateWidget();
  controlState_ &= ~csCreating;
}

void TWinControl::DestroyWnd() {
  if (!widget_) return;
  controlState_ |= csDestroyingHandle;
  for (TWinControl* w : tabList_) w->DestroyWnd();
  if (ownWidget_) ownWidget_->Detach();
  NativeEventFilter::Instance().Remove(widget_.data());
  delete widget_.data();
  controlState_ &= ~csDestroyingHandle;
}

// Shows or hides a child widget only when Qt would not already do as asked:
// setVisible costs a round of events even when nothing changes, and a child
// never shown or hidden by hand appears with its parent anyway.
static void SyncChildVisibility(QWidget* w, bool visible) {
  const bool explicitlySet = w->testAttribute(Qt::WA_WState_ExplicitShowHide);
  if (visible) {
    QWidget* parent = w->parentWidget();
    const bool appearsWithParent = !explicitlySet && parent && !parent->isVisible();
    if (w->isHidden() && !appearsWithParent) w->setVisible(true);
  } else if (!(w->isHidden() && explicitlySet)) {
    w->setVisible(false);
  }
}

void TWinControl::UpdateWidget() {
  QWidget* w = widget_.data();
  if (!w) return;
  if (!w->isWindow()) {
    const TPoint o = parent_ ? parent_->WidgetClientOrigin() : TPoint{0, 0};
    w->setGeometry(left_ + o.X, top_ + o.Y, width_, height_);
    SyncChildVisibility(w, Visible());
  }
  if (w->isEnabled() != Enabled()) w->setEnabled(Enabled());
  if (Cursor() != crDefault)
    w->setCursor(QtCursorOf(Cursor()));
  else if (w->testAttribute(Qt::WA_SetCursor))
    w->unsetCursor();
}

void TWinControl::BoundsChanged(const TRect& oldBounds) {
  (void)oldBounds;
  UpdateWidget();
}

bool TWinControl::Showing() const {
  if (!Visible()) return false;
  if (!parent_) return widget_ && widget_->isVisible();
  return parent_->Showing();
}

void TWinControl::SetBounds(int left, int top, int width, int height) { TControl::SetBounds(left, top, width, height); }

void TWinControl::Invalidate() {
  if (widget_) widget_->update();
}
void TWinControl::Update() {
  if (widget_ && widget_->isVisible()) widget_->repaint();
}
void TWinControl::Repaint() {
  Invalidate();
  Update();
}

// --- painting

// The buffer holds the part of the client area whose top-left is the
// exposed origin (taken once: a buffer painted from anywhere else starts at
// the client's top-left). Only what is exposed is painted, so the work
// follows the visible area, not the size the form declares.
void TWinControl::PaintHandler(QImage& buffer) {
  const TPoint origin = std::exchange(exposedOrigin, TPoint{0, 0});
  if (buffer.format() != QImage::Format_RGB32) buffer = buffer.convertToFormat(QImage::Format_RGB32);
  if (!HasStyle(csOpaque)) buffer.fill(ColorToPixel(Color()));
  TCanvas* canvas = ControlCanvas();
  canvas->Attach(&buffer);
  canvas->SetOrigin({-origin.X, -origin.Y});
  canvas->ResetClip();
  PaintWindow(*canvas);
  canvas->Detach();
  PaintControls(*canvas, buffer);
}

// The graphic children that overlap the buffer, each on its own origin; the
// buffer's place in the client area is the canvas's origin, negated.
void TWinControl::PaintControls(TCanvas& canvas, const QImage& image) {
  QImage& buffer = const_cast<QImage&>(image);
  const TPoint origin{-canvas.Origin().X, -canvas.Origin().Y};
  TRect shown = Bounds(origin.X, origin.Y, buffer.width(), buffer.height());
  for (TControl* c : controls_) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g || !g->Visible() || g->width_ <= 0 || g->height_ <= 0) continue;
    TRect overlap;
    if (!IntersectRect(overlap, shown, g->BoundsRect())) continue;  // nothing of it shows
    TCanvas* gc = g->ControlCanvas();
    gc->Attach(&buffer);
    gc->ResetClip();
    gc->SetOrigin({g->left_ - origin.X, g->top_ - origin.Y});
    gc->SetClipRect(Rect(0, 0, g->width_, g->height_));
    g->Paint();
    gc->Detach();
  }
}

void TWinControl::PaintTo(QImage& image) {
  image = QImage(std::max(1, width_), std::max(1, height_), QImage::Format_RGB32);
  PaintHandler(image);
}

// --- dispatch

void TWinControl::DefaultMsg(TWMNoParams& msg) {
  TMessage m{msg.Msg, 0, 0, msg.Result};
  DefaultHandler(m);
  msg.Result = m.Result;
}

void TWinControl::Dispatch(TMessage& m) {
  auto key = [&m]() {
    TWMKey k;
    k.Msg = m.Msg;
    k.CharCode = Word(m.WParam);
    k.KeyData = int32_t(m.LParam);
    return k;
  };
  auto noParams = [&m]() {
    TWMNoParams r;
    r.Msg = m.Msg;
    return r;
  };
  switch (m.Msg) {
    case WM_SETFOCUS: {
      TWMSetFocus r;
      r.FocusedWnd = reinterpret_cast<TWinControl*>(m.WParam);
      WMSetFocus(r);
      m.Result = r.Result;
      return;
    }
    case WM_KILLFOCUS: {
      TWMKillFocus r;
      r.FocusedWnd = reinterpret_cast<TWinControl*>(m.WParam);
      WMKillFocus(r);
      m.Result = r.Result;
      return;
    }
#define TESSALY_KEYMSG(ID, Handler) \
  case ID: {                        \
    TWMKey r = key();               \
    Handler(r);                     \
    m.WParam = r.CharCode;          \
    m.Result = r.Result;            \
    return;                         \
  }
      TESSALY_KEYMSG(WM_KEYDOWN, WMKeyDown)
      TESSALY_KEYMSG(WM_KEYUP, WMKeyUp)
      TESSALY_KEYMSG(WM_CHAR, WMChar)
      TESSALY_KEYMSG(WM_SYSKEYDOWN, WMSysKeyDown)
      TESSALY_KEYMSG(WM_SYSKEYUP, WMSysKeyUp)
      TESSALY_KEYMSG(WM_SYSCHAR, WMSysChar)
      TESSALY_KEYMSG(CM_DIALOGKEY, CMDialogKey)
      TESSALY_KEYMSG(CM_DIALOGCHAR, CMDialogChar)
      TESSALY_KEYMSG(CM_CHILDKEY, CMChildKey)
      TESSALY_KEYMSG(CM_WANTSPECIALKEY, CMWantSpecialKey)
#undef TESSALY_KEYMSG
#define TESSALY_NOPARAMS(ID, Handler) \
  case ID: {                          \
    TWMNoParams r = noParams();       \
    Handler(r);                       \
    m.Result = r.Result;              \
    return;                           \
  }
      TESSALY_NOPARAMS(WM_GETDLGCODE, WMGetDlgCode)
      TESSALY_NOPARAMS(WM_PASTE, WMPaste)
      TESSALY_NOPARAMS(WM_CUT, WMCut)
      TESSALY_NOPARAMS(WM_COPY, WMCopy)
      TESSALY_NOPARAMS(WM_CLEAR, WMClear)
      TESSALY_NOPARAMS(WM_UNDO, WMUndo)
      TESSALY_NOPARAMS(CM_ENTER, CMEnter)
      TESSALY_NOPARAMS(CM_EXIT, CMExit)
#undef TESSALY_NOPARAMS
    default: TControl::Dispatch(m); return;
  }
}

void TWinControl::WMSetFocus(TWMSetFocus& msg) {
  (void)msg;
  if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
}
void TWinControl::WMKillFocus(TWMKillFocus& msg) { (void)msg; }
void TWinControl::WMGetDlgCode(TWMGetDlgCode& msg) { msg.Result = StockDialogCode(ClassInfo()); }
void TWinControl::CMEnter(TCMEnter&) { DoEnter(); }
void TWinControl::CMExit(TCMExit&) { DoExit(); }

void TWinControl::CMDialogKey(TCMDialogKey& msg) {
  TMessage m{msg.Msg, msg.CharCode, msg.KeyData, 0};
  Broadcast(m);
  msg.Result = m.Result;
}
void TWinControl::CMDialogChar(TCMDialogChar& msg) {
  TMessage m{msg.Msg, msg.CharCode, msg.KeyData, 0};
  Broadcast(m);
  msg.Result = m.Result;
}
void TWinControl::CMChildKey(TWMKey& msg) {
  if (parent_) msg.Result = parent_->Perform(CM_CHILDKEY, msg.CharCode, msg.KeyData);
}

void TWinControl::CMEnabledChanged(TMessage& msg) {
  if (!Enabled() && g_focused && ContainsControl(g_focused)) {
    if (TCustomForm* f = GetParentForm(this)) f->ControlDestroying(g_focused);
  }
  if (widget_) widget_->setEnabled(Enabled());
  TControl::CMEnabledChanged(msg);
}
void TWinControl::CMVisibleChanged(TMessage& msg) {
  if (widget_ && !widget_->isWindow()) widget_->setVisible(Visible());
  (void)msg;
}
void TWinControl::CMFontChanged(TMessage& msg) {
  if (widget_ && (!parent_ || !ParentFont())) widget_->setFont(Font()->ToQFont());
  TControl::CMFontChanged(msg);
  TMessage m{CM_PARENTFONTCHANGED};
  Broadcast(m);
}
void TWinControl::CMColorChanged(TMessage& msg) {
  TControl::CMColorChanged(msg);
  TMessage m{CM_PARENTCOLORCHANGED};
  Broadcast(m);
}
void TWinControl::CMTextChanged(TMessage& msg) { TControl::CMTextChanged(msg); }
