// TCustomEdit: a single-line edit box on a QLineEdit.
//
// Text is the control's 8-bit form string (TControl::Text); the widget shows
// it decoded with the font's charset. Typing re-encodes the widget's text
// into Text; a program's SetText keeps its bytes exactly. Every change of
// Text, typed or set, fires Change (OnChange).
//
// Keyboard input reaches KeyDown and KeyPress before the widget: a KeyPress
// that zeroes the character refuses it. Paste and cut arrive as WM_PASTE and
// WM_CUT whether they come from the keyboard (Ctrl+V, Shift+Insert, Ctrl+X,
// Shift+Delete) or from the context menu, so that a descendant can refuse
// them by not calling WMPaste/WMCut of this class.
//
// The formatting rectangle (SetFormatRect) is the text area in client
// coordinates; the widget keeps its text inside it by margins.
#pragma once

#include <cstdint>
#include <string>

#include <QPointer>

#include "Controls.h"

class QLineEdit;
class TEditWidget;

// Edit window styles, for CreateParams.
enum : uint32_t {
  ES_LEFT = 0x0000,
  ES_CENTER = 0x0001,
  ES_RIGHT = 0x0002,
  ES_MULTILINE = 0x0004,
  ES_UPPERCASE = 0x0008,
  ES_LOWERCASE = 0x0010,
  ES_PASSWORD = 0x0020,
  ES_AUTOHSCROLL = 0x0080,
  ES_NOHIDESEL = 0x0100,
  ES_READONLY = 0x0800,
};

enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };
// The border of an edit: none, or a single frame (sunken when Ctl3D).
enum TEditBorderStyle : uint8_t { ebsNone, ebsSingle };

const TEnumInfo& EditCharCaseEnumInfo();
const TEnumInfo& EditBorderStyleEnumInfo();  // published as bsNone, bsSingle

// Text metrics for sizing edits. TextMetricHeight is a font's cell height
// (ascent + descent, what the system's tmHeight gives) as drawn here.
int TextMetricHeight(const TFont& font);
// The cell height of the screen's default font. A fixed 16 pixels (the
// classic 96-dpi system font) so that sizes do not depend on the machine.
inline constexpr int kScreenFontHeight = 16;
// The height of a window border line (SM_CYBORDER).
inline constexpr int kSystemBorderHeight = 1;

// The decimal separator of number formats, '.' unless a program changes it.
extern char DecimalSeparator;

class TCustomEdit : public TWinControl {
  TESSALY_CLASS(TCustomEdit)
  friend class TEditWidget;

 public:
  explicit TCustomEdit(TComponent* owner);
  ~TCustomEdit() override;

  void SetText(const std::string& value) override;

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);  // 0: no limit
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }
  // Keeps the height fitted to the font when the font changes.
  void SetAutoSize(bool value) override;
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase value);
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char value);
  TEditBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TEditBorderStyle value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value) { hideSelection_ = value; }
  bool Modified() const { return modified_; }
  void SetModified(bool value) { modified_ = value; }

  // Selection, in characters of the shown text.
  void SelectAll();
  void ClearSelection();
  int SelStart() const;
  void SetSelStart(int value);
  int SelLength() const;
  void SetSelLength(int value);
  std::string SelText() const;

  void Clear() { SetText(std::string()); }
  void PasteFromClipboard() { Perform(WM_PASTE); }
  void CutToClipboard() { Perform(WM_CUT); }
  void CopyToClipboard() { Perform(WM_COPY); }

  // The frame takes 2 pixels a side (1 when flat, none without a border).
  TRect GetClientRect() const override;
  TPoint ClientOffset() const override;
  int BorderWidth() const;

  // The text area in client coordinates (what EM_SETRECTNP sets).
  TRect FormatRect() const { return formatRect_; }
  // Sets the text area without repainting. An empty rectangle means the
  // whole client area.
  void SetFormatRect(const TRect& rect);

  // The window styles CreateParams asked for (ES_..., WS_...).
  uint32_t WindowStyle() const { return windowStyle_; }

  // The wrapped widget, once the handle exists.
  QLineEdit* LineEdit() const;

  TMethod OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void DestroyWnd() override;

  // Fires OnChange.
  virtual void Change();

  void WMPaste(TWMNoParams& msg) override;
  void WMCut(TWMNoParams& msg) override;
  void WMCopy(TWMNoParams& msg) override;
  void WMClear(TWMNoParams& msg) override;
  void WMUndo(TWMNoParams& msg) override;
  void WMGetDlgCode(TWMGetDlgCode& msg) override;
  void CMEnter(TCMEnter& msg) override;
  void CMFontChanged(TMessage& msg) override;
  void CMColorChanged(TMessage& msg) override;
  void Dispatch(TMessage& message) override;

 private:
  // The widget's text changed (typing, paste, cut, undo).
  void WidgetTextChanged();
  void ApplyTextMargins();
  void PlaceChildWidget(QWidget* widget);
  void ApplyToWidget();
  void AdjustHeight();
  std::string ApplyCharCase(const std::string& text) const;

  bool readOnly_ = false;
  int maxLength_ = 0;
  bool autoSelect_ = true;
  TEditCharCase charCase_ = ecNormal;
  char passwordChar_ = 0;
  TEditBorderStyle borderStyle_ = ebsSingle;
  bool hideSelection_ = true;
  bool modified_ = false;
  TRect formatRect_;
  uint32_t windowStyle_ = 0;
  QPointer<TEditWidget> edit_;  // null once Qt has deleted the widget with its parent
  bool settingWidgetText_ = false;
  // Selection kept while there is no widget.
  int selStart_ = 0, selLength_ = 0;
};
