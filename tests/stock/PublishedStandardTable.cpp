// Published lists of the standard units (standard controls, extra controls,
// buttons, forms and frames, menus, dialogs, actions) and of the shared
// sub-objects, as real forms of every version set them.
#include "PublishedTable.h"
#include "controls/Controls.h"
#include "controls/FormTitleBar.h"
#include "controls/Forms.h"
#include "controls/Graphics.h"
#include "controls/TouchManager.h"

namespace {
using K = TTypeKind;
using P = std::vector<ExpectedProperty>;
constexpr auto none = std::nullopt;

// Shorthands for the kinds a table names most.
ExpectedProperty Int(std::string n, std::optional<int64_t> d = none) { return {std::move(n), K::tkInteger, "", d}; }
ExpectedProperty Bool(std::string n, std::optional<int64_t> d = none) {
  return {std::move(n), K::tkEnumeration, "Boolean", d};
}
ExpectedProperty Enum(std::string n, std::string t, std::optional<int64_t> d = none) {
  return {std::move(n), K::tkEnumeration, std::move(t), d};
}
ExpectedProperty Set(std::string n, std::string t, std::optional<int64_t> d = none) {
  return {std::move(n), K::tkSet, std::move(t), d};
}
ExpectedProperty Str(std::string n) { return {std::move(n), K::tkString, "", none}; }
ExpectedProperty Obj(std::string n, std::string cls = "") { return {std::move(n), K::tkClass, std::move(cls), none}; }
ExpectedProperty Ev(std::string n) { return {std::move(n), K::tkMethod, "", none}; }

P Join(std::initializer_list<P> parts) {
  P all;
  for (const P& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// What every visible control carries in forms of every version.
P Control() {
  return {Int("Left"), Int("Top"), Int("Width"), Int("Height"), Int("Cursor", 0), Str("Hint"),
          Int("HelpContext", 0), Enum("Align", "TAlign", 0), Bool("AlignWithMargins", 0),
          Set("Anchors", "TAnchorKind", 3), Enum("BiDiMode", "TBiDiMode", 0),
          Obj("Constraints", "TSizeConstraints"), Obj("CustomHint"), Int("DragCursor", -12),
          Enum("DragKind", "TDragKind", 0), Enum("DragMode", "TDragMode", 0), Bool("Enabled", 1),
          Obj("Margins", "TMargins"), Bool("ParentBiDiMode", 1), Bool("ParentCustomHint", 1),
          Bool("ParentShowHint", 1), Obj("PopupMenu"), Bool("ShowHint"),
          Set("StyleElements", "TStyleElements", 7), Str("StyleName"), Obj("Touch", "TTouchManager"),
          Bool("Visible", 1), Int("ExplicitLeft"), Int("ExplicitWidth"), Ev("OnClick"), Ev("OnContextPopup"),
          Ev("OnDblClick"), Ev("OnDragDrop"), Ev("OnDragOver"), Ev("OnEndDrag"), Ev("OnGesture"),
          Ev("OnMouseActivate"), Ev("OnMouseDown"), Ev("OnMouseEnter"), Ev("OnMouseLeave"),
          Ev("OnMouseMove"), Ev("OnMouseUp"), Ev("OnStartDrag")};
}
P Looks() { return {Obj("Font", "TFont"), Bool("ParentColor"), Bool("ParentFont", 1), Bool("Ctl3D"), Bool("ParentCtl3D", 1)}; }
P Windowed() {
  return {Int("TabOrder", -1), Bool("TabStop"), Bool("DoubleBuffered"), Bool("ParentDoubleBuffered", 1),
          Obj("Padding", "TPadding"), Enum("ImeMode", "TImeMode", 3), Str("ImeName"), Ev("OnEnter"),
          Ev("OnExit"), Ev("OnKeyDown"), Ev("OnKeyPress"), Ev("OnKeyUp")};
}
P Bevels() {
  return {Set("BevelEdges", "TBevelEdge", 15), Enum("BevelInner", "TBevelCut"), Enum("BevelKind", "TBevelKind", 0),
          Enum("BevelOuter", "TBevelCut"), Int("BevelWidth", 1)};
}
P EditBox() {
  return {Enum("BorderStyle", "TBorderStyle", 1), Enum("CharCase", "TEditCharCase", 0),
          Bool("HideSelection", 1), Int("MaxLength", 0), Bool("OEMConvert", 0), Bool("ReadOnly", 0),
          Str("TextHint"), Ev("OnChange")};
}
P ListBox() {
  return {Bool("AutoComplete", 1), Enum("BorderStyle", "TBorderStyle", 1), Int("Columns", 0),
          Bool("ExtendedSelect", 1), Bool("IntegralHeight", 0), Int("ItemHeight"), Obj("Items", "TStrings"),
          Bool("MultiSelect", 0), Int("ScrollWidth", 0), Bool("Sorted", 0),
          Enum("Style", "TListBoxStyle", 0), Int("TabWidth", 0), Ev("OnDrawItem"), Ev("OnMeasureItem"),
          Ev("OnData")};
}
P ButtonFace() {
  return {Obj("Action"), Bool("Cancel", 0), Str("Caption"), Bool("Default", 0), Int("ImageIndex", -1),
          Int("HotImageIndex", -1), Int("DisabledImageIndex", -1), Int("PressedImageIndex", -1),
          Int("SelectedImageIndex", -1), Str("ImageName"), Obj("Images"), Obj("ImageMargins", "TMargins"),
          Enum("ImageAlignment", "TImageAlignment", 0), Int("ModalResult", 0), Bool("WordWrap", 0),
          Str("CommandLinkHint"), Obj("DropDownMenu"),
          Bool("ElevationRequired", 0), Ev("OnDropDownClick")};
}
P ScrollingWindow() {
  return {Obj("HorzScrollBar", "TControlScrollBar"), Obj("VertScrollBar", "TControlScrollBar"),
          Bool("AutoScroll"), Bool("AutoSize", 0)};
}
P Dialog() { return {Int("HelpContext", 0), Bool("Ctl3D", 1), Ev("OnClose"), Ev("OnShow")}; }
P OpenDialog() {
  return Join({Dialog(),
               {Str("DefaultExt"), Enum("FileEditStyle", "TFileEditStyle", 0), Str("FileName"), Str("Filter"),
                Int("FilterIndex", 1), Str("InitialDir"),
                Set("Options", "TOpenOption", 0x80004), Set("OptionsEx", "TOpenOptionEx", 0), Str("Title"),
                Ev("OnCanClose"), Ev("OnFolderChange"), Ev("OnIncludeItem"), Ev("OnSelectionChange"),
                Ev("OnTypeChange")}});
}
P ColorMap() {
  return {Int("BtnFrameColor"), Int("BtnSelectedColor"), Int("BtnSelectedFont"), Int("Color"),
          Int("DisabledColor"), Int("DisabledFontColor"), Int("DisabledFontShadow"), Int("FontColor"),
          Int("FrameBottomRightInner"), Int("FrameBottomRightOuter"), Int("FrameTopLeftInner"),
          Int("FrameTopLeftOuter"), Int("HighlightColor"), Int("HotColor"), Int("HotFontColor"), Int("MenuColor"),
          Int("SelectedColor"), Int("SelectedFontColor"), Int("ShadowColor"), Int("UnusedColor"),
          Ev("OnColorChange")};
}
P ActionBar() {
  return Join({Control(), Windowed(),
               {Obj("ActionManager"), Bool("AllowHiding"), Str("Caption"), Obj("ColorMap"),
                Set("EdgeBorders", "TEdgeBorder"), Enum("EdgeInner", "TEdgeStyle"), Enum("EdgeOuter", "TEdgeStyle"),
                Obj("Font", "TFont"), Int("HorzMargin"), Enum("Orientation", "TBarOrientation"), Int("Spacing"),
                Int("VertMargin"), Bool("ParentFont"), Bool("PersistentHotKeys"), Bool("ParentBackground"),
                Int("Color"), Enum("BackgroundLayout", "TBackgroundLayout"), Obj("Background")}});
}
P Menu() {
  return {Enum("AutoHotkeys", "TMenuAutoFlag", 0), Enum("AutoLineReduction", "TMenuAutoFlag", 0),
          Enum("BiDiMode", "TBiDiMode", 0), Obj("Images"), Bool("OwnerDraw", 0), Bool("ParentBiDiMode", 1),
          Ev("OnChange")};
}

const bool added = AddExpectedClasses({
    // Shared sub-objects.
    {"TSizeConstraints", &TSizeConstraints::StaticClassInfo,
     {Int("MaxHeight", 0), Int("MaxWidth", 0), Int("MinHeight", 0), Int("MinWidth", 0)}},
    {"TMargins", &TMargins::StaticClassInfo, {Int("Left", 3), Int("Top", 3), Int("Right", 3), Int("Bottom", 3)}},
    {"TPadding", &TPadding::StaticClassInfo, {Int("Left", 0), Int("Top", 0), Int("Right", 0), Int("Bottom", 0)}},
    {"TPen", &TPen::StaticClassInfo,
     {Int("Color", 0), Enum("Mode", "TPenMode", 4), Enum("Style", "TPenStyle", 0), Int("Width", 1)}},
    {"TBrush", &TBrush::StaticClassInfo, {Int("Color", 0xFFFFFF), Enum("Style", "TBrushStyle", 0)}},
    {"TControlScrollBar", &TControlScrollBar::StaticClassInfo,
     {Int("ButtonSize", 0), Int("Color"), Int("Increment", 8), Int("Margin", 0), Bool("ParentColor", 1),
      Int("Position", 0), Int("Range", 0), Bool("Smooth", 0), Int("Size", 0),
      Enum("Style", "TScrollBarStyle", 0), Int("ThumbSize", 0), Bool("Tracking", 0), Bool("Visible", 1)}},
    {"TTouchManager", &TTouchManager::StaticClassInfo,
     {Obj("GestureManager"), Set("InteractiveGestures", "TInteractiveGesture"),
      Set("InteractiveGestureOptions", "TInteractiveGestureOption"), Bool("ParentTabletOptions", 1),
      Set("TabletOptions", "TTabletOption")}},
    {"TGlassFrame", &TGlassFrame::StaticClassInfo,
     {Bool("Enabled", 0), Int("Left", 0), Int("Top", 0), Int("Right", 0), Int("Bottom", 0),
      Bool("SheetOfGlass", 0)}},
    {"TTitleBar", &TTitleBar::StaticClassInfo,
     {Bool("Enabled", 0), Int("Height"), Bool("ShowCaption", 1), Bool("ShowIcon", 1), Bool("SystemButtons", 1),
      Bool("SystemColors", 1), Bool("SystemHeight", 1), Obj("Control"), Int("BackgroundColor"),
      Int("ForegroundColor"), Int("InactiveBackgroundColor"), Int("InactiveForegroundColor"),
      Int("ButtonForegroundColor"), Int("ButtonBackgroundColor"), Int("ButtonHoverForegroundColor"),
      Int("ButtonHoverBackgroundColor"), Int("ButtonPressedForegroundColor"), Int("ButtonPressedBackgroundColor"),
      Int("ButtonInactiveForegroundColor"), Int("ButtonInactiveBackgroundColor"),
      Enum("CaptionAlignment", "TAlignment", 0)}},

    // Forms, frames, scroll boxes.
    {"TForm", nullptr,
     Join({{Int("Left"), Int("Top"), Int("Width"), Int("Height"), Obj("Action"), Obj("ActiveControl"),
            // newer designers store these on forms and frames
            Bool("AlignWithMargins", 0), Obj("Margins"), Bool("ParentDoubleBuffered", 1),
            Bool("AlphaBlend", 0), Int("AlphaBlendValue", 255), Set("BorderIcons", "TBorderIcon", 7),
            Enum("BorderStyle", "TFormBorderStyle", 2), Int("BorderWidth", 0), Str("Caption"), Int("ClientHeight"),
            Int("ClientWidth"), Int("Color"), Bool("TransparentColor", 0), Int("TransparentColorValue"),
            Enum("DefaultMonitor", "TDefaultMonitor", 3), Obj("Font", "TFont"), Bool("ParentFont", 0),
            Enum("FormStyle", "TFormStyle", 0), Str("HelpFile"), Obj("Icon"), Bool("KeyPreview", 0), Obj("Menu"),
            Bool("OldCreateOrder"), Obj("ObjectMenuItem"),
            Enum("PopupMode", "TPopupMode", 0), Obj("PopupParent"), Enum("Position", "TPosition"),
            Enum("PrintScale", "TPrintScale", 1), Bool("Scaled", 1), Bool("ScreenSnap", 0), Int("SnapBuffer", 10),
            Bool("Visible", 0), Enum("WindowState", "TWindowState", 0), Obj("WindowMenu"),
            Obj("GlassFrame", "TGlassFrame"), Obj("CustomTitleBar", "TTitleBar"), Obj("Touch", "TTouchManager"),
            Str("StyleName"), Set("StyleElements", "TStyleElements", 7), Bool("DoubleBuffered"),
            Obj("Padding", "TPadding"), Bool("UseDockManager", 0), Bool("DockSite", 0), Bool("Ctl3D"),
            Ev("OnActivate"), Ev("OnClose"), Ev("OnCloseQuery"), Ev("OnCreate"), Ev("OnDeactivate"),
            Ev("OnDestroy"), Ev("OnHelp"), Ev("OnHide"), Ev("OnPaint"), Ev("OnShortCut"), Ev("OnShow"),
            Ev("OnResize"), Ev("OnKeyDown"), Ev("OnKeyPress"), Ev("OnMouseWheel"), Ev("OnAfterMonitorDpiChanged"),
            Ev("OnBeforeMonitorDpiChanged")},
           ScrollingWindow()})},
    {"TFrame", nullptr,
     Join({Control(), Looks(), Windowed(), ScrollingWindow(), {Bool("ParentBackground")}})},
    {"TScrollBox", nullptr,
     Join({Control(), Looks(), Windowed(), Bevels(), ScrollingWindow(),
           {Enum("BorderStyle", "TBorderStyle", 1), Bool("ParentBackground"), Ev("OnResize"), Ev("OnMouseWheel"),
            Bool("UseWheelForScrolling", 0)}})},

    // Standard controls.
    {"TLabel", nullptr,
     Join({Control(),
           {Enum("Alignment", "TAlignment", 0), Bool("AutoSize", 1), Str("Caption"), Int("Color"),
            Obj("Font", "TFont"), Bool("ParentColor"), Bool("ParentFont", 1),
            Enum("EllipsisPosition", "TEllipsisPosition", 0), Obj("FocusControl"), Int("GlowSize", 0),
            Enum("Layout", "TTextLayout", 0), Bool("ShowAccelChar", 1), Bool("Transparent"),
            Bool("WordWrap", 0)}})},
    {"TEdit", nullptr,
     Join({Control(), Looks(), Windowed(), Bevels(), EditBox(),
           {Enum("Alignment", "TAlignment", 0), Bool("AutoSelect", 1), Bool("AutoSize", 1), Bool("NumbersOnly", 0),
            {"PasswordChar", K::tkChar, "", 0}, Str("Text")}})},
    {"TMemo", nullptr,
     Join({Control(), Looks(), Windowed(), Bevels(), EditBox(),
           {Enum("Alignment", "TAlignment", 0), Obj("Lines", "TStrings"), Enum("ScrollBars", "TScrollStyle", 0),
            Bool("WantReturns", 1), Bool("WantTabs", 0), Bool("WordWrap", 1)}})},
    {"TButton", nullptr,
     Join({Control(), Windowed(), ButtonFace(),
           {Obj("Font", "TFont"), Bool("ParentFont", 1), Enum("Style", "TCustomButton.TButtonStyle", 0)}})},
    {"TCheckBox", nullptr,
     Join({Control(), Looks(), Windowed(),
           {Obj("Action"), Enum("Alignment", "TLeftRight", 1), Bool("AllowGrayed", 0), Str("Caption"),
            Bool("Checked", 0), Enum("State", "TCheckBoxState", 0), Bool("WordWrap", 0)}})},
    {"TRadioButton", nullptr,
     Join({Control(), Looks(), Windowed(),
           {Obj("Action"), Enum("Alignment", "TLeftRight", 1), Str("Caption"), Bool("Checked", 0),
            Bool("WordWrap", 0)}})},
    {"TListBox", nullptr, Join({Control(), Looks(), Windowed(), Bevels(), ListBox()})},
    {"TComboBox", nullptr,
     Join({Control(), Looks(), Windowed(), Bevels(),
           {Bool("AutoComplete", 1), Int("AutoCompleteDelay", 500), Bool("AutoCloseUp", 0),
            Bool("AutoDropDownWidth", 0), Bool("ExtendedUI", 0),
            Bool("AutoDropDown", 0), Enum("CharCase", "TEditCharCase", 0), Int("DropDownCount", 8),
            Int("ItemHeight"), Int("ItemIndex", -1), Obj("Items", "TStrings"), Int("MaxLength", 0),
            Bool("Sorted", 0), Enum("Style", "TComboBoxStyle", 0), Str("Text"), Str("TextHint"), Ev("OnChange"),
            Ev("OnCloseUp"), Ev("OnDrawItem"), Ev("OnDropDown"), Ev("OnMeasureItem"), Ev("OnSelect")}})},
    {"TScrollBar", nullptr,
     Join({Control(), Windowed(),
           {Enum("Kind", "TScrollBarKind", 0), Int("LargeChange", 1), Int("Max", 100), Int("Min", 0),
            Int("PageSize"), Int("Position", 0), Int("SmallChange", 1), Ev("OnChange"), Ev("OnScroll")}})},
    {"TGroupBox", nullptr,
     Join({Control(), Looks(), Windowed(),
           {Str("Caption"), Bool("ParentBackground"), Bool("DefaultHeaderFont", 1), Obj("HeaderFont", "TFont"),
            Bool("ShowFrame", 1)}})},
    {"TStaticText", nullptr,
     Join({Control(), Looks(), Windowed(), Bevels(),
           {Enum("Alignment", "TAlignment", 0), Bool("AutoSize", 1), Enum("BorderStyle", "TStaticBorderStyle", 0),
            Str("Caption"), Obj("FocusControl"), Bool("ShowAccelChar", 1), Bool("Transparent")}})},
    {"TMaskEdit", nullptr,
     Join({Control(), Looks(), Windowed(), Bevels(), EditBox(),
           {Enum("Alignment", "TAlignment", 0), Bool("AutoSelect", 1), Bool("AutoSize", 1), Str("EditMask"),
            {"PasswordChar", K::tkChar, "", 0}, Str("Text")}})},
    {"TCheckListBox", nullptr,
     Join({Control(), Looks(), Windowed(), Bevels(), ListBox(),
           {Bool("AllowGrayed", 0), Bool("Flat", 1), Int("HeaderColor"), Int("HeaderBackgroundColor"),
            Ev("OnClickCheck")}})},

    // Extra controls.
    {"TPanel", nullptr,
     Join({Control(), Looks(), Windowed(), Bevels(),
           {Enum("Alignment", "TAlignment", 2), Bool("AutoSize", 0), Int("BorderWidth", 0),
            Enum("BorderStyle", "TBorderStyle", 0), Str("Caption"), Bool("FullRepaint", 1), Bool("Locked", 0),
            Bool("ParentBackground"), Bool("ShowCaption", 1), Enum("VerticalAlignment", "TVerticalAlignment", 2),
            Bool("UseDockManager"), Bool("DockSite", 0), Ev("OnResize"), Ev("OnCanResize"),
            Ev("OnDockDrop"), Ev("OnUnDock"), Ev("OnAlignPosition")}})},
    {"TRadioGroup", nullptr,
     Join({Control(), Looks(), Windowed(),
           {Str("Caption"), Int("Columns", 1), Int("ItemIndex", -1), Obj("Items", "TStrings"),
            Bool("ParentBackground"), Bool("WordWrap", 0), Bool("DefaultHeaderFont", 1),
            Obj("HeaderFont", "TFont"), Bool("ShowFrame", 1)}})},
    {"TBevel", nullptr, Join({Control(), {Enum("Shape", "TBevelShape", 0), Enum("Style", "TBevelStyle", 0)}})},
    {"TShape", nullptr,
     Join({Control(),
           {Obj("Brush", "TBrush"), Obj("Pen", "TPen"), Enum("Shape", "TShapeType", 0)}})},
    {"TImage", nullptr,
     Join({Control(),
           {Bool("AutoSize", 0), Bool("Center", 0), Bool("IncrementalDisplay", 0), Obj("Picture"),
            Bool("Proportional", 0), Bool("Stretch", 0), Bool("Transparent", 0), Ev("OnProgress"),
            Ev("OnFindGraphicClass")}})},
    {"TPaintBox", nullptr,
     Join({Control(), {Int("Color"), Obj("Font", "TFont"), Bool("ParentColor"), Bool("ParentFont", 1), Ev("OnPaint")}})},
    {"TSplitter", nullptr,
     {Int("Left"), Int("Top"), Int("Width"), Int("Height"), Int("Cursor"), Enum("Align", "TAlign", 3),
      Bool("AutoSnap", 1), Bool("Beveled", 0), Int("Color"), Obj("Constraints", "TSizeConstraints"),
      Int("MinSize", 30), Bool("ParentColor"), Enum("ResizeStyle", "TResizeStyle", 3), Bool("Visible", 1),
      Obj("Margins", "TMargins"), Set("StyleElements", "TStyleElements", 7), Ev("OnCanResize"), Ev("OnMoved"),
      Ev("OnPaint")}},
    {"TTimer", nullptr, {Bool("Enabled", 1), Int("Interval", 1000), Ev("OnTimer")}},

    // Buttons.
    {"TBitBtn", nullptr,
     Join({Control(), Windowed(), ButtonFace(),
           {Obj("Font", "TFont"), Bool("ParentFont", 1), Obj("Glyph"), Enum("Kind", "TBitBtnKind", 0),
            Enum("Layout", "TButtonLayout", 0), Int("Margin", -1), Int("NumGlyphs", 1), Int("Spacing", 4),
            Enum("Style", "TButtonStyle", 0)}})},
    {"TSpeedButton", nullptr,
     Join({Control(),
           {Obj("Action"), Bool("AllowAllUp", 0), Str("Caption"), Bool("Down", 0), Bool("Flat", 0),
            Obj("Font", "TFont"), Bool("ParentFont", 1), Obj("Glyph"), Int("GroupIndex", 0),
            Enum("Layout", "TButtonLayout", 0), Int("Margin", -1), Int("NumGlyphs", 1), Int("Spacing", 4),
            Bool("Transparent", 1), Int("ImageIndex", -1), Str("ImageName"), Obj("Images"),
            Int("HotImageIndex", -1), Int("DisabledImageIndex", -1), Int("PressedImageIndex", -1),
            Int("SelectedImageIndex", -1)}})},

    // Menus.
    {"TMainMenu", nullptr, Join({Menu(), {Bool("AutoMerge", 0)}})},
    {"TPopupMenu", nullptr,
     Join({Menu(),
           {Enum("Alignment", "TPopupAlignment", 0), Bool("AutoPopup", 1), Int("HelpContext", 0),
            Set("MenuAnimation", "TMenuAnimations", 0), Enum("TrackButton", "TTrackButton", 0), Ev("OnPopup"),
            Ev("OnClose")}})},
    {"TMenuItem", nullptr,
     {Obj("Action"), Bool("AutoCheck", 0), Enum("AutoHotkeys", "TMenuAutoFlag", 2), Str("ShortCutText"),
      Enum("AutoLineReduction", "TMenuAutoFlag", 2), Obj("Bitmap"), Enum("Break", "TMenuBreak", 0), Str("Caption"),
      Bool("Checked", 0), Bool("Default", 0), Bool("Enabled", 1), Int("GroupIndex", 0), Int("HelpContext", 0),
      Str("Hint"), Int("ImageIndex", -1), Str("ImageName"), Bool("RadioItem", 0), Int("ShortCut", 0),
      Obj("SubMenuImages"), Bool("Visible", 1), Ev("OnAdvancedDrawItem"), Ev("OnClick"), Ev("OnDrawItem"),
      Ev("OnMeasureItem")}},

    // Dialogs.
    {"TOpenDialog", nullptr, OpenDialog()},
    {"TSaveDialog", nullptr, OpenDialog()},
    {"TOpenPictureDialog", nullptr, OpenDialog()},
    {"TSavePictureDialog", nullptr, OpenDialog()},
    {"TFontDialog", nullptr,
     Join({Dialog(),
           {Obj("Font", "TFont"), Enum("Device", "TFontDialogDevice", 0), Int("MinFontSize", 0),
            Int("MaxFontSize", 0), Set("Options", "TFontDialogOption", 4), Ev("OnApply")}})},
    {"TColorDialog", nullptr,
     Join({Dialog(), {Int("Color", 0), Obj("CustomColors", "TStrings"), Set("Options", "TColorDialogOption", 0)}})},
    {"TPrintDialog", nullptr,
     Join({Dialog(),
           {Bool("Collate", 0), Int("Copies", 0), Int("FromPage", 0), Int("MinPage", 0), Int("MaxPage", 0),
            Set("Options", "TPrintDialogOption", 0), Bool("PrintToFile", 0),
            Enum("PrintRange", "TPrintRange", 0), Int("ToPage", 0)}})},
    {"TPrinterSetupDialog", nullptr, Dialog()},
    {"TFindDialog", nullptr,
     Join({Dialog(), {Str("FindText"), Set("Options", "TFindOption", 1), Ev("OnFind")}})},
    {"TReplaceDialog", nullptr,
     Join({Dialog(), {Str("FindText"), Str("ReplaceText"), Set("Options", "TFindOption", 1), Ev("OnFind"),
                      Ev("OnReplace")}})},
    {"TPageSetupDialog", nullptr,
     Join({Dialog(),
           {Int("MinMarginLeft", 0), Int("MinMarginTop", 0), Int("MinMarginRight", 0), Int("MinMarginBottom", 0),
            Int("MarginLeft"), Int("MarginTop"), Int("MarginRight"), Int("MarginBottom"),
            Set("Options", "TPageSetupDialogOption"), Int("PageWidth"), Int("PageHeight"),
            Enum("Units", "TPageMeasureUnits", 0), Ev("OnDrawFullPage"), Ev("OnDrawGreekText"),
            Ev("OnDrawMargin")}})},

    // Application events, actions and action bars.
    {"TApplicationEvents", nullptr,
     {Ev("OnActionExecute"), Ev("OnActionUpdate"), Ev("OnActivate"), Ev("OnDeactivate"), Ev("OnException"),
      Ev("OnHelp"), Ev("OnHint"), Ev("OnIdle"), Ev("OnMessage"), Ev("OnMinimize"), Ev("OnRestore"),
      Ev("OnShortCut"), Ev("OnShowHint"), Ev("OnSettingChange"), Ev("OnModalBegin"), Ev("OnModalEnd")}},
    {"TActionList", nullptr,
     {Obj("Images"), Enum("State", "TActionListState", 0), Ev("OnChange"), Ev("OnExecute"), Ev("OnStateChange"),
      Ev("OnUpdate")}},
    {"TAction", nullptr,
     {Bool("AutoCheck", 0), Str("Caption"), Str("Category"), Bool("Checked", 0), Bool("Enabled", 1),
      Int("GroupIndex", 0), Int("HelpContext", 0), Str("HelpKeyword"), Enum("HelpType", "THelpType", 1),
      Str("Hint"), Int("ImageIndex", -1), Str("ImageName"), Obj("SecondaryShortCuts"), Int("ShortCut", 0),
      Bool("Visible", 1), Ev("OnExecute"), Ev("OnHint"), Ev("OnUpdate")}},
    {"TActionManager", nullptr,
     {Obj("ActionBars"), Obj("DisabledImages"), Str("FileName"), Obj("Images"), Obj("LargeDisabledImages"),
      Obj("LargeImages"), Obj("LinkedActionLists"), Enum("State", "TActionListState", 0), Str("StyleName"),
      Ev("OnChange"), Ev("OnExecute"), Ev("OnStateChange"), Ev("OnUpdate")}},
    {"TActionMainMenuBar", nullptr,
     Join({ActionBar(), {Enum("AnimationStyle", "TAnimationStyle"), Int("AnimateDuration"), Bool("Shadows"),
                         Bool("UseSystemFont")}})},
    {"TActionToolBar", nullptr, Join({ActionBar(), {Bool("HorzSeparator"), Bool("VertSeparator")}})},
    {"TXPColorMap", nullptr, ColorMap()},
    {"TStandardColorMap", nullptr, ColorMap()},
    {"TTwilightColorMap", nullptr, ColorMap()},
    {"TCustomizeDlg", nullptr, {Obj("ActionManager"), Bool("StayOnTop"), Ev("OnClose"), Ev("OnShow")}},
});
}  // namespace
