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

const TEnumInfo& FormBorderStyleEnumInfo() {
  static const TEnumInfo e{
      "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
  return e;
}
const TEnumInfo& BorderIconEnumInfo() {
  static const TEnumInfo e{"TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
  return e;
}
const TEnumInfo& PositionEnumInfo() {
  static const TEnumInfo e{
      "TPosition",
      {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter",
       "poMainFormCenter", "poOwnerFormCenter"}};
  return e;
}
const TEnumInfo& WindowStateEnumInfo() {
  static const TEnumInfo e{"TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"}};
  return e;
}
const TEnumInfo& FormStyleEnumInfo() {
  static const TEnumInfo e{"TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};
  return e;
}
static const TEnumInfo& PrintScaleEnumInfo() {
  static const TEnumInfo e{"TPrintScale", {"poNone", "poProportional", "poPrintToFit"}};
  return e;
}
static const TEnumInfo& DefaultMonitorEnumInfo() {
  static const TEnumInfo e{"TDefaultMonitor", {"dmDesktop", "dmPrimary", "dmMainForm", "dmActiveForm"}};
  return e;
}
static const TEnumInfo& PopupModeEnumInfo() {
  static const TEnumInfo e{"TPopupMode", {"pmNone", "pmAuto", "pmExplicit"}};
  return e;
}
static const TEnumInfo& ScrollBarStyleEnumInfo() {
  static const TEnumInfo e{"TScrollBarStyle", {"ssRegular", "ssFlat", "ssHotTrack"}};
  return e;
}

// ---------------------------------------------------------------------------
// Sub-objects

const TClassInfo& TControlScrollBar::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TControlScrollBar>("TControlScrollBar", &TPersistent::StaticClassInfo())
          .IntegerField("ButtonSize", 0)
          .ColorField("Color", clBtnHighlight)
          .IntegerField("Increment", 8)
          .IntegerField("Margin", 0)
          .BoolField("ParentColor", true)
          .IntegerField("Position", 0)
          .IntegerField("Range", 0)
          .BoolField("Smooth", false)
          .IntegerField("Size", 0)
          .EnumField("Style", ScrollBarStyleEnumInfo(), "ssRegular")
          .IntegerField("ThumbSize", 0)
          .BoolField("Tracking", false)
          .BoolField("Visible", true)
          .Build();
  return info;
}

int TControlScrollBar::Range() const {
  const TFieldValue* f = FindField("Range");
  return f ? static_cast<int>(std::clamp<int64_t>(f->ord, 0, INT32_MAX)) : 0;
}
int TControlScrollBar::Position() const {
  const TFieldValue* f = FindField("Position");
  return f ? static_cast<int>(std::clamp<int64_t>(f->ord, 0, INT32_MAX)) : 0;
}
bool TControlScrollBar::Visible() const {
  const TFieldValue* f = FindField("Visible");
  return !f || f->ord != 0;
}
void TControlScrollBar::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TControlScrollBar*>(&source)) {
    CopyFieldsFrom(*s);
    return;
  }
  TPersistent::Assign(source);
}

const TClassInfo& TFormIcon::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TFormIcon>("TIcon", &TPersistent::StaticClassInfo()).Build();
  return info;
}

void TFormIcon::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Data", [this](const TFormNode& v) { data_ = v.bytes; }, [this]() { return TFormNode::Binary(data_); },
      !data_.empty());
}

void TFormIcon::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TFormIcon*>(&source)) {
    data_ = s->data_;
    return;
  }
  TPersistent::Assign(source);
}

// ---------------------------------------------------------------------------
// TScreen

static int ScreenPixelsPerInchSetting() {
  if (const char* v = std::getenv("TESSALY_PIXELS_PER_INCH")) {
    int n = std::atoi(v);
    if (n > 0) return n;
  }
  return 96;
}

TScreen::TScreen() : pixelsPerInch_(ScreenPixelsPerInchSetting()) {}

int TScreen::Width() const {
  if (qApp)
    if (QScreen* s = QGuiApplication::primaryScreen()) return s->geometry().width();
  return 1024;
}
int TScreen::Height() const {
  if (qApp)
    if (QScreen* s = QGuiApplication::primaryScreen()) return s->geometry().height();
  return 768;
}

TCustomForm* TScreen::ActiveForm() const {
  if (TWinControl* f = FindFocusedControl()) return GetParentForm(f);
  for (TCustomForm* form : forms_)
    if (form->Active()) return form;
  return nullptr;
}

void TScreen::SetCursor(TCursor c) {
  if (c == cursor_ || !qApp) {
    cursor_ = c;
    return;
  }
  if (cursor_ != crDefault) QApplication::restoreOverrideCursor();
  cursor_ = c;
  if (c != crDefault) QApplication::setOverrideCursor(QCursor(c == crHourGlass ? Qt::WaitCursor : Qt::ArrowCursor));
}

TScreen* Screen = new TScreen;

// ---------------------------------------------------------------------------
// TCustomForm

const TClassInfo& TCustomForm::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomForm>("TCustomForm", &TWinControl::StaticClassInfo())
          .Reference("ActiveControl", &TWinControl::StaticClassInfo, &TCustomForm::ActiveControl,
                     [](TCustomForm* f, TPersistent* v) { f->SetActiveControl(dynamic_cast<TWinControl*>(v)); })
          .Protected()
          .Bool("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll, true)
          .Protected()
          .Set("BorderIcons", BorderIconEnumInfo(), &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons, 7)
          .Protected()
          .Enum("BorderStyle", FormBorderStyleEnumInfo(), &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle,
                bsSizeable)
          .Protected()
          .Integer("ClientHeight", &TControl::ClientHeight,
                   [](TCustomForm* f, int v) {
                     if (f->HasState(csLoading)) f->clientSizeRead_ = true;
                     f->SetClientHeight(v);
                   })
          .Protected()
          .StoredWhen([](const TCustomForm* f) { return f->clientSizeRead_; })
          .Integer("ClientWidth", &TControl::ClientWidth,
                   [](TCustomForm* f, int v) {
                     if (f->HasState(csLoading)) f->clientSizeRead_ = true;
                     f->SetClientWidth(v);
                   })
          .Protected()
          .StoredWhen([](const TCustomForm* f) { return f->clientSizeRead_; })
          .Enum("FormStyle", FormStyleEnumInfo(), &TCustomForm::FormStyle, &TCustomForm::SetFormStyle, fsNormal)
          .Protected()
          .Object("HorzScrollBar", &TControlScrollBar::StaticClassInfo, &TCustomForm::HorzScrollBar)
          .Protected()
          .Object("Icon", &TFormIcon::StaticClassInfo, &TCustomForm::Icon)
          .Protected()
          .Bool("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview, false)
          .Protected()
          .Reference("Menu", &TComponent::StaticClassInfo, &TCustomForm::Menu,
                     [](TCustomForm* f, TPersistent* v) { f->SetMenu(dynamic_cast<TComponent*>(v)); })
          .Protected()
          .Bool("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder)
          .Protected()
          .Enum("Position", PositionEnumInfo(), &TCustomForm::Position, &TCustomForm::SetPosition, poDesigned)
          .Protected()
          .Bool("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled, true)
          .Protected()
          .Object("VertScrollBar", &TControlScrollBar::StaticClassInfo, &TCustomForm::VertScrollBar)
          .Protected()
          .Enum("WindowState", WindowStateEnumInfo(), &TCustomForm::WindowState, &TCustomForm::SetWindowState, wsNormal)
          .Protected()
          .Event("OnActivate", &TCustomForm::OnActivate)
          .Protected()
          .Event("OnClose", &TCustomForm::OnClose)
          .Protected()
          .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
          .Protected()
          .Event("OnCreate", &TCustomForm::OnCreate)
          .Protected()
          .Event("OnDeactivate", &TCustomForm::OnDeactivate)
          .Protected()
          .Event("OnDestroy", &TCustomForm::OnDestroy)
          .Protected()
          .Event("OnHelp", &TCustomForm::OnHelp)
          .Protected()
          .Event("OnHide", &TCustomForm::OnHide)
          .Protected()
          .Event("OnPaint", &TCustomForm::OnPaint)
          .Protected()
          .Event("OnShortCut", &TCustomForm::OnShortCut)
          .Protected()
          .Event("OnShow", &TCustomForm::OnShow)
          .Protected()
          .Build();
  return info;
}

TSize TCustomForm::FrameOf(TFormBorderStyle style) {
  switch (style) {
    case bsNone: return {0, 0};
    case bsSingle:
    case bsDialog: return {3, 19};
    case bsToolWindow: return {3, 16};
    case bsSizeToolWin: return {4, 16};
    case bsSizeable:
    default: return {4, 19};
  }
}

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner),
      icon_(std::make_unique<TFormIcon>()),
      horzScrollBar_(std::make_unique<TControlScrollBar>()),
      vertScrollBar_(std::make_unique<TControlScrollBar>()),
      scrolling_(std::make_unique<TScrollingArea>(this)) {
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
  SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
  Screen->forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
  IncludeState(csDestroying);
  if (modalLoop_) modalLoop_->quit();
  try {
    DoDestroy();
  } catch (...) {}
  auto& forms = Screen->forms_;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (Application) Application->FormDestroyed(this);
  if (TWinControl* f = FindFocusedControl(); f && (f == this || ContainsControl(f))) {
    // The focus leaves with the form.
    ClearFocusedControl();
  }
}

TRect TCustomForm::GetClientRect() const { return Rect(0, 0, clientWidth_, clientHeight_); }

void TCustomForm::AlignControls(TControl* control, TRect& rect) {
  // The scroll bars sit inside the client area, below the menu bar.
  const TRect bars = Bounds(0, menuBarHeight_, clientWidth_, clientHeight_);
  for (int pass = 0; pass < 2; ++pass) {
    TRect area = pass == 0 ? rect : GetClientRect();
    area.Right -= scrolling_->ReservedWidth();
    area.Bottom -= scrolling_->ReservedHeight();
    TWinControl::AlignControls(control, area);
    if (!scrolling_->Update(*horzScrollBar_, *vertScrollBar_, autoScroll_, bars)) break;
  }
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  Realign();
}

void TCustomForm::ScrollTo(int x, int y) { scrolling_->ScrollTo(x, y); }

void TCustomForm::SetBounds(int left, int top, int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  ConstrainedResize(width, height);
  const TSize f = FrameOf(borderStyle_);
  clientWidth_ = std::max(0, width - 2 * f.cx);
  // The menu bar is inside the window, above the client area.
  clientHeight_ = std::max(0, height - 2 * f.cx - f.cy - menuBarHeight_);
  TWinControl::SetBounds(left, top, width, height);
}

void TCustomForm::SetClientSize(int width, int height) {
  const TSize f = FrameOf(borderStyle_);
  // Client sizes near the integer limit stay there instead of wrapping.
  auto clamp = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  SetBounds(left_, top_, clamp(int64_t(width) + 2 * f.cx), clamp(int64_t(height) + 2 * f.cx + f.cy + menuBarHeight_));
}

void TCustomForm::SetBorderStyle(TFormBorderStyle s) {
  if (s == borderStyle_) return;
  const int cw = clientWidth_, ch = clientHeight_;
  borderStyle_ = s;
  SetClientSize(cw, ch);
  if (HandleAllocated() && !HasState(csLoading)) {
    // The window's kind changes: make it again.
    const bool wasVisible = WidgetIfAllocated()->isVisible();
    DestroyWnd();
    CreateHandle();
    if (wasVisible) Handle()->show();
  }
}

void TCustomForm::SetWindowState(TWindowState s) {
  windowState_ = s;
  if (QWidget* w = WidgetIfAllocated(); w && w->isVisible()) {
    if (s == wsMaximized)
      w->showMaximized();
    else if (s == wsMinimized)
      w->showMinimized();
    else
      w->showNormal();
  }
}

void TCustomForm::SetMenu(TComponent* menu) {
  if (menu_ == menu) return;
  if (menu_) menu_->RemoveFreeNotification(this);
  menu_ = menu;
  if (menu) menu->FreeNotification(this);
}

void TCustomForm::SetMenuBarHeight(int height) {
  height = std::max(0, height);
  if (height == menuBarHeight_) return;
  const int grown = height - menuBarHeight_;
  menuBarHeight_ = height;
  // A form read with its client size keeps it and grows by the bar; one
  // read (or made) with its outer size keeps that, and the bar takes its
  // height from the client area, as the designer saw it.
  if (clientSizeRead_)
    SetBounds(left_, top_, width_, height_ + grown);
  else
    SetBounds(left_, top_, width_, height_);
  // The outer size may not have changed while the client area did: the
  // aligned children take the client area the bar leaves.
  Realign();
  UpdateWidget();
  // The children's widgets keep their client positions below the bar.
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* child = dynamic_cast<TWinControl*>(Controls(i))) child->UpdateWidget();
  Invalidate();
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == activeControl_) return;
  if (control && !ContainsControl(control) && !HasState(csLoading)) throw EInvalidOperation("Invalid ActiveControl");
  activeControl_ = control;
  if (control) control->FreeNotification(this);
  if (control && !HasState(csLoading) && Visible() && control->CanFocus()) control->SetFocus();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove) {
    if (component == menu_) {
      menu_ = nullptr;
      if (!HasState(csDestroying)) SetMenuBarHeight(0);
    }
    if (component == activeControl_) activeControl_ = nullptr;
    if (component == focusedControl_) focusedControl_ = nullptr;
  }
}

void TCustomForm::ControlDestroying(TControl* control) {
  if (control == activeControl_) activeControl_ = nullptr;
  if (control == focusedControl_) focusedControl_ = nullptr;
  if (TWinControl* f = FindFocusedControl();
      f && (f == control ||
            (dynamic_cast<TWinControl*>(control) && static_cast<TWinControl*>(control)->ContainsControl(f)))) {
    ClearFocusedControl();
  }
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
  if (control == focusedControl_) return;
  TWinControl* old = focusedControl_;
  focusedControl_ = control;
  if (control) activeControl_ = control;
  // The innermost container of both.
  TWinControl* common = nullptr;
  for (TWinControl* p = control ? control->Parent() : nullptr; p; p = p->Parent())
    if (old && p->ContainsControl(old)) {
      common = p;
      break;
    }
  if (old && !old->HasState(csDestroying))
    for (TWinControl* c = old; c && c != common && c != this; c = c->Parent()) {
      c->Perform(CM_EXIT);
      if (focusedControl_ != control) return;  // a handler moved the focus
    }
  std::vector<TWinControl*> path;
  for (TWinControl* c = control; c && c != common && c != this; c = c->Parent()) path.push_back(c);
  for (auto it = path.rbegin(); it != path.rend(); ++it) {
    (*it)->Perform(CM_ENTER);
    if (focusedControl_ != control) return;
  }
}

void TCustomForm::FocusFirstControl() {
  TWinControl* target = activeControl_;
  if (!target || !target->CanFocus()) target = FindNextControl(nullptr, true, true, false);
  if (target && target->CanFocus()) target->SetFocus();
}

bool TCustomForm::DoKeyDown(TWMKey& msg) { return TWinControl::DoKeyDown(msg); }
bool TCustomForm::DoKeyPress(TWMKey& msg) { return TWinControl::DoKeyPress(msg); }
bool TCustomForm::DoKeyUp(TWMKey& msg) { return TWinControl::DoKeyUp(msg); }

void TCustomForm::CMDialogKey(TCMDialogKey& msg) {
  const bool alt = (msg.KeyData & kKeyDataAltDown) != 0;
  const TShiftState keyShift = CurrentKeyShift();
  if (!alt) {
    switch (msg.CharCode) {
      case VK_TAB:
        if (!InShift(keyShift, ssCtrl)) {
          SelectNext(focusedControl_, !InShift(keyShift, ssShift), true);
          msg.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (focusedControl_ && focusedControl_->Parent()) {
          focusedControl_->Parent()->SelectNext(
              focusedControl_, msg.CharCode == VK_RIGHT || msg.CharCode == VK_DOWN, false);
          msg.Result = 1;
        }
        return;
      default: break;
    }
  }
  TWinControl::CMDialogKey(msg);
}

void TCustomForm::CMTextChanged(TMessage& msg) {
  TWinControl::CMTextChanged(msg);
  if (QWidget* w = WidgetIfAllocated()) w->setWindowTitle(DisplayText());
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style &= ~WS_CHILD;
  params.WndParent = nullptr;
  Qt::WindowFlags flags = Qt::Window;
  switch (borderStyle_) {
    case bsNone: flags |= Qt::FramelessWindowHint; break;
    case bsDialog: flags = Qt::Dialog; break;
    case bsToolWindow:
    case bsSizeToolWin: flags = Qt::Tool; break;
    default: break;
  }
  if (formStyle_ == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  params.windowFlags = int(flags);
}

void TCustomForm::UpdateWidget() {
  QWidget* w = WidgetIfAllocated();
  if (!w) return;
  TWinControl::UpdateWidget();
  w->setWindowTitle(DisplayText());
  const int width = std::max(1, clientWidth_), height = std::max(1, clientHeight_ + menuBarHeight_);
  if (borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin) {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w->resize(width, height);
  } else {
    w->setFixedSize(width, height);
  }
  w->move(left_, top_);
}

void TCustomForm::ChangeScale(int m, int d) {
  if (m == d) return;
  DisableAlign();
  try {
    SetClientSize(MulDiv(clientWidth_, m, d), MulDiv(clientHeight_, m, d));
    Font()->SetHeight(MulDiv(Font()->Height(), m, d));
    for (TControl* c : std::vector<TControl*>([&] {
           std::vector<TControl*> v;
           for (int i = 0; i < ControlCount(); ++i) v.push_back(Controls(i));
           return v;
         }()))
      c->ChangeScale(m, d);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TCustomForm::ReadingStrings(const std::vector<std::string>& strings) {
  // A form is about to be read: the text heights an earlier form stored
  // spoke for that form's fonts only.
  ForgetStoredCellHeights();
  const char* codePage = DetectAnsiCodePage(strings);
  TFont::SetNewFontsDefaultCodePage(codePage);
  Font()->SetDefaultCodePage(codePage);
}

void TCustomForm::Loaded() {
  // A frame's description read as the root: forms have no tab order, so
  // one that sets it is a frame's, whose Width and Height are its client
  // size (a frame has no caption or border).
  if (!Parent() && TabOrder() >= 0 && !clientSizeRead_) {
    clientSizeRead_ = true;
    SetClientSize(width_, height_);
  }
  scrolling_->AdoptStoredPosition(*horzScrollBar_, *vertScrollBar_);
  TWinControl::Loaded();
  if (scaled_ && ppiRead_ && pixelsPerInch_ > 0 && pixelsPerInch_ != Screen->PixelsPerInch()) {
    ChangeScale(Screen->PixelsPerInch(), pixelsPerInch_);
    pixelsPerInch_ = Screen->PixelsPerInch();
  }
  if (Visible()) ShowWindowNow();
}

void TCustomForm::DefineProperties(TFiler& filer) {
  TWinControl::DefineProperties(filer);
  filer.DefineProperty(
      "PixelsPerInch",
      [this](const TFormNode& v) {
        if (!v.IsInteger()) throw EReadError("Invalid property value");
        pixelsPerInch_ = int(v.integer);
        ppiRead_ = true;
      },
      [this]() { return TFormNode::Integer(pixelsPerInch_); }, true);
  filer.DefineProperty(
      "TextHeight",
      [this](const TFormNode& v) {
        if (!v.IsInteger()) throw EReadError("Invalid property value");
        textHeight_ = int(v.integer);
        // The form's font stood at this height on its designer's screen;
        // at that screen's resolution it is the system's cell for it.
        if (pixelsPerInch_ == kScreenPixelsPerInch) RecordStoredCellHeight(Font()->ToQFont(), textHeight_);
      },
      [this]() { return TFormNode::Integer(textHeight_); }, true);
  // Older designers wrote this for forms whose font was not stored.
  filer.DefineProperty(
      "IgnoreFontProperty", [](const TFormNode&) {}, []() { return TFormNode::Integer(0); }, false);
  filer.DefineProperty(
      "IsControl", [](const TFormNode&) {}, []() { return TFormNode::Integer(0); }, false);
}

// ---------------------------------------------------------------------------
// TForm

const TClassInfo& TForm::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TForm>("TForm", &TCustomForm::StaticClassInfo())
          .IgnoredReference("Action", &TComponent::StaticClassInfo)
          .Publish("ActiveControl")
          .Publish("Align")
          .Publish("AlignWithMargins")
          .BoolField("AlphaBlend", false)
          .IntegerField("AlphaBlendValue", 255)
          .Publish("Anchors")
          .Publish("AutoScroll")
          .Publish("AutoSize")
          .Publish("BiDiMode")
          .Publish("BorderIcons")
          .Publish("BorderStyle")
          .IntegerField("BorderWidth", 0)
          .Publish("Caption")
          .Publish("ClientHeight")
          .Publish("ClientWidth")
          .Publish("Color", clBtnFace)
          .Object("CustomTitleBar", &TTitleBar::StaticClassInfo, &TForm::CustomTitleBar)
          .BoolField("TransparentColor", false)
          .ColorField("TransparentColorValue", 0)
          .Publish("Constraints")
          .Publish("Ctl3D")
          .Publish("UseDockManager")
          .EnumField("DefaultMonitor", DefaultMonitorEnumInfo(), dmActiveForm)
          .Publish("DockSite")
          .Publish("DoubleBuffered")
          .Publish("DragKind")
          .Publish("DragMode")
          .Publish("Enabled")
          .Publish("ParentFont", false)
          .Publish("Font")
          .Publish("FormStyle")
          .Object("GlassFrame", &TGlassFrame::StaticClassInfo, &TForm::GlassFrame)
          .StringField("HelpFile")
          .Publish("HorzScrollBar")
          .Publish("Icon")
          .Publish("KeyPreview")
          .Publish("Margins")
          .Publish("Padding")
          .Publish("Menu")
          .Publish("OldCreateOrder")
          .IgnoredReference("ObjectMenuItem", &TComponent::StaticClassInfo)
          .Publish("ParentBiDiMode")
          .Publish("ParentDoubleBuffered")
          .Publish("PopupMenu")
          .EnumField("PopupMode", PopupModeEnumInfo(), pmNone)
          .IgnoredReference("PopupParent", &TComponent::StaticClassInfo)
          .Publish("Position")
          .EnumField("PrintScale", PrintScaleEnumInfo(), poProportional)
          .Publish("Scaled")
          .BoolField("ScreenSnap", false)
          .Publish("ShowHint")
          .IntegerField("SnapBuffer", 10)
          .Publish("StyleElements")
          .Publish("StyleName")
          .Publish("Touch")
          // A frame's own description sets these on its root; a frame
          // previewed as a form accepts them.
          .Publish("TabOrder")
          .Publish("TabStop")
          .Publish("ParentBackground")
          .Publish("ParentColor")
          .Publish("ParentCtl3D")
          .Publish("ParentShowHint")
          .Publish("VertScrollBar")
          .Publish("Visible", false)
          .Publish("WindowState")
          .IgnoredReference("WindowMenu", &TComponent::StaticClassInfo)
          .Publish("OnActivate")
          .Event("OnAfterMonitorDpiChanged", &TForm::OnAfterMonitorDpiChanged)
          .Publish("OnAlignInsertBefore")
          .Publish("OnAlignPosition")
          .Publish("OnCanResize")
          .Publish("OnClick")
          .Publish("OnClose")
          .Publish("OnCloseQuery")
          .Publish("OnConstrainedResize")
          .Publish("OnContextPopup")
          .Publish("OnCreate")
          .Publish("OnDblClick")
          .Event("OnBeforeMonitorDpiChanged", &TForm::OnBeforeMonitorDpiChanged)
          .Publish("OnDestroy")
          .Publish("OnDeactivate")
          .Publish("OnDockDrop")
          .Publish("OnDockOver")
          .Publish("OnDragDrop")
          .Publish("OnDragOver")
          .Publish("OnEndDock")
          .Publish("OnGesture")
          .Publish("OnGetSiteInfo")
          .Publish("OnHide")
          .Publish("OnHelp")
          .Publish("OnKeyDown")
          .Publish("OnKeyPress")
          .Publish("OnKeyUp")
          .Publish("OnMouseActivate")
          .Publish("OnMouseDown")
          .Publish("OnMouseEnter")
          .Publish("OnMouseLeave")
          .Publish("OnMouseMove")
          .Publish("OnMouseUp")
          .Publish("OnMouseWheel")
          .Publish("OnMouseWheelDown")
          .Publish("OnMouseWheelUp")
          .Publish("OnPaint")
          .Publish("OnResize")
          .Publish("OnShortCut")
          .Publish("OnShow")
          .Publish("OnStartDock")
          .Publish("OnUnDock")
          .Build();
  return info;
}

TForm::~TForm() = default;

TForm::TForm(TComponent* owner)
    : TCustomForm(owner), glassFrame_(std::make_unique<TGlassFrame>()), titleBar_(std::make_unique<TTitleBar>()) {}

TForm::TForm(TComponent* owner, TStream& description)
    : TCustomForm(owner), glassFrame_(std::make_unique<TGlassFrame>()), titleBar_(std::make_unique<TTitleBar>()) {
  InitInheritedComponent(this, description);
  DoCreate();
}

void InitInheritedComponent(TComponent* instance, TStream& description) {
  std::string data;
  const int64_t size = description.Size() - description.Position();
  if (size > 0) {
    data.resize(size_t(size));
    description.ReadBuffer(data.data(), data.size());
  }
  FormStringCollector strings;
  try {
    ReadFormAny(data, strings);
  } catch (const std::exception&) {
    // The read proper reports the fault, with what was read before it.
  }
  instance->ReadingStrings(strings.strings);
  auto* control = dynamic_cast<TWinControl*>(instance);
  if (control) control->DisableAlign();
  try {
    TReader reader(instance);
    ReadFormAny(data, reader);
    reader.Finish();
  } catch (...) {
    if (control) control->EnableAlign();
    throw;
  }
  if (control) control->EnableAlign();
}
