// Forms, the screen and the application object.
//
// A form's Width and Height include a fixed non-client frame (border and
// caption, by BorderStyle; see FrameOf) so that ClientWidth/ClientHeight and
// Width/Height relate the same way on every machine. The Qt window shows the
// client area only: its size is the client size.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"

class TGlassFrame;
class TScrollingArea;
class TTitleBar;

class QEventLoop;
class TStream;

enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// The border of a control that has one: the first two form border styles,
// published with just those two names.
using TBorderStyle = TFormBorderStyle;
enum TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = uint8_t;
enum TPosition : uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
enum TPrintScale : uint8_t { poNone, poProportional, poPrintToFit };
enum TDefaultMonitor : uint8_t { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
enum TPopupMode : uint8_t { pmNone, pmAuto, pmExplicit };
enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };

const TEnumInfo& FormBorderStyleEnumInfo();
const TEnumInfo& BorderIconEnumInfo();
const TEnumInfo& PositionEnumInfo();
const TEnumInfo& WindowStateEnumInfo();
const TEnumInfo& FormStyleEnumInfo();

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;
inline constexpr TModalResult mrClose = 11;

// Message box flags and answers.
inline constexpr uint32_t MB_OKCANCEL = 0x01;
inline constexpr uint32_t MB_ABORTRETRYIGNORE = 0x02;
inline constexpr uint32_t MB_YESNOCANCEL = 0x03;
inline constexpr uint32_t MB_YESNO = 0x04;
inline constexpr uint32_t MB_RETRYCANCEL = 0x05;
inline constexpr uint32_t MB_ICONERROR = MB_ICONHAND;
inline constexpr uint32_t MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr uint32_t MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;

// A scrolling window's horizontal or vertical scroll bar settings. Range
// and Visible decide the bar (see ScrollingArea.h); the rest load and
// stream back.
class TControlScrollBar : public TPersistent {
  TESSALY_CLASS(TControlScrollBar)

 public:
  TControlScrollBar() = default;
  int Range() const;
  // The stored position, never negative.
  int Position() const;
  bool Visible() const;
  void Assign(const TPersistent& source) override;
};

// A form's icon: the bytes of its "Data" as read, written back unchanged.
class TFormIcon : public TPersistent {
  TESSALY_CLASS(TFormIcon)

 public:
  TFormIcon() = default;
  const std::string& Data() const { return data_; }
  void SetData(std::string d) { data_ = std::move(d); }
  bool Empty() const { return data_.empty(); }
  void DefineProperties(TFiler& filer) override;
  void Assign(const TPersistent& source) override;

 private:
  std::string data_;
};

// ---------------------------------------------------------------------------
// TCustomForm

class TCustomForm : public TWinControl {
  TESSALY_CLASS(TCustomForm)
  friend class TWinControl;
  friend class TControl;

 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // The non-client frame added to the client size: {border, caption}.
  static TSize FrameOf(TFormBorderStyle style);

  TRect GetClientRect() const override;
  void SetClientSize(int width, int height) override;
  void SetBounds(int left, int top, int width, int height) override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle s);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons v) { borderIcons_ = v; }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition p) { position_ = p; }
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState s);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle s) { formStyle_ = s; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int v) { pixelsPerInch_ = v; }
  int TextHeight() const { return textHeight_; }
  void SetTextHeight(int v) { textHeight_ = v; }
  bool Scaled() const { return scaled_; }
  void SetScaled(bool v) { scaled_ = v; }
  bool OldCreateOrder() const { return oldCreateOrder_; }
  void SetOldCreateOrder(bool v) { oldCreateOrder_ = v; }
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool v) { autoScroll_ = v; }
  TComponent* Menu() const { return menu_; }
  void SetMenu(TComponent* menu);
  // The height of the menu bar the form's window shows above its client
  // area (0 without one). The main menu sets it when it attaches its bar;
  // the window grows by it and the client area keeps its size.
  int MenuBarHeight() const { return menuBarHeight_; }
  void SetMenuBarHeight(int height);
  TPoint WidgetClientOrigin() const override { return {0, menuBarHeight_}; }
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  TFormIcon* Icon() const { return icon_.get(); }
  TControlScrollBar* HorzScrollBar() const { return horzScrollBar_.get(); }
  const TScrollingArea& Scrolling() const { return *scrolling_; }
  void ScrollTo(int x, int y);
  TControlScrollBar* VertScrollBar() const { return vertScrollBar_.get(); }
  TCanvas* Canvas() { return ControlCanvas(); }

  // --- showing and closing
  void Show();
  void Hide();
  // Shows the form modally: a nested event loop runs until ModalResult
  // becomes non-zero (Close sets mrCancel); returns it.
  virtual int ShowModal();
  void Close();
  virtual bool CloseQuery();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult r);
  bool InModalLoop() const { return modalLoop_ != nullptr; }
  // Deletes the form once control returns to the event loop.
  void Release();
  bool Active() const { return active_; }

  // The control the keyboard focus is in moves here: CM_EXIT to the old
  // control and its containers, then CM_ENTER to the new one's.
  virtual void SetFocusedControl(TWinControl* control);
  // Focus the ActiveControl, or the first control in tab order.
  void FocusFirstControl();

  bool DoKeyDown(TWMKey& msg);
  bool DoKeyPress(TWMKey& msg);
  bool DoKeyUp(TWMKey& msg);

  bool Showing() const override;
  void Loaded() override;
  // Decides the code page of the description's DEFAULT_CHARSET text once,
  // from all its 8-bit strings (see DetectAnsiCodePage): the form's font
  // takes it, and so does every font and menu made while it is read.
  void ReadingStrings(const std::vector<std::string>& strings) override;
  void DefineProperties(TFiler& filer) override;
  void ChangeScale(int m, int d) override;
  bool WidgetEvent(QEvent* event) override;

  // Events.
  TMethod OnActivate, OnDeactivate, OnCreate, OnDestroy, OnShow, OnHide, OnClose, OnCloseQuery, OnPaint, OnHelp,
      OnShortCut, OnMouseWheel2;
  std::function<void(TPersistent* sender, TCloseAction& action)> OnCloseProc;
  std::function<void(TPersistent* sender, bool& canClose)> OnCloseQueryProc;

  // Called by controls on their way out (focus and ActiveControl).
  void ControlDestroying(TControl* control);

 protected:
  // Aligns, then shows the scroll bars an AutoScroll form's children need
  // (the aligned children share what the bars leave).
  void AlignControls(TControl* control, TRect& rect) override;
  void CreateWnd() override;
  void CreateParams(TCreateParams& params) override;
  void UpdateWidget() override;
  void PaintWindow(TCanvas& canvas) override;
  virtual void Paint();
  void CMDialogKey(TCMDialogKey& msg) override;
  void CMTextChanged(TMessage& msg) override;
  void CMVisibleChanged(TMessage& msg) override;
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoClose(TCloseAction& action);
  virtual void Activate();
  virtual void Deactivate();
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void PlaceWindow();
  void ShowWindowNow();
  void HideWindowNow();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = (1u << biSystemMenu) | (1u << biMinimize) | (1u << biMaximize);
  TPosition position_ = poDesigned;
  TWindowState windowState_ = wsNormal;
  TFormStyle formStyle_ = fsNormal;
  bool keyPreview_ = false;
  int pixelsPerInch_ = 96;
  int textHeight_ = 13;
  bool scaled_ = true;
  bool oldCreateOrder_ = false;
  bool autoScroll_ = true;
  TComponent* menu_ = nullptr;
  int menuBarHeight_ = 0;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  std::unique_ptr<TFormIcon> icon_;
  std::unique_ptr<TControlScrollBar> horzScrollBar_, vertScrollBar_;
  std::unique_ptr<TScrollingArea> scrolling_;
  TModalResult modalResult_ = mrNone;
  QEventLoop* modalLoop_ = nullptr;
  bool active_ = false;
  bool ppiRead_ = false;
  bool clientSizeRead_ = false;
  bool showingWindow_ = false;
  int clientWidth_ = 0, clientHeight_ = 0;
};

class TForm : public TCustomForm {
  TESSALY_CLASS(TForm)

 public:
  explicit TForm(TComponent* owner);
  // Creates the form and reads its own form description from the stream
  // (a form resource, a bare binary form stream or form text).
  TForm(TComponent* owner, TStream& description);
  ~TForm() override;
  TGlassFrame* GlassFrame() const { return glassFrame_.get(); }
  TTitleBar* CustomTitleBar() const { return titleBar_.get(); }

  TMethod OnAfterMonitorDpiChanged, OnBeforeMonitorDpiChanged;

 private:
  std::unique_ptr<TGlassFrame> glassFrame_;
  std::unique_ptr<TTitleBar> titleBar_;
};

// Reads a form description (resource, binary or text) into an existing
// form or other root component, as a form's constructor does with the
// description it carries.
void InitInheritedComponent(TComponent* instance, TStream& description);

// ---------------------------------------------------------------------------
// TScreen

class TScreen {
 public:
  TScreen();
  // 96 unless the environment variable TESSALY_PIXELS_PER_INCH says
  // otherwise: results do not depend on the machine.
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int v) { pixelsPerInch_ = v; }
  int Width() const;
  int Height() const;
  TWinControl* ActiveControl() const { return FindFocusedControl(); }
  TCustomForm* ActiveForm() const;
  int FormCount() const { return int(forms_.size()); }
  TCustomForm* Forms(int i) const { return forms_.at(size_t(i)); }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);

 private:
  friend class TCustomForm;
  int pixelsPerInch_ = 96;
  TCursor cursor_ = crDefault;
  std::vector<TCustomForm*> forms_;
};

extern TScreen* Screen;

// ---------------------------------------------------------------------------
// TApplication

// A message box request, as a hook sees it.
struct TMessageBoxRequest {
  std::string text;     // UTF-8
  std::string caption;  // UTF-8
  uint32_t flags = 0;
};

// Where the program's icon resource is found, if it carries one.
inline constexpr const char* kMainIconResource = ":/icons/MAINICON.ico";

class TApplication : public TComponent {
  TESSALY_CLASS(TApplication)

 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // Makes sure a QApplication exists.
  void Initialize();
  // Constructs a form of that class owned by the application; the first
  // becomes the main form.
  template <class F>
  F* CreateForm() {
    F* form = new F(this);
    if (!mainForm_) mainForm_ = form;
    return form;
  }
  void CreateForm(const TClassInfo& cls, TCustomForm*& reference);
  TCustomForm* MainForm() const { return mainForm_; }
  void SetMainForm(TCustomForm* f) { mainForm_ = f; }
  // Shows the main form and runs the event loop until it closes.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  void ProcessMessages();
  // Shows the exception's message and carries on.
  void HandleException(const std::exception& e);
  void ShowException(const std::exception& e);
  // A message box with the application's title by default; returns the ID
  // of the button chosen.
  int MessageBox(const std::string& text, const std::string& caption = {}, uint32_t flags = MB_OK);

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& t) { title_ = t; }
  const std::string& HintStr() const { return hint_; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }

  // Replaces the exception display (the default shows a message box).
  std::function<void(TPersistent* sender, const std::exception& e)> OnException;
  // Answers message boxes without showing them (tests); returns the button ID.
  std::function<int(const TMessageBoxRequest& request)> MessageBoxHook;

  // Called when a form closes (the main form's close ends Run).
  void FormClosed(TCustomForm* form);
  void FormDestroyed(TCustomForm* form);

 private:
  TCustomForm* mainForm_ = nullptr;
  std::string title_ = "Tessaly";
  std::string hint_;
  bool showHint_ = true;
  bool terminated_ = false;
  bool running_ = false;
};

extern TApplication* Application;
