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

#include "DialogCodes.h"
#include "ClassicLook.h"
#include "Forms.h"
#include "core/Exceptions.h"
#include "core/FormNode.h"
#include "core/SysUtils.h"
#include "core/Ascii.h"

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
  static const TEnumInfo e{"TBiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                                         "bdRightToLeftReadingOnly"}};
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
  static const TEnumInfo e{"TImeMode", {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha",
                                        "imAlpha", "imHira", "imSKata", "imKata", "imChinese",
                                        "imSHanguel", "imHanguel"}};
  return e;
}

// ---------------------------------------------------------------------------
// Sub-objects

const TClassInfo& TSizeConstraints::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TSizeConstraints>("TSizeConstraints", &TPersistent::StaticClassInfo())
          .Integer("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight, 0)
          .Integer("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth, 0)
          .Integer("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight, 0)
          .Integer("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth, 0)
          .Build();
  return info;
}

void TSizeConstraints::SetMinWidth(int v) {
  if (v == minWidth_) return;
  minWidth_ = std::max(0, v);
  if (maxWidth_ > 0 && maxWidth_ < minWidth_) maxWidth_ = minWidth_;
  Changed();
}
void TSizeConstraints::SetMinHeight(int v) {
  if (v == minHeight_) return;
  minHeight_ = std::max(0, v);
  if (maxHeight_ > 0 && maxHeight_ < minHeight_) maxHeight_ = minHeight_;
  Changed();
}
void TSizeConstraints::SetMaxWidth(int v) {
  if (v == maxWidth_) return;
  maxWidth_ = std::max(0, v);
  if (maxWidth_ > 0 && minWidth_ > maxWidth_) minWidth_ = maxWidth_;
  Changed();
}
void TSizeConstraints::SetMaxHeight(int v) {
  if (v == maxHeight_) return;
  maxHeight_ = std::max(0, v);
  if (maxHeight_ > 0 && minHeight_ > maxHeight_) minHeight_ = maxHeight_;
  Changed();
}
void TSizeConstraints::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TSizeConstraints*>(&source)) {
    minWidth_ = s->minWidth_;
    minHeight_ = s->minHeight_;
    maxWidth_ = s->maxWidth_;
    maxHeight_ = s->maxHeight_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}
void TSizeConstraints::Apply(int& width, int& height) const {
  if (minWidth_ > 0 && width < minWidth_) width = minWidth_;
  if (maxWidth_ > 0 && width > maxWidth_) width = maxWidth_;
  if (minHeight_ > 0 && height < minHeight_) height = minHeight_;
  if (maxHeight_ > 0 && height > maxHeight_) height = maxHeight_;
}

const TClassInfo& TMargins::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TMargins>("TMargins", &TPersistent::StaticClassInfo())
          .Integer("Left", &TMargins::Left, &TMargins::SetLeft, 3)
          .Integer("Top", &TMargins::Top, &TMargins::SetTop, 3)
          .Integer("Right", &TMargins::Right, &TMargins::SetRight, 3)
          .Integer("Bottom", &TMargins::Bottom, &TMargins::SetBottom, 3)
          .Build();
  return info;
}
void TMargins::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TMargins*>(&source)) {
    left_ = s->left_;
    top_ = s->top_;
    right_ = s->right_;
    bottom_ = s->bottom_;
    if (OnChange) OnChange();
    return;
  }
  TPersistent::Assign(source);
}

const TClassInfo& TPadding::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TPadding>("TPadding", &TMargins::StaticClassInfo())
                                     .Publish("Left", 0)
                                     .Publish("Top", 0)
                                     .Publish("Right", 0)
                                     .Publish("Bottom", 0)
                                     .Build();
  return info;
}

// ---------------------------------------------------------------------------
// Globals

bool NewStyleControls = true;
std::function<bool(TControl*, TComponent*, TPoint)> ShowPopupMenuHook;

namespace {
int g_beepCount = 0;
std::function<void(uint32_t)> g_beepHook;
TWinControl* g_focused = nullptr;
TControl* g_capture = nullptr;
TShiftState g_keyShift = 0;  // shift state of the key being processed
bool g_resendingKey = false;
}  // namespace

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


bool IsAccel(Word vk, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return Word(uint8_t(AsciiUpper(caption[i + 1]))) == Word(uint8_t(AsciiUpper(char(vk))));
  }
  return false;
}

QString CaptionToMnemonicText(const std::string& caption, const char* codePage) {
  return DecodeFormStringIn(caption, codePage);
}

QString CaptionToMnemonicText(const std::string& caption, const TFont& font) {
  return font.Decode(caption);
}

QString StripAccelText(const std::string& caption, const TFont& font) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return font.Decode(out);
}

Word QtKeyToVirtualKey(int key, const QString& text) {
  (void)text;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return Word(key);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return Word(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return Word(VK_F1 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Select: return VK_SELECT;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Execute: return VK_EXECUTE;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Meta: return VK_LWIN;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Plus:
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    // Shifted digits on a US keyboard.
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    default: return 0;
  }
}

static Word KeypadVirtualKey(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return Word(VK_NUMPAD0 + (key - Qt::Key_0));
  switch (key) {
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Plus: return VK_ADD;
    case Qt::Key_Minus: return VK_SUBTRACT;
    case Qt::Key_Period: return VK_DECIMAL;
    case Qt::Key_Slash: return VK_DIVIDE;
    default: return 0;
  }
}

TShiftState ShiftStateOfModifiers(int mods, int buttons) {
  TShiftState s = 0;
  if (mods & Qt::ShiftModifier) s |= ShiftOf(ssShift);
  if (mods & Qt::AltModifier) s |= ShiftOf(ssAlt);
  if (mods & Qt::ControlModifier) s |= ShiftOf(ssCtrl);
  if (buttons & Qt::LeftButton) s |= ShiftOf(ssLeft);
  if (buttons & Qt::RightButton) s |= ShiftOf(ssRight);
  if (buttons & Qt::MiddleButton) s |= ShiftOf(ssMiddle);
  return s;
}

static TShiftState ShiftOfKeys(uint32_t keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ShiftOf(ssShift);
  if (keys & MK_CONTROL) s |= ShiftOf(ssCtrl);
  if (keys & MK_ALT) s |= ShiftOf(ssAlt);
  if (keys & MK_LBUTTON) s |= ShiftOf(ssLeft);
  if (keys & MK_RBUTTON) s |= ShiftOf(ssRight);
  if (keys & MK_MBUTTON) s |= ShiftOf(ssMiddle);
  return s;
}

static Qt::CursorShape QtCursorOf(TCursor c) {
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

// Delivers a platform event to its control. An exception raised by a
// handler (a click that loads a bad file, say) must not unwind through Qt's
// event loop: it goes to the application's handler, which shows the message,
// and the program carries on.
static bool DispatchGuarded(TWinControl* control, QEvent* e) {
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

namespace {
// Where in the client area the buffer of the next PaintHandler starts: the
// painting widget sets it for the part a paint event exposes.
TPoint exposedOrigin{0, 0};
}  // namespace

class TControlWidget : public QWidget {
 public:
  TControlWidget(TWinControl* control, QWidget* parent, Qt::WindowFlags flags)
      : QWidget(parent, flags), control_(control) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
  }
  void Detach() { control_ = nullptr; }
  TWinControl* Control() const { return control_; }

 protected:
  bool event(QEvent* e) override {
    bool handled = control_ && DispatchGuarded(control_, e);
    switch (e->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
        e->accept();
        return true;
      default:
        break;
    }
    if (handled) return true;
    return QWidget::event(e);
  }
  // Paints the exposed part of the client area only: a panel declared
  // 30000 pixels wide inside a small form costs what shows of it.
  void paintEvent(QPaintEvent* event) override {
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

 private:
  TWinControl* control_;
};

namespace {
// Routes the events of wrapped native widgets to their controls.
class NativeEventFilter : public QObject {
 public:
  static NativeEventFilter& Instance() {
    static auto* f = new NativeEventFilter;
    return *f;
  }
  void Add(QWidget* w, TWinControl* c) { map_[w] = c; }
  void Remove(QWidget* w) { map_.erase(w); }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    auto it = map_.find(o);
    if (it == map_.end()) return false;
    return DispatchGuarded(it->second, e);
  }

 private:
  // Every event of every wrapped widget looks itself up here.
  std::unordered_map<QObject*, TWinControl*> map_;
};
}  // namespace

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
          .IntegerField("ExplicitLeft").StoredWhen([](const TControl*) { return false; })
          .IntegerField("ExplicitTop").StoredWhen([](const TControl*) { return false; })
          .IntegerField("ExplicitWidth").StoredWhen([](const TControl*) { return false; })
          .IntegerField("ExplicitHeight").StoredWhen([](const TControl*) { return false; })
          // For descendants to publish.
          .Enum("Align", AlignEnumInfo(), &TControl::Align, &TControl::SetAlign, alNone).Protected()
          .Bool("AlignWithMargins", &TControl::AlignWithMargins, &TControl::SetAlignWithMargins, false).Protected()
          .Set("Anchors", AnchorKindEnumInfo(), &TControl::Anchors, &TControl::SetAnchors, kDefaultAnchors).Protected()
          .Bool("AutoSize", &TControl::AutoSize, &TControl::SetAutoSize, false).Protected()
          .Enum("BiDiMode", BiDiModeEnumInfo(), &TControl::BiDiMode, &TControl::SetBiDiMode, bdLeftToRight).Protected()
          .String("Caption", &TControl::Caption, &TControl::SetCaption).Protected()
          .Color("Color", &TControl::Color, &TControl::SetColor, clWindow).Protected()
              .StoredWhen([](const TControl* c) { return !c->ParentColor(); })
          .Object("Constraints", &TSizeConstraints::StaticClassInfo, &TControl::Constraints).Protected()
          .Bool("Ctl3D", &TControl::Ctl3D, &TControl::SetCtl3D).Protected()
              .StoredWhen([](const TControl* c) { return !c->ParentCtl3D(); })
          .IntegerField("DragCursor", crDrag, &CursorIdents()).Protected()
          .EnumField("DragKind", DragKindEnumInfo(), dkDrag).Protected()
          .EnumField("DragMode", DragModeEnumInfo(), dmManual).Protected()
          .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled, true).Protected()
          .Object("Font", &TFont::StaticClassInfo, &TControl::Font).Protected()
              .StoredWhen([](const TControl* c) { return !c->ParentFont(); })
          .Object("Margins", &TMargins::StaticClassInfo, &TControl::Margins).Protected()
          .Bool("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode, true).Protected()
          .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true).Protected()
          .Bool("ParentCtl3D", &TControl::ParentCtl3D, &TControl::SetParentCtl3D, true).Protected()
          .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true).Protected()
          .Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true).Protected()
          .Reference("PopupMenu", &TComponent::StaticClassInfo, &TControl::PopupMenu,
                     [](TControl* c, TPersistent* v) { c->SetPopupMenu(dynamic_cast<TComponent*>(v)); }).Protected()
          .Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Protected()
              .StoredWhen([](const TControl* c) { return !c->ParentShowHint(); })
          .Set("StyleElements", StyleElementEnumInfo(), &TControl::StyleElements, &TControl::SetStyleElements,
               kAllStyleElements).Protected()
          .Reference("CustomHint", &TComponent::StaticClassInfo, &TControl::CustomHint,
                     [](TControl* c, TPersistent* v) { c->SetCustomHint(dynamic_cast<TComponent*>(v)); }).Protected()
          .BoolField("ParentCustomHint", true).Protected()
          .StringField("StyleName").Protected()
          .Object("Touch", &TTouchManager::StaticClassInfo, &TControl::Touch).Protected()
          .String("Text", &TControl::Text, &TControl::SetText).Protected()
          .Bool("Visible", &TControl::Visible, &TControl::SetVisible, true).Protected()
          .Event("OnCanResize", &TControl::OnCanResize).Protected()
          .Event("OnClick", &TControl::OnClick).Protected()
          .Event("OnConstrainedResize", &TControl::OnConstrainedResize).Protected()
          .Event("OnContextPopup", &TControl::OnContextPopup).Protected()
          .Event("OnDblClick", &TControl::OnDblClick).Protected()
          .Event("OnDragDrop", &TControl::OnDragDrop).Protected()
          .Event("OnDragOver", &TControl::OnDragOver).Protected()
          .Event("OnEndDock", &TControl::OnEndDock).Protected()
          .Event("OnEndDrag", &TControl::OnEndDrag).Protected()
          .Event("OnGesture", &TControl::OnGesture).Protected()
          .Event("OnMouseActivate", &TControl::OnMouseActivate).Protected()
          .Event("OnMouseDown", &TControl::OnMouseDown).Protected()
          .Event("OnMouseEnter", &TControl::OnMouseEnter).Protected()
          .Event("OnMouseLeave", &TControl::OnMouseLeave).Protected()
          .Event("OnMouseMove", &TControl::OnMouseMove).Protected()
          .Event("OnMouseUp", &TControl::OnMouseUp).Protected()
          .Event("OnMouseWheel", &TControl::OnMouseWheel).Protected()
          .Event("OnMouseWheelDown", &TControl::OnMouseWheelDown).Protected()
          .Event("OnMouseWheelUp", &TControl::OnMouseWheelUp).Protected()
          .Event("OnResize", &TControl::OnResize).Protected()
          .Event("OnStartDock", &TControl::OnStartDock).Protected()
          .Event("OnStartDrag", &TControl::OnStartDrag).Protected()
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

void TControl::ConstrainedResize(int& width, int& height) {
  constraints_->Apply(width, height);
}

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
  Perform(WM_SIZE, SIZE_RESTORED,
          MakeLParam(uint16_t(std::clamp(client.Width(), 0, 0xFFFF)),
                     uint16_t(std::clamp(client.Height(), 0, 0xFFFF))));
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
// TWinControl

const TClassInfo& TWinControl::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TWinControl>("TWinControl", &TControl::StaticClassInfo())
          .SetField("BevelEdges", BevelEdgeEnumInfo(), 15).Protected()
          .EnumField("BevelInner", BevelCutEnumInfo(), bvRaised).Protected()
          .EnumField("BevelKind", BevelKindEnumInfo(), bkNone).Protected()
          .EnumField("BevelOuter", BevelCutEnumInfo(), bvLowered).Protected()
          .IntegerField("BevelWidth", 1).Protected()
          .BoolField("DockSite", false).Protected()
          .BoolField("DoubleBuffered").Protected()
          .EnumField("ImeMode", ImeModeEnumInfo(), imDontCare).Protected()
          .StringField("ImeName").Protected()
          .Object("Padding", &TPadding::StaticClassInfo, &TWinControl::Padding).Protected()
          .BoolField("ParentBackground").Protected()
          .BoolField("ParentDoubleBuffered", true).Protected()
          .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1).Protected()
          .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false).Protected()
          .BoolField("UseDockManager", false).Protected()
          .Event("OnAlignInsertBefore", &TWinControl::OnAlignInsertBefore).Protected()
          .Event("OnAlignPosition", &TWinControl::OnAlignPosition).Protected()
          .Event("OnDockDrop", &TWinControl::OnDockDrop).Protected()
          .Event("OnDockOver", &TWinControl::OnDockOver).Protected()
          .Event("OnEnter", &TWinControl::OnEnter).Protected()
          .Event("OnExit", &TWinControl::OnExit).Protected()
          .Event("OnGetSiteInfo", &TWinControl::OnGetSiteInfo).Protected()
          .Event("OnKeyDown", &TWinControl::OnKeyDown).Protected()
          .Event("OnKeyPress", &TWinControl::OnKeyPress).Protected()
          .Event("OnKeyUp", &TWinControl::OnKeyUp).Protected()
          .Event("OnUnDock", &TWinControl::OnUnDock).Protected()
          .Build();
  return info;
}

TWinControl::TWinControl(TComponent* owner)
    : TControl(owner), padding_(std::make_unique<TPadding>()) {
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

void TWinControl::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
}

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

// --- layout

void TWinControl::DisableAlign() { ++alignLevel_; }
void TWinControl::EnableAlign() {
  if (alignLevel_ > 0 && --alignLevel_ == 0 && (controlState_ & csAlignmentNeeded)) Realign();
}

void TWinControl::Realign(TControl* control) {
  if (alignLevel_ > 0 || HasState(csLoading) || (controlState_ & csAligning)) {
    controlState_ |= csAlignmentNeeded;
    return;
  }
  controlState_ &= ~csAlignmentNeeded;
  controlState_ |= csAligning;
  try {
    TRect r = GetClientRect();
    AlignControls(control, r);
  } catch (...) {
    controlState_ &= ~csAligning;
    throw;
  }
  controlState_ &= ~csAligning;
}

void TWinControl::AdjustClientRect(TRect& rect) {
  rect.Left += padding_->Left();
  rect.Top += padding_->Top();
  rect.Right -= padding_->Right();
  rect.Bottom -= padding_->Bottom();
}

void TWinControl::ApplyAnchors(TControl* c, const TRect& client) {
  const auto& r = c->anchorRules_;
  if (!r.valid || c->anchors_ == kDefaultAnchors) return;
  const int pw = client.Width(), ph = client.Height();
  const bool L = c->anchors_ & (1u << akLeft), R = c->anchors_ & (1u << akRight);
  const bool T = c->anchors_ & (1u << akTop), B = c->anchors_ & (1u << akBottom);
  int left = r.left, top = r.top, width = r.width, height = r.height;
  if (R) {
    if (L)
      width = r.width + (pw - r.parentWidth);
    else
      left = r.left + (pw - r.parentWidth);
  } else if (!L && r.parentWidth > 0) {
    left = MulDiv(r.left + r.width / 2, pw, r.parentWidth) - r.width / 2;
  }
  if (B) {
    if (T)
      height = r.height + (ph - r.parentHeight);
    else
      top = r.top + (ph - r.parentHeight);
  } else if (!T && r.parentHeight > 0) {
    top = MulDiv(r.top + r.height / 2, ph, r.parentHeight) - r.height / 2;
  }
  c->SetBoundsFromLayout(left, top, width, height);
}

void TWinControl::DoAlign(TAlign align, TControl* control, TRect& rect) {
  std::vector<TControl*> list;
  for (TControl* c : controls_)
    if (c->align_ == align && (c->Visible() || HasState(csDesigning))) list.push_back(c);
  // Order as the original: by position, the control being placed first
  // among equals.
  auto key = [align](const TControl* c) {
    switch (align) {
      case alTop: return c->top_;
      case alBottom: return -(c->top_ + c->height_);
      case alLeft: return c->left_;
      case alRight: return -(c->left_ + c->width_);
      default: return 0;
    }
  };
  std::stable_sort(list.begin(), list.end(), [&](const TControl* a, const TControl* b) {
    const int ka = key(a), kb = key(b);
    if (ka != kb) return ka < kb;
    return a == control && b != control;
  });
  for (TControl* c : list) {
    const bool m = c->alignWithMargins_;
    const int ml = m ? c->margins_->Left() : 0, mt = m ? c->margins_->Top() : 0;
    const int mr = m ? c->margins_->Right() : 0, mb = m ? c->margins_->Bottom() : 0;
    int left = rect.Left + ml, top = rect.Top + mt;
    int width = rect.Width() - ml - mr, height = rect.Height() - mt - mb;
    switch (align) {
      case alTop: height = c->height_; break;
      case alBottom:
        height = c->height_;
        top = rect.Bottom - mb - height;
        break;
      case alLeft: width = c->width_; break;
      case alRight:
        width = c->width_;
        left = rect.Right - mr - width;
        break;
      case alCustom: continue;
      default: break;
    }
    c->SetBoundsFromLayout(left, top, width, height);
    // The control may have refused the size (constraints, SetBounds
    // overrides): consume what it took.
    switch (align) {
      case alTop: rect.Top += c->height_ + mt + mb; break;
      case alBottom: rect.Bottom -= c->height_ + mt + mb; break;
      case alLeft: rect.Left += c->width_ + ml + mr; break;
      case alRight: rect.Right -= c->width_ + ml + mr; break;
      default: break;
    }
  }
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
  const TRect client = GetClientRect();
  for (TControl* c : controls_)
    if (c->align_ == alNone) ApplyAnchors(c, client);
  AdjustClientRect(rect);
  DoAlign(alTop, control, rect);
  DoAlign(alBottom, control, rect);
  DoAlign(alLeft, control, rect);
  DoAlign(alRight, control, rect);
  DoAlign(alClient, control, rect);
  DoAlign(alCustom, control, rect);
}

void TWinControl::WMSize(TWMSize& msg) {
  Realign();
  TControl::WMSize(msg);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TControl* c : controls_)
    if (c->Owner() == root) proc(c);
}

void TWinControl::ChangeScale(int m, int d) {
  if (m == d) return;
  DisableAlign();
  try {
    TControl::ChangeScale(m, d);
    for (TControl* c : std::vector<TControl*>(controls_)) c->ChangeScale(m, d);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TWinControl::FixupTabList() {
  const size_t n = tabList_.size();
  std::vector<TWinControl*> placed(n, nullptr);
  std::vector<TWinControl*> rest;
  for (TWinControl* w : tabList_) {
    const int j = w->requestedTabOrder_;
    if (j >= 0 && size_t(j) < n && !placed[size_t(j)])
      placed[size_t(j)] = w;
    else
      rest.push_back(w);
  }
  size_t k = 0;
  for (auto& slot : placed)
    if (!slot && k < rest.size()) slot = rest[k++];
  tabList_ = placed;
}

void TWinControl::Loaded() {
  TControl::Loaded();
  FixupTabList();
  if (controlState_ & csAlignmentNeeded) Realign();
}

// --- focus

int TWinControl::TabOrder() const {
  if (!parent_) return requestedTabOrder_ >= 0 ? 0 : -1;
  const auto& l = parent_->tabList_;
  auto it = std::find(l.begin(), l.end(), this);
  return it == l.end() ? -1 : int(it - l.begin());
}

void TWinControl::SetTabOrder(int order) {
  requestedTabOrder_ = order;
  if (!parent_ || HasState(csLoading) || parent_->HasState(csLoading)) return;
  auto& l = parent_->tabList_;
  l.erase(std::remove(l.begin(), l.end(), this), l.end());
  const size_t pos = (order < 0 || size_t(order) > l.size()) ? l.size() : size_t(order);
  l.insert(l.begin() + std::ptrdiff_t(pos), this);
}

void TWinControl::SetTabStop(bool v) {
  if (tabStop_ == v) return;
  tabStop_ = v;
  Perform(CM_TABSTOPCHANGED);
}

std::vector<TWinControl*> TWinControl::TabList() const { return tabList_; }

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* w : tabList_) {
    list.push_back(w);
    w->GetTabOrderList(list);
  }
}

bool TWinControl::CanFocus() const {
  TCustomForm* form = GetParentForm(this);
  if (!form) return Visible() && Enabled();
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return g_focused == this; }

// Moves the keyboard focus: WM_KILLFOCUS to the old control, WM_SETFOCUS to
// the new one, whose handler tells its form (CM_EXIT, CM_ENTER).
static void MoveFocus(TWinControl* target, bool fromPlatform) {
  TWinControl* old = g_focused;
  if (old == target) return;
  g_focused = target;
  if (old) old->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(target));
  if (target) {
    target->Perform(WM_SETFOCUS, reinterpret_cast<WPARAM>(old));
    if (!fromPlatform && g_focused == target && target->HandleAllocated())
      target->Handle()->setFocus(Qt::OtherFocusReason);
  }
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  HandleNeeded();
  MoveFocus(this, false);
}

void TWinControl::HandleQtFocusIn() {
  if (g_focused != this && CanFocus()) MoveFocus(this, true);
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int n = int(list.size());
  int i = int(std::find(list.begin(), list.end(), current) - list.begin());
  if (i >= n) i = goForward ? n - 1 : 0;
  const int start = i;
  do {
    i = goForward ? (i + 1) % n : (i + n - 1) % n;
    TWinControl* c = list[size_t(i)];
    if (c != current && c->CanFocus() && (!checkTabStop || c->TabStop()) &&
        (!checkParent || c->Parent() == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
    next->SetFocus();
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter.code(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit.code(this);
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

// --- keyboard

bool TWinControl::DoKeyDown(TWMKey& msg) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyDown(msg)) return true;
  Word key = msg.CharCode;
  TShiftState shift = g_keyShift;
  if (!HasStyle(csNoStdEvents)) KeyDown(key, shift);
  msg.CharCode = key;
  return key == 0;
}
bool TWinControl::DoKeyPress(TWMKey& msg) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(msg)) return true;
  char ch = char(msg.CharCode);
  if (!HasStyle(csNoStdEvents)) KeyPress(ch);
  msg.CharCode = Word(uint8_t(ch));
  return ch == 0;
}
bool TWinControl::DoKeyUp(TWMKey& msg) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyUp(msg)) return true;
  Word key = msg.CharCode;
  if (!HasStyle(csNoStdEvents)) KeyUp(key, g_keyShift);
  msg.CharCode = key;
  return key == 0;
}

void TWinControl::KeyDown(Word& key, TShiftState shift) {
  if (OnKeyDownProc)
    OnKeyDownProc(this, key, shift);
  else if (OnKeyDown)
    OnKeyDown.code(this);
}
void TWinControl::KeyPress(char& key) {
  if (OnKeyPressProc)
    OnKeyPressProc(this, key);
  else if (OnKeyPress)
    OnKeyPress.code(this);
}
void TWinControl::KeyUp(Word& key, TShiftState shift) {
  if (OnKeyUpProc)
    OnKeyUpProc(this, key, shift);
  else if (OnKeyUp)
    OnKeyUp.code(this);
}

void TWinControl::WMKeyDown(TWMKey& msg) {
  if (DoKeyDown(msg)) msg.Result = 1;
}
void TWinControl::WMKeyUp(TWMKey& msg) {
  if (DoKeyUp(msg)) msg.Result = 1;
}
void TWinControl::WMChar(TWMKey& msg) {
  if (DoKeyPress(msg)) msg.Result = 1;
}
void TWinControl::WMSysKeyDown(TWMKey& msg) {
  if (DoKeyDown(msg)) msg.Result = 1;
}
void TWinControl::WMSysKeyUp(TWMKey& msg) {
  if (DoKeyUp(msg)) msg.Result = 1;
}
void TWinControl::WMSysChar(TWMKey& msg) { (void)msg; }

bool TWinControl::DialogKeyStage(TWMKey& msg) {
  if (HasState(csDesigning)) return false;
  if (Perform(CM_CHILDKEY, msg.CharCode, reinterpret_cast<LPARAM>(this)) != 0) return true;
  uint32_t mask = 0;
  switch (msg.CharCode) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask == 0) return false;
  if (Perform(CM_WANTSPECIALKEY, msg.CharCode) != 0) return false;
  if (Perform(WM_GETDLGCODE) & mask) return false;
  TWinControl* top = GetParentForm(this);
  if (!top) {
    top = this;
    while (top->Parent()) top = top->Parent();
  }
  return top->Perform(CM_DIALOGKEY, msg.CharCode, msg.KeyData) != 0;
}

bool TWinControl::DialogCharStage(TWMKey& msg) {
  if (HasState(csDesigning)) return false;
  const bool alt = (msg.KeyData & kKeyDataAltDown) != 0;
  if (!alt && (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS)) return false;
  TWinControl* top = GetParentForm(this);
  if (!top) {
    top = this;
    while (top->Parent()) top = top->Parent();
  }
  return top->Perform(CM_DIALOGCHAR, msg.CharCode, msg.KeyData) != 0;
}

bool TWinControl::HandleQtKeyPress(QKeyEvent* e) {
  const int mods = int(e->modifiers());
  const bool alt = (mods & Qt::AltModifier) != 0;
  Word vk = (mods & Qt::KeypadModifier) ? KeypadVirtualKey(e->key()) : 0;
  if (!vk) vk = QtKeyToVirtualKey(e->key(), e->text());
  const TShiftState savedShift = g_keyShift;
  g_keyShift = ShiftStateOfModifiers(mods);
  struct Restore {
    TShiftState s;
    ~Restore() { g_keyShift = s; }
  } restore{savedShift};
  TWMKey m;
  m.KeyData = alt ? kKeyDataAltDown : 0;
  if (vk) {
    if (e->key() == Qt::Key_Backtab) g_keyShift |= ShiftOf(ssShift);
    m.Msg = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    m.CharCode = vk;
    if (DialogKeyStage(m)) return true;
    if (Perform(m.Msg, m.CharCode, m.KeyData) != 0) return true;
  }
  const QString text = e->text();
  if (text.isEmpty() || text[0].unicode() == 0x7F) return false;
  if (vk == VK_TAB) return false;
  const std::string bytes = EncodeCodePage(text.left(1), Font()->CodePage());
  if (bytes.empty()) return false;
  m.Msg = alt ? WM_SYSCHAR : WM_CHAR;
  m.CharCode = Word(uint8_t(bytes[0]));
  if (DialogCharStage(m)) return true;
  TMessage cm{m.Msg, m.CharCode, m.KeyData, 0};
  WndProc(cm);
  if (cm.Result != 0) return true;
  // A handler that changed the character: a native widget gets the new one.
  if (!ownWidget_ && widget_ && Word(cm.WParam) != m.CharCode && !g_resendingKey) {
    char ch = char(cm.WParam);
    QKeyEvent replaced(e->type(), e->key(), e->modifiers(),
                       Font()->Decode(std::string(1, ch)));
    g_resendingKey = true;
    QCoreApplication::sendEvent(widget_.data(), &replaced);
    g_resendingKey = false;
    return true;
  }
  return false;
}

bool TWinControl::HandleQtKeyRelease(QKeyEvent* e) {
  const int mods = int(e->modifiers());
  Word vk = (mods & Qt::KeypadModifier) ? KeypadVirtualKey(e->key()) : 0;
  if (!vk) vk = QtKeyToVirtualKey(e->key(), e->text());
  if (!vk) return false;
  const TShiftState savedShift = g_keyShift;
  g_keyShift = ShiftStateOfModifiers(mods);
  const bool alt = (mods & Qt::AltModifier) != 0;
  LRESULT r = Perform(alt ? WM_SYSKEYUP : WM_KEYUP, vk, alt ? kKeyDataAltDown : 0);
  g_keyShift = savedShift;
  return r != 0;
}

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
  if (g_capture && g_capture != this && g_capture->Parent() == this &&
      !dynamic_cast<TWinControl*>(g_capture)) {
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
      msg = button == Qt::RightButton ? WM_RBUTTONDOWN
            : button == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
      break;
    case QEvent::MouseButtonDblClick:
      if (target->HasStyle(csDoubleClicks))
        msg = button == Qt::RightButton ? WM_RBUTTONDBLCLK
              : button == Qt::MiddleButton ? WM_MBUTTONDBLCLK : WM_LBUTTONDBLCLK;
      else
        msg = button == Qt::RightButton ? WM_RBUTTONDOWN
              : button == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
      break;
    case QEvent::MouseButtonRelease:
      msg = button == Qt::RightButton ? WM_RBUTTONUP
            : button == Qt::MiddleButton ? WM_MBUTTONUP : WM_LBUTTONUP;
      break;
    case QEvent::MouseMove: msg = WM_MOUSEMOVE; break;
    default: return false;
  }
  target->Perform(msg, MouseKeys(e),
                  MakeLParam(uint16_t(int16_t(x)), uint16_t(int16_t(y))));
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
    case QEvent::MouseMove:
      return HandleQtMouse(static_cast<QMouseEvent*>(e));
    case QEvent::Leave:
      ChildMouseHover(nullptr);
      Perform(CM_MOUSELEAVE);
      return false;
    case QEvent::Enter:
      Perform(CM_MOUSEENTER);
      return false;
    case QEvent::FocusIn:
      HandleQtFocusIn();
      return false;
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
            if (ShowPopupMenuHook) handled = ShowPopupMenuHook(c, c->PopupMenu(), {ce->globalPos().x(), ce->globalPos().y()});
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

// ---------------------------------------------------------------------------
// TGraphicControl and TCustomControl

const TClassInfo& TGraphicControl::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TGraphicControl>("TGraphicControl", &TControl::StaticClassInfo()).Build();
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
