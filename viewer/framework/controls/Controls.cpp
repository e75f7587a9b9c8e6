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
// Type information of the enumerations

const TEnumInfo& AlignEnumInfo() {
  static const TEnumInfo e{"TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"}};
  return e;
}
const TEnumInfo& AnchorKindEnumInfo() {
  static const TEnumInfo e{"TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"}};
  return e;
}
const TEnumInfo& HelpTypeEnumInfo() {
  static const TEnumInfo e{"THelpType", {"htKeyword", "htContext"}};
  return e;
}
const TEnumInfo& BiDiModeEnumInfo() {
  static const TEnumInfo e{
      "TBiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"}};
  return e;
}
const TEnumInfo& DragModeEnumInfo() {
  static const TEnumInfo e{"TDragMode", {"dmManual", "dmAutomatic"}};
  return e;
}
const TEnumInfo& DragKindEnumInfo() {
  static const TEnumInfo e{"TDragKind", {"dkDrag", "dkDock"}};
  return e;
}
const TEnumInfo& StyleElementEnumInfo() {
  static const TEnumInfo e{"TStyleElements", {"seFont", "seClient", "seBorder"}};
  return e;
}
const TEnumInfo& BevelCutEnumInfo() {
  static const TEnumInfo e{"TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}};
  return e;
}
const TEnumInfo& ScrollStyleEnumInfo() {
  static const TEnumInfo e{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
  return e;
}
const TEnumInfo& AlignmentEnumInfo() {
  static const TEnumInfo e{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
  return e;
}
const TEnumInfo& BevelEdgeEnumInfo() {
  static const TEnumInfo e{"TBevelEdge", {"beLeft", "beTop", "beRight", "beBottom"}};
  return e;
}
const TEnumInfo& BevelKindEnumInfo() {
  static const TEnumInfo e{"TBevelKind", {"bkNone", "bkTile", "bkSoft", "bkFlat"}};
  return e;
}
const TEnumInfo& ImeModeEnumInfo() {
  static const TEnumInfo e{
      "TImeMode",
      {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira", "imSKata", "imKata",
       "imChinese", "imSHanguel", "imHanguel"}};
  return e;
}

// ---------------------------------------------------------------------------
// TControl

const TClassInfo& TControl::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TControl>("TControl", &TComponent::StaticClassInfo())
          // Always published: with Name and Tag these are the base eleven.
          .Integer("Left", &TControl::Left, &TControl::SetLeft)
          .Integer("Top", &TControl::Top, &TControl::SetTop)
          .Integer("Width", &TControl::Width, &TControl::SetWidth)
          .Integer("Height", &TControl::Height, &TControl::SetHeight)
          .Integer("Cursor", &TControl::Cursor, &TControl::SetCursor, 0, &CursorIdents())
          .String("Hint", &TControl::Hint, &TControl::SetHint)
          .Enum("HelpType", HelpTypeEnumInfo(), &TControl::HelpType, &TControl::SetHelpType, htContext)
          .String("HelpKeyword", &TControl::HelpKeyword, &TControl::SetHelpKeyword)
          .Integer("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext, 0)
          // Newer designers record the bounds before alignment; accepted,
          // never stored.
          .IntegerField("ExplicitLeft")
          .StoredWhen([](const TControl*) { return false; })
          .IntegerField("ExplicitTop")
          .StoredWhen([](const TControl*) { return false; })
          .IntegerField("ExplicitWidth")
          .StoredWhen([](const TControl*) { return false; })
          .IntegerField("ExplicitHeight")
          .StoredWhen([](const TControl*) { return false; })
          // For descendants to publish.
          .Enum("Align", AlignEnumInfo(), &TControl::Align, &TControl::SetAlign, alNone)
          .Protected()
          .Bool("AlignWithMargins", &TControl::AlignWithMargins, &TControl::SetAlignWithMargins, false)
          .Protected()
          .Set("Anchors", AnchorKindEnumInfo(), &TControl::Anchors, &TControl::SetAnchors, kDefaultAnchors)
          .Protected()
          .Bool("AutoSize", &TControl::AutoSize, &TControl::SetAutoSize, false)
          .Protected()
          .Enum("BiDiMode", BiDiModeEnumInfo(), &TControl::BiDiMode, &TControl::SetBiDiMode, bdLeftToRight)
          .Protected()
          .String("Caption", &TControl::Caption, &TControl::SetCaption)
          .Protected()
          .Color("Color", &TControl::Color, &TControl::SetColor, clWindow)
          .Protected()
          .StoredWhen([](const TControl* c) { return !c->ParentColor(); })
          .Object("Constraints", &TSizeConstraints::StaticClassInfo, &TControl::Constraints)
          .Protected()
          .Bool("Ctl3D", &TControl::Ctl3D, &TControl::SetCtl3D)
          .Protected()
          .StoredWhen([](const TControl* c) { return !c->ParentCtl3D(); })
          .IntegerField("DragCursor", crDrag, &CursorIdents())
          .Protected()
          .EnumField("DragKind", DragKindEnumInfo(), dkDrag)
          .Protected()
          .EnumField("DragMode", DragModeEnumInfo(), dmManual)
          .Protected()
          .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
          .Protected()
          .Object("Font", &TFont::StaticClassInfo, &TControl::Font)
          .Protected()
          .StoredWhen([](const TControl* c) { return !c->ParentFont(); })
          .Object("Margins", &TMargins::StaticClassInfo, &TControl::Margins)
          .Protected()
          .Bool("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode, true)
          .Protected()
          .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true)
          .Protected()
          .Bool("ParentCtl3D", &TControl::ParentCtl3D, &TControl::SetParentCtl3D, true)
          .Protected()
          .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
          .Protected()
          .Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true)
          .Protected()
          .Reference("PopupMenu", &TComponent::StaticClassInfo, &TControl::PopupMenu,
                     [](TControl* c, TPersistent* v) { c->SetPopupMenu(dynamic_cast<TComponent*>(v)); })
          .Protected()
          .Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
          .Protected()
          .StoredWhen([](const TControl* c) { return !c->ParentShowHint(); })
          .Set("StyleElements", StyleElementEnumInfo(), &TControl::StyleElements, &TControl::SetStyleElements,
               kAllStyleElements)
          .Protected()
          .Reference("CustomHint", &TComponent::StaticClassInfo, &TControl::CustomHint,
                     [](TControl* c, TPersistent* v) { c->SetCustomHint(dynamic_cast<TComponent*>(v)); })
          .Protected()
          .BoolField("ParentCustomHint", true)
          .Protected()
          .StringField("StyleName")
          .Protected()
          .Object("Touch", &TTouchManager::StaticClassInfo, &TControl::Touch)
          .Protected()
          .String("Text", &TControl::Text, &TControl::SetText)
          .Protected()
          .Bool("Visible", &TControl::Visible, &TControl::SetVisible, true)
          .Protected()
          .Event("OnCanResize", &TControl::OnCanResize)
          .Protected()
          .Event("OnClick", &TControl::OnClick)
          .Protected()
          .Event("OnConstrainedResize", &TControl::OnConstrainedResize)
          .Protected()
          .Event("OnContextPopup", &TControl::OnContextPopup)
          .Protected()
          .Event("OnDblClick", &TControl::OnDblClick)
          .Protected()
          .Event("OnDragDrop", &TControl::OnDragDrop)
          .Protected()
          .Event("OnDragOver", &TControl::OnDragOver)
          .Protected()
          .Event("OnEndDock", &TControl::OnEndDock)
          .Protected()
          .Event("OnEndDrag", &TControl::OnEndDrag)
          .Protected()
          .Event("OnGesture", &TControl::OnGesture)
          .Protected()
          .Event("OnMouseActivate", &TControl::OnMouseActivate)
          .Protected()
          .Event("OnMouseDown", &TControl::OnMouseDown)
          .Protected()
          .Event("OnMouseEnter", &TControl::OnMouseEnter)
          .Protected()
          .Event("OnMouseLeave", &TControl::OnMouseLeave)
          .Protected()
          .Event("OnMouseMove", &TControl::OnMouseMove)
          .Protected()
          .Event("OnMouseUp", &TControl::OnMouseUp)
          .Protected()
          .Event("OnMouseWheel", &TControl::OnMouseWheel)
          .Protected()
          .Event("OnMouseWheelDown", &TControl::OnMouseWheelDown)
          .Protected()
          .Event("OnMouseWheelUp", &TControl::OnMouseWheelUp)
          .Protected()
          .Event("OnResize", &TControl::OnResize)
          .Protected()
          .Event("OnStartDock", &TControl::OnStartDock)
          .Protected()
          .Event("OnStartDrag", &TControl::OnStartDrag)
          .Protected()
          .Build();
  return info;
}

TControl::TControl(TComponent* owner)
    : TComponent(owner),
      font_(std::make_unique<TFont>()),
      constraints_(std::make_unique<TSizeConstraints>()),
      margins_(std::make_unique<TMargins>()) {
  font_->OnChange = [this] { FontOnChange(); };
  constraints_->OnChange = [this] { ConstraintsChanged(); };
  margins_->OnChange = [this] {
    if (alignWithMargins_) RequestAlign();
  };
}

TTouchManager* TControl::Touch() const {
  if (!touch_) touch_ = std::make_unique<TTouchManager>();
  return touch_.get();
}

TControl::~TControl() {
  if (g_capture == this) g_capture = nullptr;
  if (parent_) {
    if (TCustomForm* form = GetParentForm(this)) form->ControlDestroying(this);
    parent_->RemoveControl(this);
  }
  font_->OnChange = nullptr;
}

void TControl::ConstrainedResize(int& width, int& height) { constraints_->Apply(width, height); }

void TControl::ConstraintsChanged() {
  if (HasState(csLoading)) return;
  SetBounds(left_, top_, width_, height_);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  ConstrainedResize(width, height);
  const bool fromLayout = layoutMove_;
  if (left == left_ && top == top_ && width == width_ && height == height_) {
    if (!fromLayout) UpdateAnchorRules();
    return;
  }
  const TRect old = BoundsRect();
  const bool sized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  BoundsChanged(old);
  if (!fromLayout) UpdateAnchorRules();
  if (sized) SendSizeMessage();
  if (!fromLayout && align_ != alNone) RequestAlign();
}

void TControl::SendSizeMessage() {
  const TRect client = GetClientRect();
  Perform(
      WM_SIZE, SIZE_RESTORED,
      MakeLParam(uint16_t(std::clamp(client.Width(), 0, 0xFFFF)), uint16_t(std::clamp(client.Height(), 0, 0xFFFF))));
}

void TControl::SetBoundsFromLayout(int left, int top, int width, int height) {
  const bool saved = layoutMove_;
  layoutMove_ = true;
  try {
    SetBounds(left, top, width, height);
  } catch (...) {
    layoutMove_ = saved;
    throw;
  }
  layoutMove_ = saved;
}

void TControl::BoundsChanged(const TRect& oldBounds) {
  // A graphic control repaints the parent where it was and where it is.
  UpdateParentArea(oldBounds);
  UpdateParentArea(BoundsRect());
}

TRect TControl::GetClientRect() const { return Rect(0, 0, width_, height_); }

void TControl::SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
void TControl::SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
void TControl::SetClientSize(int width, int height) {
  const TRect c = GetClientRect();
  auto clamp = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  SetBounds(left_, top_, clamp(int64_t(width_) + width - c.Width()), clamp(int64_t(height_) + height - c.Height()));
}

TPoint TControl::ClientOrigin() const {
  if (!parent_) {
    // A form's window may hold a menu bar above its client area.
    const auto* self = dynamic_cast<const TWinControl*>(this);
    const TPoint o = self ? self->WidgetClientOrigin() : TPoint{0, 0};
    return {left_ + o.X, top_ + o.Y};
  }
  const TPoint p = parent_->ClientOrigin();
  return {p.X + left_, p.Y + top_};
}
TPoint TControl::ClientToScreen(TPoint p) const {
  TPoint o = ClientOrigin();
  return {p.X + o.X, p.Y + o.Y};
}
TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint o = ClientOrigin();
  return {p.X - o.X, p.Y - o.Y};
}

void TControl::UpdateAnchorRules() {
  if (!parent_) {
    anchorRules_.valid = false;
    return;
  }
  const TRect pc = parent_->GetClientRect();
  anchorRules_ = {true, pc.Width(), pc.Height(), left_, top_, width_, height_};
}

void TControl::RequestAlign() {
  if (parent_) parent_->Realign(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* w = dynamic_cast<TWinControl*>(parent)) SetParent(w);
}
TComponent* TControl::GetParentComponent() const { return parent_; }

bool TControl::ParentHandleAllocated() const { return parent_ && parent_->HandleAllocated(); }

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetVisible(bool v) {
  if (visible_ == v) return;
  VisibleChanging();
  visible_ = v;
  Perform(CM_VISIBLECHANGED, v ? 1 : 0);
  RequestAlign();
}

void TControl::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::BringToFront() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.push_back(this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated()) w->Handle()->raise();
  Invalidate();
}

void TControl::SendToBack() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.insert(list.begin(), this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated()) w->Handle()->lower();
  Invalidate();
}

void TControl::SetColor(TColor c) {
  if (c == color_ && !parentColor_) return;
  color_ = c;
  parentColor_ = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
  if (parentColor_ == v) return;
  parentColor_ = v;
  if (v && parent_ && !HasState(csReading)) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetFont(TFont* font) {
  if (font) font_->Assign(*font);
}

void TControl::FontOnChange() {
  if (!applyingParentFont_) parentFont_ = false;
  Perform(CM_FONTCHANGED);
}

void ApplyParentFont(TControl* c) {
  if (!c->parentFont_ || !c->parent_) return;
  c->applyingParentFont_ = true;
  c->font_->Assign(*c->parent_->Font());
  c->applyingParentFont_ = false;
}

void TControl::SetParentFont(bool v) {
  if (parentFont_ == v) return;
  parentFont_ = v;
  if (v && parent_ && !HasState(csReading)) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged() {}

void TControl::SetCtl3D(bool v) {
  ctl3D_ = v;
  parentCtl3D_ = false;
  Perform(CM_CTL3DCHANGED);
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    TMessage m{CM_PARENTCTL3DCHANGED};
    w->Broadcast(m);
  }
}
void TControl::SetParentCtl3D(bool v) {
  if (parentCtl3D_ == v) return;
  parentCtl3D_ = v;
  if (v && parent_ && !HasState(csReading)) Perform(CM_PARENTCTL3DCHANGED);
}

void TControl::SetShowHint(bool v) {
  showHint_ = v;
  parentShowHint_ = false;
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    TMessage m{CM_PARENTSHOWHINTCHANGED};
    w->Broadcast(m);
  }
}
void TControl::SetParentShowHint(bool v) {
  if (parentShowHint_ == v) return;
  parentShowHint_ = v;
  if (v && parent_ && !HasState(csReading)) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor c) {
  if (cursor_ == c) return;
  cursor_ = c;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TComponent* menu) {
  if (popupMenu_ == menu) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (menu) menu->FreeNotification(this);
}

void TControl::SetCustomHint(TComponent* c) {
  if (customHint_ == c) return;
  if (customHint_) customHint_->RemoveFreeNotification(this);
  customHint_ = c;
  if (c) c->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove) {
    if (component == popupMenu_) popupMenu_ = nullptr;
    if (component == customHint_) customHint_ = nullptr;
  }
}

void TControl::SetAlignWithMargins(bool v) {
  if (alignWithMargins_ == v) return;
  alignWithMargins_ = v;
  RequestAlign();
}

void TControl::SetAlign(TAlign a) {
  if (align_ == a) return;
  const TAlign old = align_;
  align_ = a;
  anchors_ = (a == alNone || a == alCustom) ? anchors_ : kDefaultAnchors;
  if (a == alNone && old != alNone) UpdateAnchorRules();
  RequestAlign();
}

void TControl::SetAnchors(TAnchors a) {
  if (anchors_ == a) return;
  anchors_ = a;
  UpdateAnchorRules();
}

void TControl::SetText(const std::string& v) {
  if (text_ == v) return;
  text_ = v;
  Perform(CM_TEXTCHANGED);
}

QString TControl::DisplayText() const { return font_->Decode(text_); }

void TControl::UpdateParentArea(const TRect& r) const {
  if (QWidget* w = parent_ ? parent_->WidgetIfAllocated() : nullptr) {
    const TPoint o = parent_->WidgetClientOrigin();
    w->update(QRect(r.Left + o.X, r.Top + o.Y, r.Width(), r.Height()));
  }
}

void TControl::Invalidate() { UpdateParentArea(BoundsRect()); }
void TControl::Update() {
  if (parent_) parent_->Update();
}
void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Click() {
  if (OnClick) OnClick.code(this);
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick.code(this);
}

bool TControl::MouseCapture() const { return g_capture == this; }
void TControl::SetMouseCapture(bool v) {
  if (v)
    g_capture = this;
  else if (g_capture == this)
    g_capture = nullptr;
}

TCanvas* TControl::ControlCanvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>();
  return canvas_.get();
}

QWidget* TControl::Surface() const { return parent_ ? parent_->WidgetIfAllocated() : nullptr; }

// --- messages

LRESULT TControl::Perform(uint32_t msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& message) { Dispatch(message); }

template <class Rec>
static Rec MouseRec(const TMessage& m) {
  Rec r;
  r.Msg = m.Msg;
  r.Keys = uint32_t(m.WParam);
  r.XPos = int16_t(LoWord(uintptr_t(m.LParam)));
  r.YPos = int16_t(HiWord(uintptr_t(m.LParam)));
  return r;
}

void TControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE: {
      TWMSize r;
      r.SizeType = uint32_t(m.WParam);
      r.Width = LoWord(uintptr_t(m.LParam));
      r.Height = HiWord(uintptr_t(m.LParam));
      WMSize(r);
      m.Result = r.Result;
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE: {
      TWMMouse r = MouseRec<TWMMouse>(m);
      switch (m.Msg) {
        case WM_LBUTTONDOWN: WMLButtonDown(r); break;
        case WM_LBUTTONUP: WMLButtonUp(r); break;
        case WM_LBUTTONDBLCLK: WMLButtonDblClk(r); break;
        case WM_RBUTTONDOWN: WMRButtonDown(r); break;
        case WM_RBUTTONUP: WMRButtonUp(r); break;
        case WM_RBUTTONDBLCLK: WMRButtonDblClk(r); break;
        case WM_MBUTTONDOWN: WMMButtonDown(r); break;
        case WM_MBUTTONUP: WMMButtonUp(r); break;
        case WM_MBUTTONDBLCLK: WMMButtonDblClk(r); break;
        default: WMMouseMove(r); break;
      }
      m.Result = r.Result;
      return;
    }
    case WM_CANCELMODE: WMCancelMode(m); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); return;
    case CM_COLORCHANGED: CMColorChanged(m); return;
    case CM_FONTCHANGED: CMFontChanged(m); return;
    case CM_TEXTCHANGED: CMTextChanged(m); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(m); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(m); return;
    case CM_PARENTCTL3DCHANGED: CMParentCtl3DChanged(m); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(m); return;
    case CM_MOUSEENTER: CMMouseEnter(m); return;
    case CM_MOUSELEAVE: CMMouseLeave(m); return;
    case CM_CURSORCHANGED: CMCursorChanged(m); return;
    case CM_HINTSHOW: CMHintShow(m); return;
    default: DefaultHandler(m); return;
  }
}

void TControl::WMSize(TWMSize& msg) {
  (void)msg;
  if (!HasState(csLoading)) Resize();
}

void TControl::Resize() {
  if (OnResize) OnResize.code(this);
}

void TControl::DoMouseDown(TWMMouse& msg, TMouseButton button, TShiftState extra) {
  if (HasStyle(csNoStdEvents)) return;
  MouseDown(button, TShiftState(ShiftOfKeys(msg.Keys) | extra), msg.XPos, msg.YPos);
}
void TControl::DoMouseUp(TWMMouse& msg, TMouseButton button) {
  if (HasStyle(csNoStdEvents)) return;
  MouseUp(button, ShiftOfKeys(msg.Keys), msg.XPos, msg.YPos);
}

void TControl::WMLButtonDown(TWMMouse& msg) {
  if (HasStyle(csCaptureMouse)) SetMouseCapture(true);
  if (HasStyle(csClickEvents)) controlState_ |= csClicked;
  controlState_ |= csLButtonDown;
  DoMouseDown(msg, mbLeft, 0);
}
void TControl::WMLButtonDblClk(TWMMouse& msg) {
  if (HasStyle(csCaptureMouse)) SetMouseCapture(true);
  if (HasStyle(csClickEvents)) DblClick();
  DoMouseDown(msg, mbLeft, ShiftOf(ssDouble));
}
void TControl::WMLButtonUp(TWMMouse& msg) {
  if (HasStyle(csCaptureMouse)) SetMouseCapture(false);
  controlState_ &= ~csLButtonDown;
  if (controlState_ & csClicked) {
    controlState_ &= ~csClicked;
    if (ClientRect().Contains({msg.XPos, msg.YPos})) Click();
  }
  DoMouseUp(msg, mbLeft);
}
void TControl::WMRButtonDown(TWMMouse& msg) { DoMouseDown(msg, mbRight, 0); }
void TControl::WMRButtonUp(TWMMouse& msg) { DoMouseUp(msg, mbRight); }
void TControl::WMRButtonDblClk(TWMMouse& msg) { DoMouseDown(msg, mbRight, ShiftOf(ssDouble)); }
void TControl::WMMButtonDown(TWMMouse& msg) { DoMouseDown(msg, mbMiddle, 0); }
void TControl::WMMButtonUp(TWMMouse& msg) { DoMouseUp(msg, mbMiddle); }
void TControl::WMMButtonDblClk(TWMMouse& msg) { DoMouseDown(msg, mbMiddle, ShiftOf(ssDouble)); }
void TControl::WMMouseMove(TWMMouse& msg) {
  if (HasStyle(csNoStdEvents)) return;
  MouseMove(ShiftOfKeys(msg.Keys), msg.XPos, msg.YPos);
}
void TControl::WMCancelMode(TMessage& msg) {
  (void)msg;
  SetMouseCapture(false);
  controlState_ &= ~(csClicked | csLButtonDown);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDownProc)
    OnMouseDownProc(this, button, shift, x, y);
  else if (OnMouseDown)
    OnMouseDown.code(this);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMoveProc)
    OnMouseMoveProc(this, shift, x, y);
  else if (OnMouseMove)
    OnMouseMove.code(this);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUpProc)
    OnMouseUpProc(this, button, shift, x, y);
  else if (OnMouseUp)
    OnMouseUp.code(this);
}

void TControl::ContextPopup(TPoint pos, bool& handled) {
  if (OnContextPopupProc)
    OnContextPopupProc(this, pos, handled);
  else if (OnContextPopup)
    OnContextPopup.code(this);
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMVisibleChanged(TMessage&) { UpdateParentArea(BoundsRect()); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) {
  FontChanged();
  Invalidate();
}
void TControl::CMTextChanged(TMessage&) { Invalidate(); }
void TControl::CMParentColorChanged(TMessage&) {
  if (parentColor_ && parent_) {
    color_ = parent_->Color();
    Perform(CM_COLORCHANGED);
  }
}
void TControl::CMParentFontChanged(TMessage&) { ApplyParentFont(this); }
void TControl::CMParentCtl3DChanged(TMessage&) {
  if (parentCtl3D_ && parent_) {
    ctl3D_ = parent_->Ctl3D();
    Perform(CM_CTL3DCHANGED);
  }
}
void TControl::CMParentShowHintChanged(TMessage&) {
  if (parentShowHint_ && parent_) showHint_ = parent_->ShowHint();
}
void TControl::CMMouseEnter(TMessage&) {
  if (OnMouseEnter) OnMouseEnter.code(this);
}
void TControl::CMMouseLeave(TMessage&) {
  if (OnMouseLeave) OnMouseLeave.code(this);
}
void TControl::CMCursorChanged(TMessage&) {}
void TControl::CMHintShow(TMessage&) {}

// --- scaling and streaming

void TControl::ChangeScale(int m, int d) {
  if (m == d) return;
  const int l = MulDiv(left_, m, d), t = MulDiv(top_, m, d);
  const int w = MulDiv(left_ + width_, m, d) - l;
  const int h = MulDiv(top_ + height_, m, d) - t;
  TSizeConstraints& c = *constraints_;
  auto scale = [&](int v) { return v > 0 ? MulDiv(v, m, d) : v; };
  c.OnChange = nullptr;
  c.SetMinWidth(scale(c.MinWidth()));
  c.SetMaxWidth(scale(c.MaxWidth()));
  c.SetMinHeight(scale(c.MinHeight()));
  c.SetMaxHeight(scale(c.MaxHeight()));
  c.OnChange = [this] { ConstraintsChanged(); };
  SetBounds(l, t, w, h);
  if (!parentFont_) {
    font_->SetHeight(MulDiv(font_->Height(), m, d));
    parentFont_ = false;
  }
}

void TControl::Loaded() {
  TComponent::Loaded();
  // Inherit from the parent what the form did not set.
  if (parent_) {
    if (parentColor_) color_ = parent_->Color();
    if (parentCtl3D_) ctl3D_ = parent_->Ctl3D();
    if (parentShowHint_) showHint_ = parent_->ShowHint();
    ApplyParentFont(this);
  }
  UpdateAnchorRules();
}

void TControl::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  // The designer's client size at design time, kept for anchored controls.
  filer.DefineProperty(
      "DesignSize",
      [this](const TFormNode& v) {
        designSize_.clear();
        for (const TFormNode& n : v.list)
          if (n.IsInteger()) designSize_.push_back(int32_t(n.integer));
      },
      [this]() {
        TFormNode n;
        n.type = TValueType::vaList;
        for (int32_t v : designSize_) n.list.push_back(TFormNode::Integer(v));
        return n;
      },
      !designSize_.empty());
  // Forms designed to be placed as a control (the designer's about box among
  // them) store this flag on their controls. It changes nothing in a preview.
  filer.DefineProperty(
      "IsControl",
      [](const TFormNode& v) {
        if (v.type != TValueType::vaTrue && v.type != TValueType::vaFalse) throw EReadError("Invalid property value");
      },
      nullptr, false);
}

// ---------------------------------------------------------------------------
// TGraphicControl and TCustomControl

const TClassInfo& TGraphicControl::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TGraphicControl>("TGraphicControl", &TControl::StaticClassInfo()).Build();
  return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

const TClassInfo& TCustomControl::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomControl>("TCustomControl", &TWinControl::StaticClassInfo()).Build();
  return info;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(TCanvas& canvas) {
  (void)canvas;
  Paint();
}
