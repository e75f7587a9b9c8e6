#include "DBCtrls.h"

#include <algorithm>

#include "NavigatorGlyphs.h"
#include "StockEnum.h"
#include "StockGroups.h"
#include "controls/ContentReport.h"
#include "core/FormNode.h"

STOCK_ENUM(DBGridOptionEnumInfo, "TDBGridOption", "dgEditing", "dgAlwaysShowEditor", "dgTitles", "dgIndicator",
           "dgColumnResize", "dgColLines", "dgRowLines", "dgTabs", "dgRowSelect", "dgAlwaysShowSelection",
           "dgConfirmDelete", "dgCancelOnExit", "dgMultiSelect", "dgTitleClick", "dgTitleHotTrack")
STOCK_ENUM(ColumnButtonStyleEnumInfo, "TColumnButtonStyle", "cbsAuto", "cbsEllipsis", "cbsNone")
STOCK_ENUM(NavigateBtnEnumInfo, "TNavigateBtn", "nbFirst", "nbPrior", "nbNext", "nbLast", "nbInsert", "nbDelete",
           "nbEdit", "nbPost", "nbCancel", "nbRefresh", "nbApplyUpdates", "nbCancelUpdates")
STOCK_ENUM(NavKindEnumInfo, "TDBNavigatorKind", "dbnHorizontal", "dbnVertical")
STOCK_ENUM(DBLookupListOptionEnumInfo, "TDBLookupListOption", "loColLines", "loRowLines", "loTitles")
STOCK_ENUM(DBLookupComboStyleEnumInfo, "TDBLookupComboStyle", "csDropDown", "csDropDownList")
STOCK_ENUM(DropDownAlignEnumInfo, "TDropDownAlign", "daLeft", "daRight", "daCenter")
STOCK_ENUM(DBCtrlGridOrientationEnumInfo, "TDBCtrlGridOrientation", "goVertical", "goHorizontal")
STOCK_ENUM(DBCtrlGridBorderEnumInfo, "TDBCtrlGridBorder", "gbNone", "gbRaised")

// --- publishing helpers

template <class C>
static void PublishDataLink(ClassBuilder<C>& b) {
  b.StringField("DataField")
      .Reference(
          "DataSource", &TComponent::StaticClassInfo, [](const C* c) -> TComponent* { return c->dataSource; },
          [](C* c, TPersistent* v) { c->dataSource = dynamic_cast<TComponent*>(v); });
}

template <class C>
static void PublishLookup(ClassBuilder<C>& b) {
  b.StringField("KeyField")
      .StringField("ListField")
      .IntegerField("ListFieldIndex", 0)
      .Reference(
          "ListSource", &TComponent::StaticClassInfo, [](const C* c) -> TComponent* { return c->listSource; },
          [](C* c, TPersistent* v) { c->listSource = dynamic_cast<TComponent*>(v); })
      .BoolField("NullValueKey", false);
}

template <class C>
static void PublishOldLookup(ClassBuilder<C>& b) {
  b.Reference(
       "LookupSource", &TComponent::StaticClassInfo, [](const C* c) -> TComponent* { return c->listSource; },
       [](C* c, TPersistent* v) { c->listSource = dynamic_cast<TComponent*>(v); })
      .StringField("LookupField")
      .StringField("LookupDisplay")
      .StringField("DisplayValue")
      .StringField("Value")
      .SetField("Options", DBLookupListOptionEnumInfo(), 0)
      .BoolField("IndexSwitch", true)
      .IntegerField("DropDownCount", 8)
      .IntegerField("DropDownWidth", 0)
      .BoolField("ReadOnly", false);
}

template <class C>
static void PublishComboLike(ClassBuilder<C>& b) {
  groups::PublishControl(b);
  groups::PublishLooks(b, clWindow);
  groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
  groups::PublishBevels(b);
  b.BoolField("AutoComplete", true)
      .BoolField("AutoDropDown", false)
      .EnumField("CharCase", EditCharCaseEnumInfo(), "ecNormal")
      .IntegerField("DropDownCount", 8)
      .IntegerField("ItemHeight", 16)
      .Integer("ItemIndex", &C::ItemIndex, &C::SetItemIndex, -1)
      .Object("Items", &TStrings::StaticClassInfo, &C::Items, &C::SetItems)
      .IntegerField("MaxLength", 0)
      .Bool("Sorted", &C::Sorted, &C::SetSorted, false)
      .Enum("Style", ComboBoxStyleEnumInfo(), &C::Style, &C::SetStyle, "csDropDown")
      .Publish("Text")
      .Event("OnChange", &C::OnChange)
      .Event("OnCloseUp", &C::OnCloseUp)
      .Event("OnDrawItem", &C::OnDrawItem)
      .Event("OnDropDown", &C::OnDropDown)
      .Event("OnMeasureItem", &C::OnMeasureItem)
      .Event("OnSelect", &C::OnSelect);
}

// ---------------------------------------------------------------------------
// TDBGrid

const TClassInfo& TColumnTitle::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TColumnTitle>("TColumnTitle", &TPersistent::StaticClassInfo())
          .EnumField("Alignment", AlignmentEnumInfo(), "taLeftJustify")
          .StringField("Caption")
          .ColorField("Color", clBtnFace)
          .Object("Font", &TFont::StaticClassInfo, &TColumnTitle::Font)
          .Build();
  return info;
}

const TClassInfo& TColumn::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TColumn>("TColumn", &TCollectionItem::StaticClassInfo())
          .EnumField("Alignment", AlignmentEnumInfo(), "taLeftJustify")
          .EnumField("ButtonStyle", ColumnButtonStyleEnumInfo(), "cbsAuto")
          .ColorField("Color", clWindow)
          .IntegerField("DropDownRows", 7)
          .BoolField("Expanded", true)
          .StringField("FieldName")
          .Object("Font", &TFont::StaticClassInfo, &TColumn::Font)
          .EnumField("ImeMode", ImeModeEnumInfo(), imDontCare)
          .StringField("ImeName")
          .Object("PickList", &TStrings::StaticClassInfo, &TColumn::PickList)
          .IgnoredReference("PopupMenu", &TComponent::StaticClassInfo)
          .BoolField("ReadOnly", false)
          .Object("Title", &TColumnTitle::StaticClassInfo, &TColumn::Title)
          .BoolField("Visible", true)
          .IntegerField("Width", 64)
          .Build();
  return info;
}

const TClassInfo& TDBGrid::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBGrid> b("TDBGrid", &TCustomGrid::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    groups::PublishBevels(b);
    PublishDataLink(b);
    b.Publish("BorderStyle")
        .Object("Columns", &TCollection::StaticClassInfo, &TDBGrid::Columns)
        .Publish("DefaultDrawing")
        .Publish("DrawingStyle")
        .Publish("FixedColor")
        .Publish("GradientEndColor")
        .Publish("GradientStartColor")
        .Set("Options", DBGridOptionEnumInfo(), &TDBGrid::DBOptions, &TDBGrid::SetDBOptions, 0x0C7F)
        .BoolField("ReadOnly", false)
        .Object("TitleFont", &TFont::StaticClassInfo, &TDBGrid::TitleFont)
        .Event("OnCellClick", &TDBGrid::OnCellClick)
        .Event("OnColEnter", &TDBGrid::OnColEnter)
        .Event("OnColExit", &TDBGrid::OnColExit)
        .Event("OnColumnMoved", &TDBGrid::OnColumnMoved)
        .Event("OnDrawColumnCell", &TDBGrid::OnDrawColumnCell)
        .Event("OnDrawDataCell", &TDBGrid::OnDrawDataCell)
        .Event("OnEditButtonClick", &TDBGrid::OnEditButtonClick)
        .Event("OnTitleClick", &TDBGrid::OnTitleClick);
    return b.Build();
  }();
  return info;
}

TDBGrid::TDBGrid(TComponent* owner)
    : TCustomGrid(owner),
      columns_(std::make_unique<TCollection>(TColumn::StaticClassInfo())),
      titleFont_(std::make_unique<TFont>()) {
  columns_->OnChange = [this](TCollection&) { Layout(); };
  SetDBOptions(dbOptions_);
}
TDBGrid::~TDBGrid() { columns_->OnChange = nullptr; }

// Column and row lines, tabs and row selection are the grid's own options.
void TDBGrid::SetDBOptions(int64_t v) {
  dbOptions_ = v;
  TGridOptions o =
      Options() &
      ~(GridOption(goFixedVertLine) | GridOption(goVertLine) | GridOption(goFixedHorzLine) | GridOption(goHorzLine) |
        GridOption(goTabs) | GridOption(goRowSelect) | GridOption(goRangeSelect) | GridOption(goColSizing));
  if (HasDBOption(5)) o |= GridOption(goFixedVertLine) | GridOption(goVertLine);
  if (HasDBOption(6)) o |= GridOption(goFixedHorzLine) | GridOption(goHorzLine);
  if (HasDBOption(7)) o |= GridOption(goTabs);
  if (HasDBOption(8)) o |= GridOption(goRowSelect);
  if (HasDBOption(4)) o |= GridOption(goColSizing);
  SetOptions(o);
  Layout();
}

void TDBGrid::Layout() {
  const int indicator = IndicatorOffset();
  const int titles = HasDBOption(2) ? 1 : 0;
  const int columns = std::max(1, columns_->Count());
  SetFixedCols(0);
  SetFixedRows(0);
  SetColCount(columns + indicator);
  SetRowCount(titles + 1);
  SetFixedCols(indicator);
  SetFixedRows(titles);
  if (indicator) SetColWidths(0, kIndicatorWidth);
  for (int i = 0; i < columns_->Count(); ++i) {
    const TFieldValue* w = columns_->Items(i)->FindField("Width");
    SetColWidths(i + indicator, w ? int(w->ord) : DefaultColWidth());
  }
  if (columns_->Count() == 0) SetColWidths(indicator, DefaultColWidth());
  Invalidate();
}

std::string TDBGrid::CellText(int col, int row) const {
  const int index = col - IndicatorOffset();
  if (!HasDBOption(2) || row != 0 || index < 0 || index >= columns_->Count()) return {};
  auto* column = static_cast<TColumn*>(columns_->Items(index));
  if (const TFieldValue* c = column->Title()->FindField("Caption"); c && !c->str.empty()) return c->str;
  return column->FieldOf("FieldName").str;
}

// Titles in the title font. The preview never opens a data set, so the
// grid looks as it does at design time: the data row is empty, with no
// current cell or row mark, in the grid's colour (the indicator column in
// the fixed colour).
void TDBGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  TCanvas* canvas = Canvas();
  const bool dataRow = row >= (HasDBOption(2) ? 1 : 0);
  if (dataRow) {
    if (!DefaultDrawing()) return;
    canvas->Brush()->SetColor(InDrawState(state, gdFixed) ? FixedColor() : Color());
    canvas->FillRect(rect);
    return;
  }
  if (HasDBOption(2)) canvas->Font()->Assign(*titleFont_);
  if (DefaultDrawing()) DrawCellText(*canvas, rect, CellText(col, row));
}

// ---------------------------------------------------------------------------
// TDBNavigator

const TClassInfo& TDBNavigator::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBNavigator> b("TDBNavigator", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    b.Publish("Ctl3D").Publish("ParentCtl3D").Publish("Color").Publish("ParentColor");
    groups::PublishWindowed(b);
    b.Reference(
         "DataSource", &TComponent::StaticClassInfo, [](const TDBNavigator* c) -> TComponent* { return c->dataSource; },
         [](TDBNavigator* c, TPersistent* v) { c->dataSource = dynamic_cast<TComponent*>(v); })
        .BoolField("ConfirmDelete", true)
        .BoolField("Flat", false)
        .Object("Hints", &TStrings::StaticClassInfo, &TDBNavigator::Hints)
        .IgnoredReference("Images", &TComponent::StaticClassInfo)
        .EnumField("Kind", NavKindEnumInfo(), "dbnHorizontal")
        .Set("VisibleButtons", NavigateBtnEnumInfo(), &TDBNavigator::VisibleButtons, &TDBNavigator::SetVisibleButtons,
             0x3FF)
        .Event("BeforeAction", &TDBNavigator::BeforeAction);
    return b.Build();
  }();
  return info;
}

TDBNavigator::TDBNavigator(TComponent* owner) : TCustomControl(owner), hints_(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 240, 25);
  SetColor(clBtnFace);
  SetParentColor(false);
}
TDBNavigator::~TDBNavigator() = default;

void TDBNavigator::Paint() {
  TCanvas& c = *Canvas();
  const TFieldValue* kind = FindField("Kind");
  const bool vertical = kind && kind->ord == 1;
  const TFieldValue* flatField = FindField("Flat");
  const bool flat = flatField && flatField->ord;
  for (const TNavigatorButton& b : NavigatorButtons(visibleButtons_, Width(), Height(), vertical)) {
    TRect r = b.rect;
    if (!flat) {
      Frame3D(c, r, clBtnHighlight, cl3DDkShadow, 1);
      Frame3D(c, r, cl3DLight, clBtnShadow, 1);
    }
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(r);
    DrawNavigatorGlyph(c, b.kind, b.rect, Enabled());
  }
}

// ---------------------------------------------------------------------------
// The other data-aware controls

// The stored Items of a data-aware list, decoded by the control's font.
static void ReportItems(TContentReport& report, const TStrings& items, const TFont& font) {
  std::vector<std::string> texts;
  for (int i = 0; i < items.Count(); ++i) texts.push_back(font.Decode(items.Get(i)).toStdString());
  report.AddStrings("items", texts);
}
void TDBListBox::ReportContent(TContentReport& report) const { ReportItems(report, *Items(), *Font()); }
void TDBComboBox::ReportContent(TContentReport& report) const { ReportItems(report, *Items(), *Font()); }
void TDBRadioGroup::ReportContent(TContentReport& report) const { ReportItems(report, *Items(), *Font()); }

const TClassInfo& TDBText::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBText> b("TDBText", &TCustomLabel::StaticClassInfo());
    groups::PublishControl(b);
    b.Publish("Color").Publish("Font").Publish("ParentColor").Publish("ParentFont");
    PublishDataLink(b);
    b.Enum("Alignment", AlignmentEnumInfo(), &TDBText::Alignment, &TDBText::SetAlignment, taLeftJustify)
        .Publish("AutoSize", 0)
        .Bool("Transparent", &TDBText::Transparent, &TDBText::SetTransparent)
        .Bool("WordWrap", &TDBText::WordWrap, &TDBText::SetWordWrap, false)
        .Enum("Layout", TextLayoutEnumInfo(), &TDBText::Layout, &TDBText::SetLayout, tlTop);
    return b.Build();
  }();
  return info;
}

TDBText::TDBText(TComponent* owner) : TCustomLabel(owner) {
  SetShowAccelChar(false);
  SetAutoSize(false);
}
// Without data the text shows its field's name, as at design time.
QString TDBText::LabelText() const {
  const TFieldValue* f = FindField("DataField");
  return f && !f->str.empty() ? QString::fromStdString(f->str) : QString::fromStdString(Name());
}

const TClassInfo& TDBEdit::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBEdit> b("TDBEdit", &TCustomEdit::StaticClassInfo());
    groups::PublishEditLike(b);
    PublishDataLink(b);
    return b.Build();
  }();
  return info;
}

template <class C>
static void PublishMemoLike(ClassBuilder<C>& b) {
  groups::PublishControl(b);
  groups::PublishLooks(b, clWindow);
  groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
  groups::PublishBevels(b);
  PublishDataLink(b);
  b.Enum("Alignment", AlignmentEnumInfo(), &C::Alignment, &C::SetAlignment, taLeftJustify)
      .BoolField("AutoDisplay", true)
      .Enum("BorderStyle", EditBorderStyleEnumInfo(), &C::BorderStyle, &C::SetBorderStyle, ebsSingle)
      .BoolField("HideSelection", true)
      .Integer("MaxLength", &C::MaxLength, &C::SetMaxLength, 0)
      .BoolField("OEMConvert", false)
      .Bool("ReadOnly", &C::ReadOnly, &C::SetReadOnly, false)
      .Enum("ScrollBars", ScrollStyleEnumInfo(), &C::ScrollBars, &C::SetScrollBars, ssNone)
      .BoolField("WantReturns", true)
      .BoolField("WantTabs", false)
      .Bool("WordWrap", &C::WordWrap, &C::SetWordWrap, true)
      .Event("OnChange", &C::OnChange);
}

const TClassInfo& TDBMemo::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBMemo> b("TDBMemo", &TCustomMemo::StaticClassInfo());
    PublishMemoLike(b);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBRichEdit::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBRichEdit> b("TDBRichEdit", &TCustomMemo::StaticClassInfo());
    PublishMemoLike(b);
    b.BoolField("PlainText", false)
        .Event("OnProtectChange", &TDBRichEdit::OnProtectChange)
        .Event("OnResizeRequest", &TDBRichEdit::OnResizeRequest)
        .Event("OnSaveClipboard", &TDBRichEdit::OnSaveClipboard)
        .Event("OnSelectionChange", &TDBRichEdit::OnSelectionChange);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBImage::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBImage> b("TDBImage", &TStockBox::StaticClassInfo());
    PublishDataLink(b);
    b.BoolField("AutoDisplay", true)
        .EnumField("BorderStyle", EditBorderStyleEnumInfo(), "bsSingle")
        .BoolField("Center", true)
        .BoolField("Proportional", false)
        .BoolField("QuickDraw", true)
        .BoolField("ReadOnly", false)
        .BoolField("Stretch", false);
    return b.Build();
  }();
  return info;
}
TDBImage::TDBImage(TComponent* owner) : TStockBox(owner) {
  SetBounds(0, 0, 105, 105);
  SetColor(clWindow);
}

const TClassInfo& TDBListBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBListBox> b("TDBListBox", &TCustomListBox::StaticClassInfo());
    groups::PublishListLike(b);
    PublishDataLink(b);
    b.BoolField("ReadOnly", false);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBComboBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBComboBox> b("TDBComboBox", &TCustomComboBox::StaticClassInfo());
    PublishComboLike(b);
    PublishDataLink(b);
    b.BoolField("ReadOnly", false);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBCheckBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBCheckBox> b("TDBCheckBox", &TCustomCheckBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    PublishDataLink(b);
    b.Enum("Alignment", LeftRightEnumInfo(), &TDBCheckBox::Alignment, &TDBCheckBox::SetAlignment, taRightJustify)
        .Bool("AllowGrayed", &TDBCheckBox::AllowGrayed, &TDBCheckBox::SetAllowGrayed, false)
        .Publish("Caption")
        .BoolField("ReadOnly", false)
        .StringField("ValueChecked")
        .StringField("ValueUnchecked")
        .BoolField("WordWrap", false);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBRadioGroup::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBRadioGroup> b("TDBRadioGroup", &TCustomRadioGroup::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    PublishDataLink(b);
    b.Publish("Caption")
        .Integer("Columns", &TDBRadioGroup::Columns, &TDBRadioGroup::SetColumns, 1)
        .Object("Items", &TStrings::StaticClassInfo, &TDBRadioGroup::Items, &TDBRadioGroup::SetItems)
        .BoolField("ReadOnly", false)
        .Object("Values", &TStrings::StaticClassInfo, &TDBRadioGroup::Values)
        .BoolField("WordWrap", false)
        .Event("OnChange", &TDBRadioGroup::OnChange);
    return b.Build();
  }();
  return info;
}
TDBRadioGroup::TDBRadioGroup(TComponent* owner) : TCustomRadioGroup(owner), values_(std::make_unique<TStringList>()) {}
TDBRadioGroup::~TDBRadioGroup() = default;

const TClassInfo& TDBLookupListBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBLookupListBox> b("TDBLookupListBox", &TCustomListBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    groups::PublishBevels(b);
    PublishDataLink(b);
    PublishLookup(b);
    b.EnumField("BorderStyle", EditBorderStyleEnumInfo(), "bsSingle")
        .BoolField("ReadOnly", false)
        .IntegerField("RowCount", 7);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBLookupComboBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBLookupComboBox> b("TDBLookupComboBox", &TCustomComboBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    groups::PublishBevels(b);
    PublishDataLink(b);
    PublishLookup(b);
    b.EnumField("DropDownAlign", DropDownAlignEnumInfo(), "daLeft")
        .IntegerField("DropDownRows", 7)
        .IntegerField("DropDownWidth", 0)
        .BoolField("ReadOnly", false)
        .Event("OnCloseUp", &TDBLookupComboBox::OnCloseUp)
        .Event("OnDropDown", &TDBLookupComboBox::OnDropDown);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBLookupList::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBLookupList> b("TDBLookupList", &TCustomListBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    PublishDataLink(b);
    PublishOldLookup(b);
    b.EnumField("BorderStyle", EditBorderStyleEnumInfo(), "bsSingle");
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBLookupCombo::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBLookupCombo> b("TDBLookupCombo", &TCustomComboBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    PublishDataLink(b);
    PublishOldLookup(b);
    b.EnumField("Style", DBLookupComboStyleEnumInfo(), "csDropDown");
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBCtrlGrid::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBCtrlGrid> b("TDBCtrlGrid", &TStockBox::StaticClassInfo());
    PublishDataLink(b);
    b.BoolField("AllowDelete", true)
        .BoolField("AllowInsert", true)
        .IntegerField("ColCount", 1)
        .EnumField("Orientation", DBCtrlGridOrientationEnumInfo(), "goVertical")
        .EnumField("PanelBorder", DBCtrlGridBorderEnumInfo(), "gbRaised")
        .IntegerField("PanelHeight", 72)
        .IntegerField("PanelWidth", 200)
        .IntegerField("RowCount", 3)
        .ColorField("SelectedColor", clHighlight)
        .BoolField("ShowFocus", true)
        .Event("OnPaintPanel", &TDBCtrlGrid::OnPaintPanel);
    return b.Build();
  }();
  return info;
}
TDBCtrlGrid::TDBCtrlGrid(TComponent* owner) : TStockBox(owner) {
  SetBounds(0, 0, 200, 216);
  showClassName_ = false;
}
