// The control framework: TControl, TWinControl, TGraphicControl and
// TCustomControl.
//
// Model
// -----
// * Every control keeps its own bounds (Left, Top, Width, Height) in its
//   parent's client coordinates; all size changes go through the virtual
//   SetBounds, after which WM_SIZE is dispatched with the new client size.
// * A TWinControl owns a Qt widget (its "window handle"), created lazily by
//   HandleNeeded(): CreateHandle -> CreateWnd -> CreateParams(params) ->
//   CreateWindowHandle(params), then the children's handles. A control that
//   joins a parent with a handle gets its own at once. The widget's geometry
//   follows the control's bounds, never the other way round (except a form's
//   top-level window resized by the user).
// * A TGraphicControl has no widget. Its parent paints it, in z-order after
//   the parent's own Paint, on the parent's canvas with the origin moved to
//   the control's top-left and clipped to its bounds; the parent hit-tests
//   mouse events and forwards them (with capture) in the control's own
//   coordinates. Windowed siblings therefore always lie above graphic ones.
// * Painting: the widget's paintEvent makes a back buffer of the widget's
//   size, fills it with Color (unless csOpaque is in ControlStyle), attaches
//   the control's Canvas to it, calls PaintWindow (TCustomControl: Paint),
//   paints the graphic children and blits the buffer. Raster operations on
//   the canvas therefore act on exactly the pixels that are shown, and
//   off-screen rendering (Render.h) is the same path.
// * Descendants that wrap a native Qt widget (an edit box ...) override
//   CreateWindowHandle to return it; mouse, key and focus events of such a
//   widget go through the same message handlers via an event filter, and
//   the widget paints itself.
//
// Messages
// --------
// Perform(msg, w, l) builds a TMessage and calls WndProc, whose default is
// Dispatch: it unpacks the message into its typed record and calls the
// dedicated virtual handler (WMSize, WMSetFocus, CMEnter, WMKeyDown, ...).
// Unknown messages go to DefaultHandler. To react to a message, override its
// handler and call the base explicitly where the original would say
// "inherited":
//
//   void TMyEdit::WMGetDlgCode(TWMGetDlgCode& msg) {
//     TCustomControl::WMGetDlgCode(msg);
//     msg.Result |= DLGC_WANTARROWS;
//   }
//
// Override WndProc only to see every message before dispatch.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QPointer>
#include <QWidget>

#include "Canvas.h"
#include "Graphics.h"
#include "Messages.h"
#include "components/Component.h"

class QWidget;
class QKeyEvent;
class QMouseEvent;
class QEvent;
class TWinControl;
class TCustomForm;
namespace controls_detail {
class TControlWidget;
}
class TContentReport;

// ---------------------------------------------------------------------------
// Enumerations and sets

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = uint8_t;  // bit n for TAnchorKind n
inline constexpr TAnchors kDefaultAnchors = (1u << akLeft) | (1u << akTop);
constexpr TAnchors Anchors(std::initializer_list<TAnchorKind> kinds) {
  TAnchors a = 0;
  for (auto k : kinds) a |= TAnchors(1u << k);
  return a;
}

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

enum TShiftStateFlag : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = uint16_t;  // bit n for TShiftStateFlag n
constexpr bool InShift(TShiftState s, TShiftStateFlag f) { return (s >> f) & 1u; }
constexpr TShiftState ShiftOf(TShiftStateFlag f) { return TShiftState(1u << f); }

// ControlStyle: what a control is and does.
enum TControlStyleFlag : uint32_t {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csDesignInteractive = 1u << 2,
  csClickEvents = 1u << 3,
  csFramed = 1u << 4,
  csSetCaption = 1u << 5,
  csOpaque = 1u << 6,
  csDoubleClicks = 1u << 7,
  csFixedWidth = 1u << 8,
  csFixedHeight = 1u << 9,
  csNoDesignVisible = 1u << 10,
  csReplicatable = 1u << 11,
  csNoStdEvents = 1u << 12,
  csDisplayDragImage = 1u << 13,
  csReflector = 1u << 14,
  csActionClient = 1u << 15,
  csMenuEvents = 1u << 16,
  csNeedsBorderPaint = 1u << 17,
  csParentBackground = 1u << 18,
  csPannable = 1u << 19,
  csAlignWithMargins = 1u << 20,
  csGestures = 1u << 21,
  csPaintBlackOpaqueOnGlass = 1u << 22,
  csOverrideStylePaint = 1u << 23,
};
using TControlStyle = uint32_t;

// ControlState: what a control is doing right now.
enum TControlStateFlag : uint32_t {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,
  csPalette = 1u << 2,
  csReadingState = 1u << 3,
  csAlignmentNeeded = 1u << 4,
  csFocusing = 1u << 5,
  csCreating = 1u << 6,
  csPaintCopy = 1u << 7,
  csCustomPaint = 1u << 8,
  csDestroyingHandle = 1u << 9,
  csDocking = 1u << 10,
  csDesignerHide = 1u << 11,
  csPanning = 1u << 12,
  csRecreating = 1u << 13,
  csAligning = 1u << 14,
};
using TControlState = uint32_t;

enum THelpType : uint8_t { htKeyword, htContext };
enum TBiDiMode : uint8_t { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TDragMode : uint8_t { dmManual, dmAutomatic };
enum TDragKind : uint8_t { dkDrag, dkDock };
enum TStyleElement : uint8_t { seFont, seClient, seBorder };
inline constexpr int64_t kAllStyleElements = 7;
enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
// How a control aligns its text across its width.
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
// Which scroll bars a scrolling control shows.
enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TBevelEdge : uint8_t { beLeft, beTop, beRight, beBottom };
enum TBevelKind : uint8_t { bkNone, bkTile, bkSoft, bkFlat };
enum TImeMode : uint8_t {
  imDisable,
  imClose,
  imOpen,
  imDontCare,
  imSAlpha,
  imAlpha,
  imHira,
  imSKata,
  imKata,
  imChinese,
  imSHanguel,
  imHanguel
};

using TCursor = int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -5;
inline constexpr TCursor crSizeNS = -6;
inline constexpr TCursor crSizeNWSE = -7;
inline constexpr TCursor crSizeWE = -8;
inline constexpr TCursor crUpArrow = -9;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

// Published type information of the enumerations above, for descendants'
// ClassBuilder declarations.
const TEnumInfo& AlignEnumInfo();
const TEnumInfo& AnchorKindEnumInfo();
const TEnumInfo& HelpTypeEnumInfo();
const TEnumInfo& BiDiModeEnumInfo();
const TEnumInfo& DragModeEnumInfo();
const TEnumInfo& DragKindEnumInfo();
const TEnumInfo& StyleElementEnumInfo();
const TEnumInfo& BevelCutEnumInfo();
const TEnumInfo& ScrollStyleEnumInfo();
const TEnumInfo& AlignmentEnumInfo();
const TEnumInfo& BevelEdgeEnumInfo();
const TEnumInfo& BevelKindEnumInfo();
const TEnumInfo& ImeModeEnumInfo();

// Typed event handlers. Each event is also a TMethod (what a form file binds
// by name; it receives only the sender). When the typed handler is set it
// is called instead of the TMethod.
using TMouseEvent = std::function<void(TPersistent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TPersistent* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TPersistent* sender, Word& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TPersistent* sender, char& key)>;
using TContextPopupEvent = std::function<void(TPersistent* sender, TPoint mousePos, bool& handled)>;

// ---------------------------------------------------------------------------
// Sub-objects

// Size limits of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
  TESSALY_CLASS(TSizeConstraints)

 public:
  TSizeConstraints() = default;
  int MinWidth() const { return minWidth_; }
  int MinHeight() const { return minHeight_; }
  int MaxWidth() const { return maxWidth_; }
  int MaxHeight() const { return maxHeight_; }
  void SetMinWidth(int v);
  void SetMinHeight(int v);
  void SetMaxWidth(int v);
  void SetMaxHeight(int v);
  void Assign(const TPersistent& source) override;
  // Clamps a size to the limits.
  void Apply(int& width, int& height) const;

  std::function<void()> OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange();
  }
  int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

// Four edge distances: Margins (default 3) and Padding (default 0).
class TMargins : public TPersistent {
  TESSALY_CLASS(TMargins)

 public:
  TMargins() : TMargins(3) {}
  explicit TMargins(int def) : left_(def), top_(def), right_(def), bottom_(def) {}
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Right() const { return right_; }
  int Bottom() const { return bottom_; }
  void SetLeft(int v) { Set(left_, v); }
  void SetTop(int v) { Set(top_, v); }
  void SetRight(int v) { Set(right_, v); }
  void SetBottom(int v) { Set(bottom_, v); }
  void Assign(const TPersistent& source) override;

  std::function<void()> OnChange;

 private:
  void Set(int& field, int v) {
    if (field == v) return;
    field = v;
    if (OnChange) OnChange();
  }
  int left_, top_, right_, bottom_;
};

class TPadding : public TMargins {
  TESSALY_CLASS(TPadding)

 public:
  TPadding() : TMargins(0) {}
};

// ---------------------------------------------------------------------------
// Platform helpers

// The system beep. Goes to QApplication::beep() unless a hook is set; every
// call counts.
void MessageBeep(uint32_t type = MB_OK);
int MessageBeepCount();
void ResetMessageBeepCount();
// Replaces the platform beep (tests observe it); an empty function restores it.
void SetMessageBeepHook(std::function<void(uint32_t type)> hook);

// The framework draws its controls in the styles of the newer system look.
extern bool NewStyleControls;

// The windowed control that has the keyboard focus, or nullptr.
TWinControl* FindFocusedControl();
// Forgets the focused control without messages (it is going away).
void ClearFocusedControl();
// The shift state of the key message being processed.
TShiftState CurrentKeyShift();
// The control that captured the mouse, or nullptr.
class TControl;
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

// Shows a control's popup menu; set by the menu classes. Returns true when
// a menu was shown.
extern std::function<bool(TControl* control, TComponent* popupMenu, TPoint screenPos)> ShowPopupMenuHook;

// The form a control sits on (walking up the parents), or nullptr.
TCustomForm* GetParentForm(const TControl* control);

// Accelerators: whether caption has "&c" for the character of the key.
bool IsAccel(Word vk, const std::string& caption);
// Qt's mnemonic text for a caption ("&File" stays "&File"; the framework and
// Qt share the '&' and "&&" convention), decoded from the code page.
QString CaptionToMnemonicText(const std::string& caption, const char* codePage);
// The same decoded as the font decodes (see TFont::CodePage).
QString CaptionToMnemonicText(const std::string& caption, const TFont& font);
// The caption without its accelerator marks, decoded ("&&" -> "&").
QString StripAccelText(const std::string& caption, const TFont& font);

// Keyboard translation.
Word QtKeyToVirtualKey(int qtKey, const QString& text);
TShiftState ShiftStateOfModifiers(int qtModifiers, int qtButtons = 0);

// ---------------------------------------------------------------------------
// TControl

class TTouchManager;

class TControl : public TComponent {
  TESSALY_CLASS(TControl)
  friend class TWinControl;
  friend class controls_detail::TControlWidget;

 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // --- bounds
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  // The one place bounds change. Overrides adjust the values and call the
  // base; the base applies Constraints, stores the bounds, moves the widget
  // (or repaints the parent), realigns and dispatches WM_SIZE when the size
  // changed.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }

  // The client area in the control's own coordinates. The default is the
  // whole control.
  virtual TRect GetClientRect() const;
  TRect ClientRect() const { return GetClientRect(); }
  int ClientWidth() const { return GetClientRect().Width(); }
  int ClientHeight() const { return GetClientRect().Height(); }
  void SetClientWidth(int v);
  void SetClientHeight(int v);
  virtual void SetClientSize(int width, int height);
  // The top-left of the client area in screen (top-level) coordinates.
  TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;
  // Offset of the client area inside the control's bounds.
  virtual TPoint ClientOffset() const { return {0, 0}; }

  // --- parent
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }

  // --- visibility and state
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are all parents up to a shown top-level control.
  virtual bool Showing() const;
  // Whether the control's bounds count towards the scroll range of its
  // scrolling parent. A control standing in for something its designer
  // drew as a design-time icon only (a non-visual component) does not.
  virtual bool WidensScrollRange() const { return true; }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);
  void BringToFront();
  void SendToBack();

  // --- appearance (protected properties in the type information)
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* font);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool v);
  bool ParentCtl3D() const { return parentCtl3D_; }
  void SetParentCtl3D(bool v);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool v);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);
  TComponent* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TComponent* menu);
  TSizeConstraints* Constraints() const { return constraints_.get(); }
  TMargins* Margins() const { return margins_.get(); }
  // The gesture settings, made when first asked for (forms seldom set them).
  TTouchManager* Touch() const;
  bool AlignWithMargins() const { return alignWithMargins_; }
  void SetAlignWithMargins(bool v);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors a);
  bool AutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool v) { autoSize_ = v; }
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode v) { biDiMode_ = v; }
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool v) { parentBiDiMode_ = v; }
  int64_t StyleElements() const { return styleElements_; }
  void SetStyleElements(int64_t v) { styleElements_ = v; }
  TComponent* CustomHint() const { return customHint_; }
  void SetCustomHint(TComponent* c);
  THelpType HelpType() const { return helpType_; }
  void SetHelpType(THelpType v) { helpType_ = v; }
  const std::string& HelpKeyword() const { return helpKeyword_; }
  void SetHelpKeyword(const std::string& v) { helpKeyword_ = v; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int v) { helpContext_ = v; }

  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle s) { controlStyle_ = s; }
  bool HasStyle(TControlStyleFlag f) const { return (controlStyle_ & f) != 0; }
  TControlState ControlState() const { return controlState_; }
  void SetControlState(TControlState s) { controlState_ = s; }
  bool InState(TControlStateFlag f) const { return (controlState_ & f) != 0; }

  // Caption and Text are one 8-bit form string; DisplayText decodes it with
  // the font's charset.
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& v) { SetText(v); }
  const std::string& Text() const { return text_; }
  virtual void SetText(const std::string& v);
  QString DisplayText() const;

  // --- painting
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }

  // --- input
  virtual void Click();
  virtual void DblClick();
  bool MouseCapture() const;
  void SetMouseCapture(bool v);

  // --- messages
  LRESULT Perform(uint32_t msg, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual void WndProc(TMessage& message);
  virtual void Dispatch(TMessage& message);
  virtual void DefaultHandler(TMessage& message) { (void)message; }

  // --- scaling: multiplies positions, sizes and font heights by m/d.
  virtual void ChangeScale(int m, int d);

  void Loaded() override;
  void DefineProperties(TFiler& filer) override;

  // Events (what forms bind by name).
  TMethod OnClick, OnDblClick, OnMouseDown, OnMouseMove, OnMouseUp, OnResize, OnContextPopup, OnMouseEnter,
      OnMouseLeave, OnMouseWheel, OnMouseWheelDown, OnMouseWheelUp, OnMouseActivate, OnDragDrop, OnDragOver, OnEndDrag,
      OnStartDrag, OnEndDock, OnStartDock, OnCanResize, OnConstrainedResize, OnGesture;
  // Typed handlers, called instead of the TMethod when set.
  TMouseEvent OnMouseDownProc, OnMouseUpProc;
  TMouseMoveEvent OnMouseMoveProc;
  TContextPopupEvent OnContextPopupProc;

  // The parent's widget for a graphic control, the own one for a windowed
  // control (nullptr before the handle exists).
  virtual QWidget* Surface() const;

 protected:
  // --- message handlers (call the base for "inherited")
  virtual void WMSize(TWMSize& msg);
  virtual void WMLButtonDown(TWMMouse& msg);
  virtual void WMLButtonUp(TWMMouse& msg);
  virtual void WMLButtonDblClk(TWMMouse& msg);
  virtual void WMRButtonDown(TWMMouse& msg);
  virtual void WMRButtonUp(TWMMouse& msg);
  virtual void WMRButtonDblClk(TWMMouse& msg);
  virtual void WMMButtonDown(TWMMouse& msg);
  virtual void WMMButtonUp(TWMMouse& msg);
  virtual void WMMButtonDblClk(TWMMouse& msg);
  virtual void WMMouseMove(TWMMouse& msg);
  virtual void WMCancelMode(TMessage& msg);
  virtual void CMEnabledChanged(TMessage& msg);
  virtual void CMVisibleChanged(TMessage& msg);
  virtual void CMColorChanged(TMessage& msg);
  virtual void CMFontChanged(TMessage& msg);
  virtual void CMTextChanged(TMessage& msg);
  virtual void CMParentColorChanged(TMessage& msg);
  virtual void CMParentFontChanged(TMessage& msg);
  virtual void CMParentCtl3DChanged(TMessage& msg);
  virtual void CMParentShowHintChanged(TMessage& msg);
  virtual void CMMouseEnter(TMessage& msg);
  virtual void CMMouseLeave(TMessage& msg);
  virtual void CMCursorChanged(TMessage& msg);
  virtual void CMHintShow(TMessage& msg);

  // --- dynamic virtuals (fire the events)
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void Resize();
  // Adjusts a proposed size: Constraints, fixed styles. Overrides may clamp
  // further and call the base.
  virtual void ConstrainedResize(int& width, int& height);
  virtual void FontChanged();
  virtual void AdjustSize() {}
  virtual void ContextPopup(TPoint pos, bool& handled);
  // Called after bounds changed (before WM_SIZE).
  virtual void BoundsChanged(const TRect& oldBounds);
  // Schedules a repaint of the part of the parent's widget that shows r,
  // given in the parent's client coordinates.
  void UpdateParentArea(const TRect& r) const;
  virtual void VisibleChanging() {}
  // Asks the parent to realign (when this control is aligned or anchored).
  void RequestAlign();
  // Sends WM_SIZE with the current client size, as a window does when it
  // is resized or made again.
  void SendSizeMessage();
  // Records the distances anchors keep, relative to the parent's current
  // client size.
  void UpdateAnchorRules();
  // Bounds set by the layout (alignment, anchors): no anchor rules update.
  void SetBoundsFromLayout(int left, int top, int width, int height);
  void Notification(TComponent* component, TOperation operation) override;

  // Mouse message helpers.
  void DoMouseDown(TWMMouse& msg, TMouseButton button, TShiftState extra);
  void DoMouseUp(TWMMouse& msg, TMouseButton button);

  // The canvas a control paints on: attached to the back buffer while
  // painting (see TGraphicControl::Canvas, TCustomControl::Canvas).
  TCanvas* ControlCanvas();

  bool ParentHandleAllocated() const;

  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;

 private:
  friend void ApplyParentFont(TControl* c);
  void FontOnChange();
  void ConstraintsChanged();
  struct AnchorRules {
    bool valid = false;
    int parentWidth = 0, parentHeight = 0;
    int left = 0, top = 0, width = 0, height = 0;
  };

  TWinControl* parent_ = nullptr;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clWindow;
  bool parentColor_ = true;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  bool applyingParentFont_ = false;
  bool ctl3D_ = true;
  bool parentCtl3D_ = true;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TCursor cursor_ = crDefault;
  TComponent* popupMenu_ = nullptr;
  TComponent* customHint_ = nullptr;
  std::unique_ptr<TSizeConstraints> constraints_;
  std::unique_ptr<TMargins> margins_;
  mutable std::unique_ptr<TTouchManager> touch_;
  bool alignWithMargins_ = false;
  TAlign align_ = alNone;
  TAnchors anchors_ = kDefaultAnchors;
  AnchorRules anchorRules_;
  bool layoutMove_ = false;
  bool autoSize_ = false;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool parentBiDiMode_ = true;
  int64_t styleElements_ = kAllStyleElements;
  THelpType helpType_ = htContext;
  std::string helpKeyword_;
  int helpContext_ = 0;
  TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState controlState_ = 0;
  std::string text_;
  std::unique_ptr<TCanvas> canvas_;
  std::vector<int32_t> designSize_;
};

// ---------------------------------------------------------------------------
// TWinControl

// What CreateParams fills for CreateWnd. Style bits mirror the system's
// window styles for descendants that test them; the Qt side reads Caption,
// the bounds and windowFlags.
struct TCreateParams {
  std::string Caption;
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  TWinControl* WndParent = nullptr;
  int windowFlags = 0;  // Qt::WindowFlags for top-level windows
};
enum : uint32_t {
  WS_CHILD = 0x40000000,
  WS_VISIBLE = 0x10000000,
  WS_DISABLED = 0x08000000,
  WS_CLIPSIBLINGS = 0x04000000,
  WS_CLIPCHILDREN = 0x02000000,
  WS_BORDER = 0x00800000,
  WS_CAPTION = 0x00C00000,
  WS_VSCROLL = 0x00200000,
  WS_HSCROLL = 0x00100000,
  WS_TABSTOP = 0x00010000,
  WS_EX_CLIENTEDGE = 0x00000200,
};

class TWinControl : public TControl {
  TESSALY_CLASS(TWinControl)
  friend class TControl;
  friend class controls_detail::TControlWidget;
  friend class TCustomForm;

 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // --- children, in z-order (last on top)
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(size_t(index)); }
  // The visible child at p (client coordinates), the topmost; graphic and
  // windowed alike. Disabled ones only when allowDisabled.
  TControl* ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls = true) const;
  bool ContainsControl(const TControl* control) const;
  void Broadcast(TMessage& message);

  // --- window handle
  QWidget* Handle();  // creates it when needed
  QWidget* WidgetIfAllocated() const { return widget_.data(); }
  bool HandleAllocated() const { return !widget_.isNull(); }
  void HandleNeeded();
  QWidget* Surface() const override { return widget_.data(); }

  // --- focus and keyboard
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool Focused() const;
  // Focuses the next (or previous) control after current among this
  // control's descendants in tab order.
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;
  // This control's windowed descendants in tab order (depth first).
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  // Windowed children sorted by TabOrder.
  std::vector<TWinControl*> TabList() const;

  // --- layout
  void DisableAlign();
  void EnableAlign();
  // Lays the children out again; control, when given, is the one whose
  // change asked for it (it goes first among equals).
  void Realign(TControl* control = nullptr);
  bool AlignDisabled() const { return alignLevel_ > 0; }
  // Lays out the children: anchored ones first, then alTop, alBottom,
  // alLeft, alRight, alClient, alCustom inside rect (the client rect as
  // AdjustClientRect leaves it).
  virtual void AlignControls(TControl* control, TRect& rect);
  // Shrinks the rectangle aligned children share (bevels, captions, padding).
  virtual void AdjustClientRect(TRect& rect);
  TPadding* Padding() const { return padding_.get(); }

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void ChangeScale(int m, int d) override;
  void Loaded() override;
  void SetBounds(int left, int top, int width, int height) override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  bool Showing() const override;

  // Paints the control and its graphic children into an image of the
  // control's size (what the widget shows; used by Render.h).
  void PaintTo(QImage& image);

  // Where the client area's (0, 0) lies inside this control's own widget.
  // Zero except for a form whose menu bar sits in its window above the
  // client area: children, painting and mouse positions all shift by it.
  virtual TPoint WidgetClientOrigin() const { return {0, 0}; }

  // Events.
  TMethod OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp, OnDockDrop, OnDockOver, OnGetSiteInfo, OnUnDock,
      OnAlignInsertBefore, OnAlignPosition;
  TKeyEvent OnKeyDownProc, OnKeyUpProc;
  TKeyPressEvent OnKeyPressProc;

  // Entry points of the platform layer: a Qt event for this control's
  // widget. Return true when the event was consumed.
  bool HandleQtKeyPress(QKeyEvent* event);
  bool HandleQtKeyRelease(QKeyEvent* event);
  bool HandleQtMouse(QMouseEvent* event);
  void HandleQtFocusIn();
  // Every Qt event of this control's widget passes here first; return true
  // to consume it. Forms override it for close, resize and activation.
  virtual bool WidgetEvent(QEvent* event);

 protected:
  // --- window creation steps
  virtual void CreateParams(TCreateParams& params);
  // CreateParams, then CreateWindowHandle, then syncs geometry, visibility,
  // enabled state and font to the widget.
  virtual void CreateWnd();
  // Makes the widget; the default is the framework's painting widget.
  // Descendants return a native Qt widget to wrap it.
  virtual QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget);
  // CreateWnd and the children's handles.
  virtual void CreateHandle();
  virtual void DestroyWnd();
  // Reflects visibility, enabled state, geometry on the widget.
  virtual void UpdateWidget();
  void BoundsChanged(const TRect& oldBounds) override;

  // --- painting: PaintHandler erases (unless csOpaque), calls PaintWindow
  // and paints graphic children.
  virtual void PaintWindow(TCanvas& canvas) { (void)canvas; }
  void PaintControls(TCanvas& canvas, const QImage& image);
  void PaintHandler(QImage& buffer);

  // --- message handlers
  void Dispatch(TMessage& message) override;
  void WMSize(TWMSize& msg) override;
  virtual void WMSetFocus(TWMSetFocus& msg);
  virtual void WMKillFocus(TWMKillFocus& msg);
  // The stock answer of the control's class (DialogCodes.h).
  virtual void WMGetDlgCode(TWMGetDlgCode& msg);
  virtual void WMKeyDown(TWMKey& msg);
  virtual void WMKeyUp(TWMKey& msg);
  virtual void WMChar(TWMKey& msg);
  virtual void WMSysKeyDown(TWMKey& msg);
  virtual void WMSysKeyUp(TWMKey& msg);
  virtual void WMSysChar(TWMKey& msg);
  virtual void WMPaste(TWMNoParams& msg) { DefaultMsg(msg); }
  virtual void WMCut(TWMNoParams& msg) { DefaultMsg(msg); }
  virtual void WMCopy(TWMNoParams& msg) { DefaultMsg(msg); }
  virtual void WMClear(TWMNoParams& msg) { DefaultMsg(msg); }
  virtual void WMUndo(TWMNoParams& msg) { DefaultMsg(msg); }
  virtual void CMEnter(TCMEnter& msg);
  virtual void CMExit(TCMExit& msg);
  // Tab, arrows, Return, Escape the focused control does not want: the
  // default broadcasts to the children (default and cancel buttons).
  virtual void CMDialogKey(TCMDialogKey& msg);
  // Accelerator characters: the default broadcasts to the children.
  virtual void CMDialogChar(TCMDialogChar& msg);
  virtual void CMChildKey(TWMKey& msg);
  virtual void CMWantSpecialKey(TWMKey& msg) { msg.Result = 0; }
  void CMEnabledChanged(TMessage& msg) override;
  void CMVisibleChanged(TMessage& msg) override;
  void CMFontChanged(TMessage& msg) override;
  void CMColorChanged(TMessage& msg) override;
  void CMTextChanged(TMessage& msg) override;

  // --- keyboard: KeyPreview of the form first, then the dynamic virtuals.
  // Return true when a handler zeroed the key (stop default processing).
  bool DoKeyDown(TWMKey& msg);
  bool DoKeyPress(TWMKey& msg);
  bool DoKeyUp(TWMKey& msg);
  virtual void KeyDown(Word& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void KeyUp(Word& key, TShiftState shift);
  virtual void DoEnter();
  virtual void DoExit();

  // Child list changes (for descendants that track children).
  virtual void ControlListChanged(TControl* control, bool inserting) {
    (void)control;
    (void)inserting;
  }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  void DefaultMsg(TWMNoParams& msg);
  // Re-sorts the tab list by the TabOrder values read from a form.
  void FixupTabList();

 private:
  void ApplyAnchors(TControl* control, const TRect& clientRect);
  void DoAlign(TAlign align, TControl* control, TRect& rect);
  void UpdateCursorAt(TPoint p);
  void ChildMouseHover(TControl* hovered);
  // Key pipeline: dialog keys first (CN_KEYDOWN of the original).
  bool DialogKeyStage(TWMKey& msg);
  bool DialogCharStage(TWMKey& msg);

  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;  // windowed children in tab order
  QPointer<QWidget> widget_;
  QPointer<controls_detail::TControlWidget> ownWidget_;  // when widget_ is the framework's
  bool tabStop_ = false;
  int alignLevel_ = 0;
  std::unique_ptr<TPadding> padding_;
  TControl* hovered_ = nullptr;  // graphic child under the mouse
  bool recreating_ = false;
  int requestedTabOrder_ = -1;
};

// ---------------------------------------------------------------------------
// TGraphicControl and TCustomControl

// A control without a window: painted by its parent on the parent's canvas,
// fed mouse events by the parent. Override Paint.
class TGraphicControl : public TControl {
  TESSALY_CLASS(TGraphicControl)
  friend class TWinControl;

 public:
  explicit TGraphicControl(TComponent* owner);
  // Valid during Paint: drawing on it draws on the parent's back buffer in
  // this control's coordinates, clipped to its bounds.
  TCanvas* Canvas() { return ControlCanvas(); }

 protected:
  virtual void Paint() {}
};

// A windowed control that paints itself: override Paint.
class TCustomControl : public TWinControl {
  TESSALY_CLASS(TCustomControl)

 public:
  explicit TCustomControl(TComponent* owner);
  // Valid during Paint: the back buffer of the control's widget.
  TCanvas* Canvas() { return ControlCanvas(); }

 protected:
  virtual void Paint() {}
  void PaintWindow(TCanvas& canvas) override;
};
