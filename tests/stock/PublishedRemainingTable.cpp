// Published lists of the tab set, outline, grids, file-system lists, media
// player, OLE container, notebooks and their pages, old header, control
// bar, colour box and grid, and the data-aware controls with their column
// sub-objects: what forms of every version store on them.
#include "PublishedTable.h"
#include "stock/StockControls.h"

namespace {
using K = TTypeKind;
using P = ExpectedProperty;

P Int(const char* n, std::optional<int64_t> d = std::nullopt) { return {n, K::tkInteger, "", d}; }
P Colour(const char* n, std::optional<int64_t> d = std::nullopt) { return {n, K::tkInteger, "", d}; }
P Bool(const char* n, bool d) { return {n, K::tkEnumeration, "Boolean", d ? 1 : 0}; }
P Enum(const char* n, const char* type, std::optional<int64_t> d = std::nullopt) {
  return {n, K::tkEnumeration, type, d};
}
P Set(const char* n, const char* element, std::optional<int64_t> d = std::nullopt) { return {n, K::tkSet, element, d}; }
P Str(const char* n) { return {n, K::tkString, "", std::nullopt}; }
P Obj(const char* n, const char* cls = "") { return {n, K::tkClass, cls, std::nullopt}; }
P Ref(const char* n) { return {n, K::tkClass, "", std::nullopt}; }
P Event(const char* n) { return {n, K::tkMethod, "", std::nullopt}; }

// What every windowed stock control of these units carries, newer
// additions included.
std::vector<P> Windowed(std::vector<P> own) {
  std::vector<P> all = {Enum("Align", "TAlign", 0), Set("Anchors", "TAnchorKind"), Obj("Constraints"),
                        Bool("Enabled", true), Bool("Visible", true), Int("TabOrder"), {"ShowHint", K::tkEnumeration, "Boolean", std::nullopt},
                        Bool("ParentShowHint", true), Ref("PopupMenu"), Enum("DragMode", "TDragMode", 0),
                        Enum("DragKind", "TDragKind", 0), Bool("AlignWithMargins", false), Obj("Margins"),
                        Set("StyleElements", ""), {"DoubleBuffered", K::tkEnumeration, "Boolean", std::nullopt},
                        Event("OnEnter"), Event("OnExit"), Event("OnKeyDown"), Event("OnMouseDown"),
                        Event("OnMouseEnter"), Event("OnMouseLeave"), Event("OnGesture")};
  all.insert(all.end(), own.begin(), own.end());
  return all;
}

const std::vector<P> kDataLink = {Str("DataField"), Ref("DataSource")};
std::vector<P> DataAware(std::vector<P> own) {
  own.insert(own.end(), kDataLink.begin(), kDataLink.end());
  return Windowed(std::move(own));
}

const bool added = AddExpectedClasses({
    {"TTabSet", nullptr,
     Windowed({Bool("AutoScroll", true), Colour("BackgroundColor", int64_t(clBtnFace)), Bool("DitherBackground", true),
               Int("EndMargin", 5), Ref("Images"), Colour("SelectedColor", int64_t(clBtnFace)), Bool("SoftTop", false),
               Int("StartMargin", 5), Enum("Style", "TTabStyle", 0), Int("TabHeight", 20), Int("TabIndex", -1),
               Obj("Tabs"), Enum("TabPosition", "TTabPosition", 1), Colour("UnselectedColor", int64_t(clWindow)),
               Obj("Font", "TFont"), Event("OnChange"), Event("OnDrawTab"), Event("OnMeasureTab"),
               Event("OnClick")})},
    {"TOutline", nullptr,
     Windowed({Enum("BorderStyle", "TBorderStyle", 1), Int("ItemHeight"), Str("ItemSeparator"), Obj("Lines"),
               Set("Options", "TOutlineOption"), Enum("OutlineStyle", "TOutlineStyle"), Obj("PictureClosed"),
               Obj("PictureLeaf"), Obj("PictureMinus"), Obj("PictureOpen"), Obj("PicturePlus"),
               Enum("ScrollBars", "TScrollStyle"), Enum("Style", "TOutlineType"), Colour("Color"),
               Obj("Font", "TFont"), Event("OnCollapse"), Event("OnDrawItem"), Event("OnExpand"),
               Event("OnClick"), Event("OnDblClick")})},
    {"TDrawGrid", nullptr,
     Windowed({Enum("BorderStyle", "TBorderStyle", 1), Int("ColCount", 5), Int("DefaultColWidth", 64),
               Bool("DefaultDrawing", true), Int("DefaultRowHeight", 24), Colour("FixedColor", int64_t(clBtnFace)),
               Int("FixedCols", 1), Int("FixedRows", 1), Set("Options", "TGridOption"), Int("RowCount", 5),
               Enum("ScrollBars", "TScrollStyle", 3), Event("OnDrawCell"), Event("OnSelectCell"),
               Event("OnGetEditMask"), Event("OnGetEditText"), Event("OnSetEditText"), Event("OnTopLeftChanged"),
               Event("OnColumnMoved"), Event("OnRowMoved")})},
    {"TStringGrid", nullptr,
     Windowed({Int("ColCount", 5), Int("RowCount", 5), Int("FixedCols", 1), Int("FixedRows", 1),
               Bool("DefaultDrawing", true), Set("Options", "TGridOption"), Event("OnDrawCell"),
               Event("OnSelectCell"), Event("OnKeyPress")})},
    {"TValueListEditor", nullptr,
     Windowed({Int("DefaultColWidth", 150), Int("DefaultRowHeight", 18), Set("DisplayOptions", "TDisplayOption", 7),
               Int("DropDownRows", 8), Set("KeyOptions", "TKeyOption", 0), Obj("Strings"), Obj("TitleCaptions"),
               Event("OnEditButtonClick"), Event("OnGetPickList"), Event("OnStringsChange"),
               Event("OnStringsChanging"), Event("OnValidate"), Event("OnGetEditMask"), Event("OnExit")})},
    {"TFileListBox", nullptr,
     Windowed({Str("Directory"), Bool("ExtendedSelect", true), Ref("FileEdit"), Str("FileName"),
               Bool("IntegralHeight", false),
               Set("FileType", "TFileAttr", 0x40), Int("ItemHeight"), Str("Mask"), Bool("MultiSelect", false),
               Bool("ShowGlyphs", false), Event("OnChange"), Event("OnClick")})},
    {"TDirectoryListBox", nullptr,
     Windowed({Str("Directory"), Ref("DirLabel"), Ref("FileList"), Int("ItemHeight"), Event("OnChange")})},
    {"TDriveComboBox", nullptr,
     Windowed({Ref("DirList"), Enum("TextCase", "TTextCase", 0), Event("OnChange"), Event("OnDropDown")})},
    {"TFilterComboBox", nullptr, Windowed({Ref("FileList"), Str("Filter"), Event("OnChange"), Event("OnDropDown")})},
    {"TMediaPlayer", nullptr,
     Windowed({Bool("AutoEnable", true), Bool("AutoOpen", false), Bool("AutoRewind", true),
               Set("ColoredButtons", "TMPBtnType", 0x1FF), Enum("DeviceType", "TMPDeviceTypes", 0), Ref("Display"),
               Set("EnabledButtons", "TMPBtnType", 0x1FF), Str("FileName"), Bool("Shareable", false),
               Set("VisibleButtons", "TMPBtnType", 0x1FF), Event("OnClick"), Event("OnNotify"),
               Event("OnPostClick")})},
    {"TOleContainer", nullptr,
     Windowed({Bool("AllowInPlace", true), Bool("AllowActiveDoc", true), Enum("AutoActivate", "TAutoActivate", 2),
               Bool("AutoVerbMenu", true), Enum("BorderStyle", "TBorderStyle", 1), Str("Caption"), Colour("Color"),
               Bool("CopyOnSave", true), Bool("Iconic", false), Bool("OldStreamFormat", false),
               Enum("SizeMode", "TSizeMode", 0), Event("OnActivate"), Event("OnDeactivate"),
               Event("OnObjectMove")})},
    {"TNotebook", nullptr,
     Windowed({Str("ActivePage"), Int("PageIndex", 0), Obj("Pages"), Colour("Color"), Obj("Font", "TFont"),
               Event("OnPageChanged"), Event("OnClick")})},
    {"TPage", &TPage::StaticClassInfo, {Int("Left"), Int("Top"), Str("Caption"), Int("HelpContext")}},
    {"TTabPage", &TTabPage::StaticClassInfo, {Int("Left"), Int("Top"), Str("Caption"), Int("HelpContext")}},
    {"TTabbedNotebook", nullptr,
     Windowed({Str("ActivePage"), Int("PageIndex", 0), Obj("Pages"), Obj("TabFont", "TFont"), Int("TabsPerRow", 3),
               Obj("Font", "TFont"), Event("OnChange"), Event("OnClick")})},
    {"THeader", nullptr,
     Windowed({Bool("AllowResize", true), Enum("BorderStyle", "TBorderStyle", 1), Obj("Sections"),
               Obj("Font", "TFont"), Event("OnSized"), Event("OnSizing")})},
    {"TControlBar", nullptr,
     Windowed({Bool("AutoDock", true), Bool("AutoDrag", true), Bool("AutoSize", false),
               Enum("BevelInner", "TBevelCut"), Enum("BevelOuter", "TBevelCut"), Int("BevelWidth"),
               Int("CornerEdge", 12), Enum("DrawingStyle", "TBandDrawingStyle", 0), Colour("GradientStartColor"),
               Colour("GradientEndColor"), Enum("GradientDirection", "TGradientDirection"), Obj("Picture"),
               Int("RowSize", 26), Bool("RowSnap", true), Event("OnBandDrag"), Event("OnBandInfo"),
               Event("OnBandMove"), Event("OnBandPaint"), Event("OnBeginBandMove"), Event("OnEndBandMove"),
               Event("OnPaint")})},
    {"TColorBox", nullptr,
     Windowed({Bool("AutoComplete", true), Bool("AutoDropDown", false), Colour("DefaultColorColor"),
               Colour("NoneColorColor"), Int("DropDownCount", 8), Int("ItemHeight"), Colour("Selected", 0),
               Set("Style", "TColorBoxStyles"), Event("OnChange"), Event("OnGetColors"), Event("OnSelect")})},
    {"TColorGrid", nullptr,
     Windowed({Int("BackgroundIndex"), Bool("BackgroundEnabled", true), Int("ForegroundIndex", 0),
               Bool("ForegroundEnabled", true), Enum("GridOrdering", "TGridOrdering", 2), Int("Selection", 0),
               Bool("ClickEnablesColor", false), Event("OnChange")})},
    // Data-aware controls.
    {"TDBGrid", nullptr,
     DataAware({Enum("BorderStyle", "TBorderStyle", 1), Obj("Columns"), Bool("DefaultDrawing", true),
                Colour("FixedColor", int64_t(clBtnFace)), Set("Options", "TDBGridOption", 0x0C7F), Bool("ReadOnly", false),
                Obj("TitleFont", "TFont"), Enum("DrawingStyle", "TGridDrawingStyle"), Event("OnCellClick"),
                Event("OnColEnter"), Event("OnColExit"), Event("OnColumnMoved"), Event("OnDrawColumnCell"),
                Event("OnDrawDataCell"), Event("OnEditButtonClick"), Event("OnTitleClick"), Event("OnDblClick")})},
    {"TColumn", &TColumn::StaticClassInfo,
     {Enum("Alignment", "TAlignment", 0), Enum("ButtonStyle", "TColumnButtonStyle", 0), Colour("Color"),
      Int("DropDownRows", 7), Bool("Expanded", true), Str("FieldName"), Obj("Font", "TFont"), Obj("PickList"),
      Ref("PopupMenu"), Bool("ReadOnly", false), Obj("Title", "TColumnTitle"), Bool("Visible", true),
      Int("Width")}},
    {"TColumnTitle", &TColumnTitle::StaticClassInfo,
     {Enum("Alignment", "TAlignment", 0), Str("Caption"), Colour("Color"), Obj("Font", "TFont")}},
    {"TDBNavigator", nullptr,
     Windowed({Ref("DataSource"), Bool("ConfirmDelete", true), Bool("Flat", false), Obj("Hints"), Ref("Images"),
               Enum("Kind", "TDBNavigatorKind", 0), Set("VisibleButtons", "TNavigateBtn", 0x3FF),
               Event("BeforeAction"), Event("OnClick")})},
    {"TDBText", nullptr,
     {Str("DataField"), Ref("DataSource"), Enum("Alignment", "TAlignment", 0), Bool("AutoSize", false),
      {"Transparent", K::tkEnumeration, "Boolean", std::nullopt}, Bool("WordWrap", false), Enum("Layout", "TTextLayout", 0), Colour("Color"),
      Obj("Font", "TFont"), Bool("Visible", true), Event("OnClick")}},
    {"TDBEdit", nullptr,
     DataAware({Enum("Alignment", "TAlignment", 0), Bool("AutoSelect", true), Bool("AutoSize", true),
                Enum("BorderStyle", "TBorderStyle", 1), Enum("CharCase", "TEditCharCase", 0), Colour("Color"),
                Int("MaxLength", 0), {"PasswordChar", K::tkChar, "", std::nullopt}, Bool("ReadOnly", false), Str("TextHint"),
                Event("OnChange"), Event("OnKeyPress")})},
    {"TDBMemo", nullptr,
     DataAware({Enum("Alignment", "TAlignment", 0), Bool("AutoDisplay", true), Int("MaxLength", 0),
                Bool("ReadOnly", false), Enum("ScrollBars", "TScrollStyle", 0), Bool("WantReturns", true),
                Bool("WantTabs", false), Bool("WordWrap", true), Event("OnChange")})},
    {"TDBRichEdit", nullptr,
     DataAware({Bool("PlainText", false), Bool("ReadOnly", false), Enum("ScrollBars", "TScrollStyle", 0),
                Event("OnChange"), Event("OnSelectionChange"), Event("OnProtectChange"),
                Event("OnResizeRequest")})},
    {"TDBImage", nullptr,
     DataAware({Bool("AutoDisplay", true), Enum("BorderStyle", "TBorderStyle", 1), Bool("Center", true),
                Bool("Proportional", false), Bool("QuickDraw", true), Bool("ReadOnly", false),
                Bool("Stretch", false), Colour("Color")})},
    {"TDBListBox", nullptr,
     DataAware({Int("ItemHeight"), Obj("Items"), Bool("ReadOnly", false), Enum("Style", "TListBoxStyle", 0),
                Event("OnDrawItem"), Event("OnMeasureItem")})},
    {"TDBComboBox", nullptr,
     DataAware({Enum("CharCase", "TEditCharCase", 0), Int("DropDownCount", 8), Int("ItemHeight"), Obj("Items"),
                Bool("ReadOnly", false), Bool("Sorted", false), Enum("Style", "TComboBoxStyle", 0),
                Event("OnChange"), Event("OnDropDown"), Event("OnKeyDown")})},
    {"TDBCheckBox", nullptr,
     DataAware({Enum("Alignment", "TLeftRight", 1), Bool("AllowGrayed", false), Str("Caption"),
                Bool("ReadOnly", false), Str("ValueChecked"), Str("ValueUnchecked"), Bool("WordWrap", false),
                Event("OnClick")})},
    {"TDBRadioGroup", nullptr,
     DataAware({Str("Caption"), Int("Columns", 1), Obj("Items"), Bool("ReadOnly", false), Obj("Values"),
                Event("OnChange"), Event("OnClick")})},
    {"TDBLookupListBox", nullptr,
     DataAware({Str("KeyField"), Str("ListField"), Int("ListFieldIndex", 0), Ref("ListSource"),
                Bool("NullValueKey", false), Bool("ReadOnly", false), Int("RowCount", 7)})},
    {"TDBLookupComboBox", nullptr,
     DataAware({Enum("DropDownAlign", "TDropDownAlign", 0), Int("DropDownRows", 7), Int("DropDownWidth", 0),
                Str("KeyField"), Str("ListField"), Int("ListFieldIndex", 0), Ref("ListSource"),
                Bool("ReadOnly", false), Event("OnCloseUp"), Event("OnDropDown")})},
    {"TDBLookupList", nullptr,
     DataAware({Ref("LookupSource"), Str("LookupField"), Str("LookupDisplay"), Str("DisplayValue"), Str("Value"),
                Set("Options", "TDBLookupListOption", 0), Bool("IndexSwitch", true), Bool("ReadOnly", false)})},
    {"TDBLookupCombo", nullptr,
     DataAware({Ref("LookupSource"), Str("LookupField"), Str("LookupDisplay"), Int("DropDownCount", 8),
                Int("DropDownWidth", 0), Set("Options", "TDBLookupListOption", 0),
                Enum("Style", "TDBLookupComboStyle", 0)})},
    {"TDBCtrlGrid", nullptr,
     DataAware({Bool("AllowDelete", true), Bool("AllowInsert", true), Int("ColCount", 1),
                Enum("Orientation", "TDBCtrlGridOrientation", 0), Enum("PanelBorder", "TDBCtrlGridBorder", 1),
                Int("PanelHeight", 72), Int("PanelWidth", 200), Int("RowCount", 3),
                Colour("SelectedColor", int64_t(clHighlight)), Bool("ShowFocus", true), Event("OnPaintPanel")})},
});
}  // namespace
