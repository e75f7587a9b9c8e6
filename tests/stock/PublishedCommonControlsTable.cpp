// Published lists of the common controls and image lists, and of their
// sub-objects and collection items: what forms of every designer version
// store, with types and streaming defaults as documented.
#include "PublishedTable.h"
#include "stock/ComCtrls.h"
#include "stock/ImgList.h"

namespace {
using K = TTypeKind;
using P = ExpectedProperty;

P Bool(const char* name, bool def) { return {name, K::tkEnumeration, "Boolean", def ? 1 : 0}; }
P Int(const char* name, std::optional<int64_t> def = std::nullopt) { return {name, K::tkInteger, "", def}; }
P Enum(const char* name, const char* type, int64_t def) { return {name, K::tkEnumeration, type, def}; }
P Set(const char* name, const char* element, int64_t def) { return {name, K::tkSet, element, def}; }
P Str(const char* name) { return {name, K::tkString, "", std::nullopt}; }
P Float(const char* name) { return {name, K::tkFloat, "", std::nullopt}; }
P Obj(const char* name, const char* cls = "") { return {name, K::tkClass, cls, std::nullopt}; }
P Event(const char* name) { return {name, K::tkMethod, "", std::nullopt}; }

// What every control of these units carries from the control base.
std::vector<P> Control(std::vector<P> own) {
  std::vector<P> all{Int("Left"),          Int("Top"),           Int("Width"),         Int("Height"),
                     Enum("Align", "TAlign", 0), Bool("Enabled", true), Bool("Visible", true), Str("Hint"),
                     P{"ShowHint", K::tkEnumeration, "Boolean", std::nullopt}, Obj("PopupMenu"),   Obj("Constraints"),   Obj("Margins"),
                     Bool("AlignWithMargins", false), Event("OnClick"), Event("OnMouseDown"),
                     Event("OnContextPopup")};
  all.insert(all.end(), own.begin(), own.end());
  return all;
}

// ... and what windowed ones add.
std::vector<P> Windowed(std::vector<P> own) {
  std::vector<P> all{Int("TabOrder"),   Obj("Padding"), P{"DoubleBuffered", K::tkEnumeration, "Boolean", std::nullopt},
                     Event("OnEnter"),  Event("OnExit"),       Event("OnKeyDown"),
                     Event("OnKeyPress")};
  all.insert(all.end(), own.begin(), own.end());
  return Control(all);
}

std::vector<P> TabControl(std::vector<P> own) {
  std::vector<P> all{Obj("Font"),          Bool("ParentFont", true), Bool("HotTrack", false), Obj("Images"),
                     Bool("MultiLine", false), Bool("RaggedRight", false), Bool("ScrollOpposite", false),
                     Enum("Style", "TTabStyle", 0), Int("TabHeight", 0), Int("TabWidth", 0),
                     Enum("TabPosition", "TTabPosition", 0), Bool("OwnerDraw", false), Event("OnChange"),
                     Event("OnChanging"), Event("OnDrawTab")};
  all.insert(all.end(), own.begin(), own.end());
  return Windowed(all);
}

const bool added = AddExpectedClasses({
    {"TPageControl", nullptr, TabControl({Obj("ActivePage", "TTabSheet"), Int("TabIndex", -1)})},
    {"TTabControl", nullptr, TabControl({Obj("Tabs"), Int("TabIndex", -1), Bool("MultiSelect", false)})},
    {"TTabSheet",
     nullptr,
     {Str("Caption"), Int("ImageIndex", 0), Bool("TabVisible", true), Obj("Font"), Bool("ParentFont", true),
      Bool("AlignWithMargins", false), Obj("Margins", "TMargins"),
      Int("BorderWidth", 0), Bool("Highlighted", false), Str("ImageName"), Event("OnShow"), Event("OnHide")}},
    {"TStatusBar", nullptr,
     Windowed({Obj("Panels"), Bool("SimplePanel", false), Str("SimpleText"), Bool("SizeGrip", true),
               Bool("AutoHint", false), Bool("UseSystemFont", true), Obj("Action"), Int("BorderWidth", 0), Obj("Font"), Event("OnDrawPanel"),
               Event("OnHint")})},
    {"TStatusPanel",
     &TStatusPanel::StaticClassInfo,
     {Enum("Alignment", "TAlignment", 0), Enum("Bevel", "TStatusPanelBevel", 1),
      Enum("Style", "TStatusPanelStyle", 0), Str("Text"), Int("Width"), Enum("BiDiMode", "TBiDiMode", 0),
      Bool("ParentBiDiMode", true)}},
    {"TProgressBar", nullptr,
     Windowed({Int("Min", 0), Int("Max", 100), Int("Position", 0), Int("Step", 10), Bool("Smooth", false),
               Enum("Orientation", "TProgressBarOrientation", 0), Int("BarColor"), Int("BackgroundColor"),
               Enum("Style", "TProgressBarStyle", 0), Enum("State", "TProgressBarState", 0),
               Int("MarqueeInterval", 10), Bool("SmoothReverse", false), Int("BorderWidth", 0)})},
    {"TTrackBar", nullptr,
     Windowed({Int("Min", 0), Int("Max", 10), Int("Position", 0), Int("Frequency", 1), Int("LineSize", 1),
               Int("BorderWidth", 0),
               Int("PageSize", 2), Enum("Orientation", "TTrackBarOrientation", 0),
               Enum("TickMarks", "TTickMark", 0), Enum("TickStyle", "TTickStyle", 1), Int("SelStart", 0),
               Int("SelEnd", 0), Int("ThumbLength", 20), Bool("SliderVisible", true),
               Enum("PositionToolTip", "TPositionToolTip", 0), Event("OnChange")})},
    {"TUpDown", nullptr,
     Windowed({Obj("Associate"), Enum("AlignButton", "TUDAlignButton", 1), Bool("ArrowKeys", true),
               Int("Increment", 1), Int("Min", 0), Int("Max", 100), Int("Position", 0),
               Enum("Orientation", "TUDOrientation", 1), Bool("Thousands", true), Bool("Wrap", false),
               Event("OnChanging"), Event("OnChangingEx")})},
    {"THotKey", nullptr,
     Windowed({Int("HotKey", 0x4041), Set("InvalidKeys", "THKInvalidKey", 3), Set("Modifiers", "THKModifier", 4),
               Event("OnChange")})},
    {"TAnimate", nullptr,
     Control({Bool("Active", false), Bool("Center", true), Enum("CommonAVI", "TCommonAVI", 0), Str("FileName"),
              Int("Repetitions", 0), Int("StartFrame", 1), Int("StopFrame", 0), Bool("Timers", false),
              Bool("Transparent", true), Bool("Open", false), Int("BorderWidth", 0), Event("OnOpen"),
              Event("OnStop")})},
    {"TDateTimePicker", nullptr,
     Windowed({Float("Date"), Float("Time"), Enum("Kind", "TDateTimeKind", 0), Str("Format"),
               Obj("CalColors", "TMonthCalColors"),
               Enum("DateFormat", "TDTDateFormat", 0), Enum("DateMode", "TDTDateMode", 0),
               Enum("CalAlignment", "TDTCalAlignment", 0), Bool("Checked", true), Bool("ShowCheckbox", false),
               Float("MinDate"), Float("MaxDate"), Bool("ParseInput", false), Obj("Font"), Event("OnChange"),
               Event("OnCloseUp"), Event("OnDropDown"), Event("OnUserInput")})},
    {"TMonthCalendar", nullptr,
     Windowed({Float("Date"), Float("EndDate"), Obj("CalColors", "TMonthCalColors"), Int("BorderWidth", 0), Enum("FirstDayOfWeek", "TCalDayOfWeek", 7), Float("MinDate"),
               Float("MaxDate"), Int("MaxSelectRange", 31), Bool("MultiSelect", false), Bool("ShowToday", true),
               Bool("ShowTodayCircle", true), Bool("WeekNumbers", false), Event("OnGetMonthInfo")})},
    {"TMonthCalColors",
     &TMonthCalColors::StaticClassInfo,
     {Int("BackColor"), Int("TextColor"), Int("TitleBackColor"), Int("TitleTextColor"), Int("MonthBackColor"),
      Int("TrailingTextColor")}},
    {"TTreeView", nullptr,
     Windowed({Bool("AutoExpand", false), Int("BorderWidth", 0), Enum("BorderStyle", "TBorderStyle", 1), Int("ChangeDelay", 0),
               Set("CheckStyles", "TTreeViewCheckStyle", 0), Event("OnCheckStateChanged"),
               Bool("HideSelection", true), Bool("HotTrack", false), Obj("Images"), Int("Indent", 19),
               Obj("Items"), Bool("MultiSelect", false), Set("MultiSelectStyle", "TMultiSelectStyles", 1),
               Bool("ReadOnly", false), Bool("RightClickSelect", false), Bool("RowSelect", false),
               Bool("ShowButtons", true), Bool("ShowLines", true), Bool("ShowRoot", true),
               Enum("SortType", "TSortType", 0), Obj("StateImages"), Bool("ToolTips", true),
               Bool("CheckBoxes", false), Event("OnChange"), Event("OnExpanding"), Event("OnGetImageIndex")})},
    {"TListView", nullptr,
     Windowed({Obj("Action"),
               Int("AllocBy", 0),
               Enum("BorderStyle", "TBorderStyle", 1),
               Int("BorderWidth", 0),
               Bool("Checkboxes", false),
               Obj("Columns"),
               Bool("ColumnClick", true),
               Bool("FlatScrollBars", false),
               Bool("FullDrag", false),
               Bool("GridLines", false),
               Bool("HideSelection", true),
               Bool("HotTrack", false),
               Set("HotTrackStyles", "THotTrackStyle", 0),
               Int("HoverTime", -1),
               Obj("IconOptions", "TIconOptions"),
               Obj("Items"),
               Obj("LargeImages"),
               Bool("MultiSelect", false),
               Bool("OwnerData", false),
               Bool("OwnerDraw", false),
               Bool("ReadOnly", false),
               Bool("RowSelect", false),
               Bool("ShowColumnHeaders", true),
               Bool("ShowWorkAreas", false),
               Obj("SmallImages"),
               Enum("SortType", "TSortType", 0),
               Obj("StateImages"),
               Enum("ViewStyle", "TViewStyle", 0),
               Obj("Groups"),
               Bool("GroupView", false),
               Obj("GroupHeaderImages"),
               Event("OnColumnClick"),
               Event("OnSelectItem"),
               Event("OnData")})},
    {"TIconOptions",
     &TIconOptions::StaticClassInfo,
     {Enum("Arrangement", "TIconArrangement", 0), Bool("AutoArrange", false), Bool("WrapText", true)}},
    {"TListColumn",
     &TListColumn::StaticClassInfo,
     {Enum("Alignment", "TAlignment", 0), Bool("AutoSize", false), Str("Caption"), Int("ImageIndex", -1),
      Int("MaxWidth", 0), Int("MinWidth", 0), Int("Tag", 0), Int("Width", 50)}},
    {"TListGroup",
     &TListGroup::StaticClassInfo,
     {Str("Header"), Str("Footer"), Int("GroupID"), Set("State", "TListGroupState", 0),
      Enum("HeaderAlign", "TAlignment", 0), Enum("FooterAlign", "TAlignment", 0), Str("Subtitle"),
      Int("TitleImage", -1)}},
    {"THeaderControl", nullptr,
     Windowed({Obj("Sections"), Enum("Style", "THeaderStyle", 0), Bool("HotTrack", false), Obj("Images"),
               Bool("DragReorder", false), Bool("FullDrag", true), Int("BorderWidth", 0), Event("OnSectionClick"),
               Event("OnSectionResize")})},
    {"THeaderSection",
     &THeaderSection::StaticClassInfo,
     {Enum("Alignment", "TAlignment", 0), Bool("AllowClick", true), Bool("AutoSize", false), Int("ImageIndex", -1),
      Int("MaxWidth", 10000), Int("MinWidth", 0), Enum("Style", "THeaderSectionStyle", 0), Str("Text"),
      Int("Width", 50), Bool("CheckBox", false), Bool("FixedWidth", false)}},
    {"TToolBar", nullptr,
     Windowed({Int("ButtonHeight", 22), Int("ButtonWidth", 23), Str("Caption"), Obj("DisabledImages"),
               Set("EdgeBorders", "TEdgeBorder", 2), Enum("EdgeInner", "TEdgeStyle", 1),
               Enum("EdgeOuter", "TEdgeStyle", 2), Bool("Flat", true), Obj("HotImages"), Obj("Images"),
               Int("Indent", 0), Bool("List", false), Bool("ShowCaptions", false), Bool("Transparent", false),
               Bool("Wrapable", true), Bool("AllowTextButtons", false), Bool("Customizable", false),
               Enum("DrawingStyle", "TTBDrawingStyle", 0), Obj("Menu"), Int("BorderWidth", 0),
               Obj("Font"), Event("OnCustomDraw")})},
    {"TToolButton", nullptr,
     Control({Obj("Action"), Bool("AllowAllUp", false), Str("Caption"), Bool("Down", false), Obj("DropdownMenu"),
              Bool("EnableDropdown", false), Bool("Grouped", false), Int("ImageIndex", -1),
              Bool("Indeterminate", false), Bool("Marked", false), Obj("MenuItem"),
              Enum("Style", "TToolButtonStyle", 0), Bool("Wrap", false), Str("ImageName")})},
    {"TCoolBar", nullptr,
     Windowed({Obj("Bands"), Enum("BandBorderStyle", "TBorderStyle", 1), Enum("BandMaximize", "TCoolBandMaximize", 2),
               Obj("Bitmap"), Set("EdgeBorders", "TEdgeBorder", 2), Enum("EdgeInner", "TEdgeStyle", 1),
               Enum("EdgeOuter", "TEdgeStyle", 2), Bool("FixedOrder", false), Bool("FixedSize", false),
               Obj("Images"), Bool("ShowText", true), Bool("Vertical", false), Int("BorderWidth", 0),
               Event("OnChange")})},
    {"TCoolBand",
     &TCoolBand::StaticClassInfo,
     {Obj("Bitmap"), Enum("BorderStyle", "TBorderStyle", 0), Bool("Break", true), Int("Color"), Obj("Control"),
      Bool("FixedBackground", true), Bool("FixedSize", false), Bool("HorizontalOnly", false), Int("ImageIndex", -1),
      Int("MinHeight", 25), Int("MinWidth", 0), Bool("ParentBitmap", true), Bool("ParentColor", true), Str("Text"),
      Bool("Visible", true), Int("Width")}},
    {"TPageScroller", nullptr,
     Windowed({Bool("AutoScroll", false), Int("ButtonSize", 12), Obj("Control"), Bool("DragScroll", true),
               Int("Margin", 0), Enum("Orientation", "TPageScrollerOrientation", 0), Int("Position", 0),
               Int("BorderWidth", 0),
               Event("OnScroll")})},
    {"TComboBoxEx", nullptr,
     Windowed({Obj("Images"), Obj("ItemsEx"), Int("ItemIndex", -1), Enum("Style", "TComboBoxExStyle", 0),
               Set("StyleEx", "TComboBoxExStyleEx", 0), Str("Text"), Obj("Action"),
               Set("AutoCompleteOptions", "TAutoCompleteOption", 2), Int("DropDownCount", 8), Obj("Font"),
               Event("OnChange"), Event("OnSelect"), Event("OnBeginEdit"), Event("OnEndEdit")})},
    {"TComboExItem",
     &TComboExItem::StaticClassInfo,
     {Str("Caption"), Int("ImageIndex", -1), Int("Indent", -1), Int("OverlayImageIndex", -1),
      Int("SelectedImageIndex", -1)}},
    {"TImageList",
     nullptr,
     {Int("AllocBy", 4), Int("BkColor"), Int("BlendColor"),
      Enum("ColorDepth", "TColorDepth", 0), Enum("DrawingStyle", "TDrawingStyle", 2), Int("Height", 16),
      Int("Width", 16), Enum("ImageType", "TImageType", 0), Bool("Masked", true), Bool("ShareImages", false),
      Event("OnChange")}},
});
}  // namespace
