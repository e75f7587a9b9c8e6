// List boxes and combo boxes over Qt's list and combo widgets.
#include "StdCtrls.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "StockEnum.h"
#include "controls/ContentReport.h"
#include "controls/Forms.h"
#include "core/Exceptions.h"
#include "core/FormNode.h"

// ---------------------------------------------------------------------------
// TCustomListBox

const TClassInfo& TCustomListBox::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomListBox>("TCustomListBox", &TWinControl::StaticClassInfo()).Build();
  return info;
}

template <class C>
static void PublishListBox(ClassBuilder<C>& b) {
  groups::PublishControl(b);
  groups::PublishLooks(b, clWindow);
  groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
  groups::PublishBevels(b);
  b.BoolField("AutoComplete", true)
      .IntegerField("AutoCompleteDelay", 500)
      .Enum("BorderStyle", EditBorderStyleEnumInfo(), &C::BorderStyle, &C::SetBorderStyle, ebsSingle)
      .Integer("Columns", &C::Columns, &C::SetColumns, 0)
      .BoolField("ExtendedSelect", true)
      .BoolField("IntegralHeight", false)
      .IntegerField("ItemHeight", 16)
      .Integer("ItemIndex", &C::ItemIndex, &C::SetItemIndex, -1)
      .StoredWhen([](const C*) { return false; })
      .Object("Items", &TStrings::StaticClassInfo, &C::Items, &C::SetItems)
      .Bool("MultiSelect", &C::MultiSelect, &C::SetMultiSelect, false)
      .IntegerField("ScrollWidth", 0)
      .Bool("Sorted", &C::Sorted, &C::SetSorted, false)
      .EnumField("Style", ListBoxStyleEnumInfo(), lbStandard)
      .IntegerField("TabWidth", 0)
      .Event("OnData", &C::OnData)
      .Event("OnDataFind", &C::OnDataFind)
      .Event("OnDataObject", &C::OnDataObject)
      .Event("OnDrawItem", &C::OnDrawItem)
      .Event("OnMeasureItem", &C::OnMeasureItem);
}

const TClassInfo& TListBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TListBox> b("TListBox", &TCustomListBox::StaticClassInfo());
    PublishListBox(b);
    return b.Build();
  }();
  return info;
}

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TSyncedStrings>()) {
  SetControlStyle(csSetCaption | csDoubleClicks | csClickEvents);
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
  items_->OnChanged = [this] { FillWidget(); };
}
TCustomListBox::~TCustomListBox() { items_->OnChanged = nullptr; }

void TCustomListBox::SetItems(TStrings* items) {
  if (items) items_->Assign(*items);
}
int TCustomListBox::ItemIndex() const { return list_ ? list_->currentRow() : itemIndex_; }
void TCustomListBox::SetItemIndex(int v) {
  itemIndex_ = v;
  if (list_) list_->setCurrentRow(v);
}
void TCustomListBox::SetMultiSelect(bool v) {
  multiSelect_ = v;
  if (list_) list_->setSelectionMode(v ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}
void TCustomListBox::SetSorted(bool v) {
  sorted_ = v;
  if (v)
    std::sort(const_cast<std::vector<std::string>&>(items_->Lines()).begin(),
              const_cast<std::vector<std::string>&>(items_->Lines()).end());
  FillWidget();
}
void TCustomListBox::SetColumns(int v) {
  columns_ = v;
  if (list_) {
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(v > 0);
  }
}
void TCustomListBox::SetBorderStyle(TEditBorderStyle v) {
  borderStyle_ = v;
  if (list_) list_->setFrameShape(v == ebsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
}
QListWidget* TCustomListBox::ListWidget() const { return list_.data(); }

QWidget* TCustomListBox::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* l = new QListWidget(parentWidget);
  l->setUniformItemSizes(true);
  QObject::connect(l, &QListWidget::currentRowChanged, l, [this](int row) { itemIndex_ = row; });
  list_ = l;
  return l;
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  SetMultiSelect(multiSelect_);
  SetBorderStyle(borderStyle_);
  SetColumns(columns_);
  ApplyControlPalette(list_, this, true);
  FillWidget();
}

void TCustomListBox::FillWidget() {
  if (!list_) return;
  const int keep = itemIndex_;
  list_->clear();
  const TFont& font = *Font();
  for (const auto& s : items_->Lines()) list_->addItem(font.Decode(s));
  if (keep >= 0 && keep < list_->count()) list_->setCurrentRow(keep);
  itemIndex_ = keep;
}

void TCustomListBox::ReportContent(TContentReport& report) const {
  report.AddStrings("items", DecodedLines(items_->Lines(), *Font()));
}

void TCustomListBox::CMFontChanged(TMessage& msg) {
  TWinControl::CMFontChanged(msg);
  ApplyControlPalette(list_, this, true);
  FillWidget();
}
void TCustomListBox::CMColorChanged(TMessage& msg) {
  TWinControl::CMColorChanged(msg);
  ApplyControlPalette(list_, this, true);
}

// ---------------------------------------------------------------------------
// TCustomComboBox

const TClassInfo& TCustomComboBox::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomComboBox>("TCustomComboBox", &TWinControl::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TComboBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TComboBox> b("TComboBox", &TCustomComboBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    groups::PublishBevels(b);
    b.BoolField("AutoComplete", true)
        .IntegerField("AutoCompleteDelay", 500)
        .BoolField("AutoCloseUp", false)
        .BoolField("AutoDropDown", false)
        .BoolField("AutoDropDownWidth", false)
        .EnumField("CharCase", EditCharCaseEnumInfo(), ecNormal)
        .IntegerField("DropDownCount", 8)
        .IntegerField("DropDownWidth", 0)
        .BoolField("ExtendedUI", false)
        .IntegerField("ItemHeight", 16)
        .Integer("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex, -1)
        .Object("Items", &TStrings::StaticClassInfo, &TComboBox::Items, &TComboBox::SetItems)
        .IntegerField("MaxLength", 0)
        .Bool("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted, false)
        .Enum("Style", ComboBoxStyleEnumInfo(), &TComboBox::Style, &TComboBox::SetStyle, csDropDown)
        .Publish("Text")
        .StringField("TextHint")
        .Event("OnChange", &TComboBox::OnChange)
        .Event("OnCloseUp", &TComboBox::OnCloseUp)
        .Event("OnDrawItem", &TComboBox::OnDrawItem)
        .Event("OnDropDown", &TComboBox::OnDropDown)
        .Event("OnMeasureItem", &TComboBox::OnMeasureItem)
        .Event("OnSelect", &TComboBox::OnSelect);
    return b.Build();
  }();
  return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TSyncedStrings>()) {
  SetControlStyle(csSetCaption | csDoubleClicks | csClickEvents);
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
  items_->OnChanged = [this] { FillWidget(); };
}
TCustomComboBox::~TCustomComboBox() { items_->OnChanged = nullptr; }

void TCustomComboBox::SetItems(TStrings* items) {
  if (items) items_->Assign(*items);
}
void TCustomComboBox::SetItemIndex(int v) {
  itemIndex_ = v;
  if (v >= 0 && v < items_->Count() && !HasState(csLoading)) TControl::SetText(items_->Get(v));
  FillWidget();
}
void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  style_ = v;
  FillWidget();
}
void TCustomComboBox::SetText(const std::string& v) {
  TWinControl::SetText(v);
  if (combo_ && !filling_ && combo_->isEditable()) combo_->setEditText(DisplayText());
}
QComboBox* TCustomComboBox::ComboWidget() const { return combo_.data(); }

QWidget* TCustomComboBox::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* c = new QComboBox(parentWidget);
  QObject::connect(c, &QComboBox::activated, c, [this](int index) {
    itemIndex_ = index;
    if (index >= 0 && index < items_->Count()) TControl::SetText(items_->Get(index));
    if (OnSelect) OnSelect.code(this);
    if (OnChange) OnChange.code(this);
  });
  combo_ = c;
  return c;
}

void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyControlPalette(combo_, this, true);
  FillWidget();
}

void TCustomComboBox::FillWidget() {
  if (!combo_) return;
  filling_ = true;
  combo_->clear();
  combo_->setEditable(style_ == csDropDown || style_ == csSimple);
  const TFont& font = *Font();
  std::vector<std::string> items = items_->Lines();
  if (sorted_) std::sort(items.begin(), items.end());
  for (const auto& s : items) combo_->addItem(font.Decode(s));
  combo_->setCurrentIndex(itemIndex_ < combo_->count() ? itemIndex_ : -1);
  if (combo_->isEditable()) combo_->setEditText(DisplayText());
  filling_ = false;
}

void TCustomComboBox::ReportContent(TContentReport& report) const {
  std::vector<std::string> items = items_->Lines();
  if (sorted_) std::sort(items.begin(), items.end());
  report.AddStrings("items", DecodedLines(items, *Font()));
}

void TCustomComboBox::CMFontChanged(TMessage& msg) {
  TWinControl::CMFontChanged(msg);
  ApplyControlPalette(combo_, this, true);
  FillWidget();
}
void TCustomComboBox::CMColorChanged(TMessage& msg) {
  TWinControl::CMColorChanged(msg);
  ApplyControlPalette(combo_, this, true);
}
