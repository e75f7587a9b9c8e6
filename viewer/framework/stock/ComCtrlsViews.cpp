// Tree and list views: their native widgets, filled from the stored items,
// with images from the views' image lists.
#include "ComCtrls.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QKeySequence>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QSlider>
#include <QStyleOptionButton>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTreeWidget>

#include <QListWidget>
#include "ImgList.h"
#include "StockEnum.h"
#include "controls/ContentReport.h"
#include "core/Exceptions.h"
#include "core/FormNode.h"

STOCK_ENUM(TreeViewCheckStyleEnumInfo, "TTreeViewCheckStyle", "csPartial", "csDimmed", "csExclusion")
STOCK_ENUM(SortTypeEnumInfo, "TSortType", "stNone", "stData", "stText", "stBoth")
STOCK_ENUM(MultiSelectStyleEnumInfo, "TMultiSelectStyles", "msControlSelect", "msShiftSelect", "msVisibleOnly",
           "msSiblingOnly")
STOCK_ENUM(ViewStyleEnumInfo, "TViewStyle", "vsIcon", "vsSmallIcon", "vsList", "vsReport")
STOCK_ENUM(IconArrangementEnumInfo, "TIconArrangement", "iaTop", "iaLeft")
STOCK_ENUM(HotTrackStyleEnumInfo, "THotTrackStyle", "htHandPoint", "htUnderlineCold", "htUnderlineHot")
STOCK_ENUM(HeaderStyleEnumInfo, "THeaderStyle", "hsButtons", "hsFlat")
STOCK_ENUM(HeaderSectionStyleEnumInfo, "THeaderSectionStyle", "hsText", "hsOwnerDraw")
STOCK_ENUM(ListGroupStateEnumInfo, "TListGroupState", "lgsNormal", "lgsHidden", "lgsCollapsed", "lgsNoHeader",
           "lgsCollapsible", "lgsFocused", "lgsSelected", "lgsSubseted", "lgsSubSetLinkFocused")
STOCK_ENUM(BorderStyleEnumInfo, "TBorderStyle", "bsNone", "bsSingle")

namespace {

// The icon for an image index, null when the list or the image is missing.
QIcon ImageIcon(const TComponent* images, int index) {
  auto* list = dynamic_cast<const TCustomImageList*>(images);
  if (!list || index < 0) return {};
  const QImage image = list->ImageAt(index);
  return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

QSize ImageSize(const TComponent* images, QSize fallback) {
  auto* list = dynamic_cast<const TCustomImageList*>(images);
  return list ? QSize(list->Width(), list->Height()) : fallback;
}

// The records of the first of `names` that the items hold ("Data" is the
// 8-bit layout, the others wide); none when the data cannot be decoded, as
// a layout this reader does not know shows no items.
template <class Record>
std::vector<Record> StoredRecords(
    const TStockItemData& items, std::initializer_list<const char*> names,
    std::vector<Record> (*decode)(std::string_view, bool)) {
  for (const char* name : names)
    for (const auto& [key, bytes] : items.data)
      if (key == name) {
        try {
          return decode(bytes, key != "Data");
        } catch (const EReadError&) {
          return {};
        }
      }
  return {};
}

std::string Utf8(const TFont& font, const std::string& stored) { return font.Decode(stored).toStdString(); }

// Clears `slot` when the component it names goes away.
void ForgetOnRemoval(TComponent*& slot, TComponent* component, TOperation operation) {
  if (operation == opRemove && component == slot) slot = nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// TTreeView

std::vector<TTreeItemRecord> TTreeView::ItemRecords() const {
  return StoredRecords(*items_, {"NodeData", "Data"}, &DecodeTreeItems);
}

void TTreeView::SetImages(TComponent* c) {
  images_ = c;
  if (c) c->FreeNotification(this);
  FillItems();
}

void TTreeView::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  ForgetOnRemoval(images_, component, operation);
}

QWidget* TTreeView::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* t = new QTreeWidget(parentWidget);
  t->setHeaderHidden(true);
  tree_ = t;
  return t;
}

void TTreeView::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyControlPalette(tree_, this, true);
  FillItems();
}

void TTreeView::Loaded() {
  TWinControl::Loaded();
  FillItems();
}

void TTreeView::FillItems() {
  if (!tree_ || HasState(csLoading)) return;
  tree_->clear();
  tree_->setIconSize(ImageSize(images_, QSize(16, 16)));
  const TFont& font = *Font();
  std::vector<QTreeWidgetItem*> parents;  // the last item of each level
  for (const TTreeItemRecord& r : ItemRecords()) {
    parents.resize(size_t(r.level));
    auto* item = r.level == 0 ? new QTreeWidgetItem(tree_.data()) : new QTreeWidgetItem(parents.back());
    item->setText(0, font.Decode(r.text));
    item->setIcon(0, ImageIcon(images_, r.imageIndex));
    parents.push_back(item);
  }
}

void TTreeView::ReportContent(TContentReport& report) const {
  std::string json = "[";
  bool first = true;
  for (const TTreeItemRecord& r : ItemRecords()) {
    json += first ? "" : ", ";
    first = false;
    json += "{\"text\": " + TContentReport::JsonString(Utf8(*Font(), r.text)) +
            ", \"level\": " + std::to_string(r.level) + ", \"imageIndex\": " + std::to_string(r.imageIndex) + "}";
  }
  report.Add("items", json + "]");
}

// ---------------------------------------------------------------------------
// TListView

std::vector<TListItemRecord> TListView::ItemRecords() const {
  return StoredRecords(*items_, {"ItemData", "Data"}, &DecodeListItems);
}

void TListView::SetLargeImages(TComponent* c) {
  largeImages_ = c;
  if (c) c->FreeNotification(this);
  FillItems();
}

void TListView::SetSmallImages(TComponent* c) {
  smallImages_ = c;
  if (c) c->FreeNotification(this);
  FillItems();
}

void TListView::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  ForgetOnRemoval(largeImages_, component, operation);
  ForgetOnRemoval(smallImages_, component, operation);
}

// A plain container holding both views, one of them shown.
QWidget* TListView::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* box = new QWidget(parentWidget);
  auto* t = new QTreeWidget(box);
  t->setRootIsDecorated(false);
  t->setUniformRowHeights(true);
  auto* l = new QListWidget(box);
  l->setMovement(QListView::Static);
  l->setResizeMode(QListView::Adjust);
  tree_ = t;
  icons_ = l;
  return box;
}

void TListView::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyControlPalette(tree_, this, true);
  ApplyControlPalette(icons_, this, true);
  Apply();
}

void TListView::WMSize(TWMSize& msg) {
  TWinControl::WMSize(msg);
  if (tree_) tree_->setGeometry(0, 0, Width(), Height());
  if (icons_) icons_->setGeometry(0, 0, Width(), Height());
}

void TListView::Loaded() {
  TWinControl::Loaded();
  Apply();
}

void TListView::Apply() {
  if (!tree_ || !icons_) return;
  const bool report = viewStyle_ == vsReport;
  tree_->setVisible(report);
  icons_->setVisible(!report);
  tree_->setGeometry(0, 0, Width(), Height());
  icons_->setGeometry(0, 0, Width(), Height());
  tree_->setHeaderHidden(columns_->Count() == 0);
  QStringList labels;
  const TFont& font = *Font();
  for (int i = 0; i < columns_->Count(); ++i) labels << font.Decode(columns_->Items(i)->FieldOf("Caption").str);
  tree_->setColumnCount(std::max(1, int(labels.size())));
  tree_->setHeaderLabels(labels);
  for (int i = 0; i < columns_->Count(); ++i) {
    const TFieldValue* w = columns_->Items(i)->FindField("Width");
    tree_->setColumnWidth(i, w ? int(w->ord) : 50);
  }
  switch (viewStyle_) {
    case vsIcon:  // large images, captions below, in a grid
      icons_->setViewMode(QListView::IconMode);
      icons_->setFlow(QListView::LeftToRight);
      icons_->setWrapping(true);
      icons_->setIconSize(ImageSize(largeImages_, QSize(32, 32)));
      icons_->setGridSize(QSize(std::max(75, icons_->iconSize().width() + 8), icons_->iconSize().height() + 36));
      break;
    case vsSmallIcon:  // small images, captions beside, rows
      icons_->setViewMode(QListView::ListMode);
      icons_->setFlow(QListView::LeftToRight);
      icons_->setWrapping(true);
      icons_->setIconSize(ImageSize(smallImages_, QSize(16, 16)));
      icons_->setGridSize(QSize());
      break;
    default:  // vsList (and the hidden list of vsReport): small images, captions beside, columns
      icons_->setViewMode(QListView::ListMode);
      icons_->setFlow(QListView::TopToBottom);
      icons_->setWrapping(true);
      icons_->setIconSize(ImageSize(smallImages_, QSize(16, 16)));
      icons_->setGridSize(QSize());
      break;
  }
  FillItems();
}

void TListView::FillItems() {
  if (!tree_ || !icons_ || HasState(csLoading)) return;
  tree_->clear();
  icons_->clear();
  tree_->setIconSize(ImageSize(smallImages_, QSize(16, 16)));
  const TFont& font = *Font();
  const TComponent* iconImages = viewStyle_ == vsIcon ? largeImages_ : smallImages_;
  for (const TListItemRecord& r : ItemRecords()) {
    auto* row = new QTreeWidgetItem(tree_.data());
    row->setText(0, font.Decode(r.caption));
    row->setIcon(0, ImageIcon(smallImages_, r.imageIndex));
    for (size_t j = 0; j < r.subItems.size(); ++j) row->setText(int(j) + 1, font.Decode(r.subItems[j]));
    auto* item = new QListWidgetItem(ImageIcon(iconImages, r.imageIndex), font.Decode(r.caption), icons_.data());
    if (viewStyle_ == vsIcon) item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
  }
}

void TListView::ReportContent(TContentReport& report) const {
  std::string json = "[";
  bool first = true;
  for (const TListItemRecord& r : ItemRecords()) {
    json += first ? "" : ", ";
    first = false;
    std::vector<std::string> subItems;
    for (const auto& s : r.subItems) subItems.push_back(Utf8(*Font(), s));
    json += "{\"text\": " + TContentReport::JsonString(Utf8(*Font(), r.caption)) + ", \"subItems\": " +
            TContentReport::JsonStringArray(subItems) + ", \"imageIndex\": " + std::to_string(r.imageIndex) + "}";
  }
  report.Add("items", json + "]");
  report.AddString("viewStyle", ViewStyleEnumInfo().NameOf(viewStyle_));
}

// ---------------------------------------------------------------------------
// Tabs and extended combo boxes

void TCustomTabControl::ReportContent(TContentReport& report) const {
  std::vector<std::string> texts;
  for (const std::string& t : Tabs()) texts.push_back(Utf8(*Font(), t));
  report.AddStrings("items", texts);
}

void TComboBoxEx::ReportContent(TContentReport& report) const {
  std::vector<std::string> texts;
  for (int i = 0; i < itemsEx_->Count(); ++i)
    texts.push_back(Utf8(*Font(), itemsEx_->Items(i)->FieldOf("Caption").str));
  report.AddStrings("items", texts);
}

// ---------------------------------------------------------------------------
// TTreeView

const TClassInfo& TTreeView::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TTreeView> b("TTreeView", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    groups::PublishBevels(b);
    b.BoolField("AutoExpand", false)
        .EnumField("BorderStyle", BorderStyleEnumInfo(), "bsSingle")
        .IntegerField("BorderWidth", 0)
        .IntegerField("ChangeDelay", 0)
        .BoolField("CheckBoxes", false)
        .SetField("CheckStyles", TreeViewCheckStyleEnumInfo(), 0)
        .BoolField("HideSelection", true)
        .BoolField("HotTrack", false)
        .Reference("Images", &TComponent::StaticClassInfo, &TTreeView::Images,
                   [](TTreeView* t, TPersistent* v) { t->SetImages(dynamic_cast<TComponent*>(v)); })
        .IntegerField("Indent", 19)
        .Object("Items", &TStockItemData::StaticClassInfo, &TTreeView::Items)
        .BoolField("MultiSelect", false)
        .SetField("MultiSelectStyle", MultiSelectStyleEnumInfo(), 1)
        .BoolField("ReadOnly", false)
        .BoolField("RightClickSelect", false)
        .BoolField("RowSelect", false)
        .BoolField("ShowButtons", true)
        .BoolField("ShowLines", true)
        .BoolField("ShowRoot", true)
        .EnumField("SortType", SortTypeEnumInfo(), "stNone")
        .IgnoredReference("StateImages", &TComponent::StaticClassInfo)
        .BoolField("ToolTips", true)
        .Event("OnAddition", &TTreeView::OnAddition)
        .Event("OnCheckStateChanged", &TTreeView::OnCheckStateChanged)
        .Event("OnAdvancedCustomDraw", &TTreeView::OnAdvancedCustomDraw)
        .Event("OnAdvancedCustomDrawItem", &TTreeView::OnAdvancedCustomDrawItem)
        .Event("OnCancelEdit", &TTreeView::OnCancelEdit)
        .Event("OnChange", &TTreeView::OnChange)
        .Event("OnChanging", &TTreeView::OnChanging)
        .Event("OnCollapsed", &TTreeView::OnCollapsed)
        .Event("OnCollapsing", &TTreeView::OnCollapsing)
        .Event("OnCompare", &TTreeView::OnCompare)
        .Event("OnCreateNodeClass", &TTreeView::OnCreateNodeClass)
        .Event("OnCustomDraw", &TTreeView::OnCustomDraw)
        .Event("OnCustomDrawItem", &TTreeView::OnCustomDrawItem)
        .Event("OnDeletion", &TTreeView::OnDeletion)
        .Event("OnEdited", &TTreeView::OnEdited)
        .Event("OnEditing", &TTreeView::OnEditing)
        .Event("OnExpanded", &TTreeView::OnExpanded)
        .Event("OnExpanding", &TTreeView::OnExpanding)
        .Event("OnGetImageIndex", &TTreeView::OnGetImageIndex)
        .Event("OnGetSelectedIndex", &TTreeView::OnGetSelectedIndex)
        .Event("OnHint", &TTreeView::OnHint);
    return b.Build();
  }();
  return info;
}

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TStockItemData>()) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}
TTreeView::~TTreeView() = default;

// ---------------------------------------------------------------------------
// TListView

const TClassInfo& TListColumn::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TListColumn>("TListColumn", &TCollectionItem::StaticClassInfo())
          .EnumField("Alignment", AlignmentEnumInfo(), "taLeftJustify")
          .BoolField("AutoSize", false)
          .StringField("Caption")
          .IntegerField("ImageIndex", -1)
          .IntegerField("MaxWidth", 0)
          .IntegerField("MinWidth", 0)
          .IntegerField("Tag", 0)
          .IntegerField("Width", 50)
          .Build();
  return info;
}

void TListColumn::DefineProperties(TFiler& filer) {
  TCollectionItem::DefineProperties(filer);
  filer.DefineProperty(
      "WidthType",
      [](const TFormNode& v) {
        const bool one = v.type == TValueType::vaList && v.list.size() == 1 && v.list[0].IsInteger();
        if (!one && !v.IsInteger()) throw EReadError("Invalid property value");
      },
      nullptr, false);
}

const TClassInfo& TListGroup::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TListGroup>("TListGroup", &TCollectionItem::StaticClassInfo())
          .StringField("Header")
          .StringField("Footer")
          .IntegerField("GroupID", 0)
          .SetField("State", ListGroupStateEnumInfo(), 0)
          .EnumField("HeaderAlign", AlignmentEnumInfo(), "taLeftJustify")
          .EnumField("FooterAlign", AlignmentEnumInfo(), "taLeftJustify")
          .StringField("Subtitle")
          .IntegerField("TitleImage", -1)
          .StringField("Description")
          .IntegerField("ExtendedImage", -1)
          .Build();
  return info;
}

const TClassInfo& TIconOptions::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TIconOptions>("TIconOptions", &TPersistent::StaticClassInfo())
          .EnumField("Arrangement", IconArrangementEnumInfo(), "iaTop")
          .BoolField("AutoArrange", false)
          .BoolField("WrapText", true)
          .Build();
  return info;
}

const TClassInfo& TListView::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TListView> b("TListView", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    groups::PublishBevels(b);
    b.IgnoredReference("Action", &TComponent::StaticClassInfo)
        .IntegerField("AllocBy", 0)
        .EnumField("BorderStyle", BorderStyleEnumInfo(), "bsSingle")
        .IntegerField("BorderWidth", 0)
        .BoolField("Checkboxes", false)
        .Object("Columns", &TCollection::StaticClassInfo, &TListView::Columns)
        .BoolField("ColumnClick", true)
        .BoolField("FlatScrollBars", false)
        .BoolField("FullDrag", false)
        .BoolField("GridLines", false)
        .Object("Groups", &TCollection::StaticClassInfo, &TListView::Groups)
        .BoolField("GroupView", false)
        .BoolField("HideSelection", true)
        .BoolField("HotTrack", false)
        .SetField("HotTrackStyles", HotTrackStyleEnumInfo(), 0)
        .IntegerField("HoverTime", -1)
        .Object("IconOptions", &TIconOptions::StaticClassInfo, &TListView::IconOptions)
        .Object("Items", &TStockItemData::StaticClassInfo, &TListView::Items)
        .Reference("LargeImages", &TComponent::StaticClassInfo, &TListView::LargeImages,
                   [](TListView* l, TPersistent* v) { l->SetLargeImages(dynamic_cast<TComponent*>(v)); })
        .BoolField("MultiSelect", false)
        .BoolField("OwnerData", false)
        .BoolField("OwnerDraw", false)
        .BoolField("ReadOnly", false)
        .BoolField("RowSelect", false)
        .IgnoredReference("GroupHeaderImages", &TComponent::StaticClassInfo)
        .BoolField("ShowColumnHeaders", true)
        .BoolField("ShowWorkAreas", false)
        .Reference("SmallImages", &TComponent::StaticClassInfo, &TListView::SmallImages,
                   [](TListView* l, TPersistent* v) { l->SetSmallImages(dynamic_cast<TComponent*>(v)); })
        .EnumField("SortType", SortTypeEnumInfo(), "stNone")
        .IgnoredReference("StateImages", &TComponent::StaticClassInfo)
        .Enum("ViewStyle", ViewStyleEnumInfo(), &TListView::ViewStyle, &TListView::SetViewStyle, vsIcon)
        .Event("OnAdvancedCustomDraw", &TListView::OnAdvancedCustomDraw)
        .Event("OnAdvancedCustomDrawItem", &TListView::OnAdvancedCustomDrawItem)
        .Event("OnAdvancedCustomDrawSubItem", &TListView::OnAdvancedCustomDrawSubItem)
        .Event("OnCancelEdit", &TListView::OnCancelEdit)
        .Event("OnChange", &TListView::OnChange)
        .Event("OnChanging", &TListView::OnChanging)
        .Event("OnColumnClick", &TListView::OnColumnClick)
        .Event("OnColumnDragged", &TListView::OnColumnDragged)
        .Event("OnColumnRightClick", &TListView::OnColumnRightClick)
        .Event("OnCompare", &TListView::OnCompare)
        .Event("OnCreateItemClass", &TListView::OnCreateItemClass)
        .Event("OnCustomDraw", &TListView::OnCustomDraw)
        .Event("OnCustomDrawItem", &TListView::OnCustomDrawItem)
        .Event("OnCustomDrawSubItem", &TListView::OnCustomDrawSubItem)
        .Event("OnData", &TListView::OnData)
        .Event("OnDataFind", &TListView::OnDataFind)
        .Event("OnDataHint", &TListView::OnDataHint)
        .Event("OnDataStateChange", &TListView::OnDataStateChange)
        .Event("OnDeletion", &TListView::OnDeletion)
        .Event("OnDrawItem", &TListView::OnDrawItem)
        .Event("OnEdited", &TListView::OnEdited)
        .Event("OnEditing", &TListView::OnEditing)
        .Event("OnGetImageIndex", &TListView::OnGetImageIndex)
        .Event("OnGetSubItemImage", &TListView::OnGetSubItemImage)
        .Event("OnInfoTip", &TListView::OnInfoTip)
        .Event("OnInsert", &TListView::OnInsert)
        .Event("OnItemChecked", &TListView::OnItemChecked)
        .Event("OnItemClick", &TListView::OnItemClick)
        .Event("OnSelectItem", &TListView::OnSelectItem);
    return b.Build();
  }();
  return info;
}

TListView::TListView(TComponent* owner)
    : TWinControl(owner),
      columns_(std::make_unique<TCollection>(TListColumn::StaticClassInfo())),
      groups_(std::make_unique<TCollection>(TListGroup::StaticClassInfo())),
      iconOptions_(std::make_unique<TIconOptions>()),
      items_(std::make_unique<TStockItemData>()) {
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetColor(clWindow);
  columns_->OnChange = [this](TCollection&) { Apply(); };
}
TListView::~TListView() { columns_->OnChange = nullptr; }

// ---------------------------------------------------------------------------
// THeaderControl

const TClassInfo& THeaderSection::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<THeaderSection>("THeaderSection", &TCollectionItem::StaticClassInfo())
          .EnumField("Alignment", AlignmentEnumInfo(), "taLeftJustify")
          .BoolField("AllowClick", true)
          .BoolField("AutoSize", false)
          .EnumField("BiDiMode", BiDiModeEnumInfo(), "bdLeftToRight")
          .BoolField("CheckBox", false)
          .BoolField("Checked", false)
          .BoolField("FixedWidth", false)
          .IntegerField("ImageIndex", -1)
          .IntegerField("MaxWidth", 10000)
          .IntegerField("MinWidth", 0)
          .BoolField("ParentBiDiMode", true)
          .EnumField("Style", HeaderSectionStyleEnumInfo(), "hsText")
          .StringField("Text")
          .IntegerField("Width", 50)
          .Build();
  return info;
}

const TClassInfo& THeaderControl::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<THeaderControl> b("THeaderControl", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    b.Publish("Align", alTop)
        .IntegerField("BorderWidth", 0)
        .BoolField("DragReorder", false)
        .BoolField("FullDrag", true)
        .BoolField("HotTrack", false)
        .IgnoredReference("Images", &TComponent::StaticClassInfo)
        .BoolField("CheckBoxes", false)
        .BoolField("NoSizing", false)
        .BoolField("OverFlow", false)
        .Object("Sections", &TCollection::StaticClassInfo, &THeaderControl::Sections)
        .EnumField("Style", HeaderStyleEnumInfo(), "hsButtons")
        .Event("OnCreateSectionClass", &THeaderControl::OnCreateSectionClass)
        .Event("OnDrawSection", &THeaderControl::OnDrawSection)
        .Event("OnSectionCheck", &THeaderControl::OnSectionCheck)
        .Event("OnSectionClick", &THeaderControl::OnSectionClick)
        .Event("OnSectionDrag", &THeaderControl::OnSectionDrag)
        .Event("OnSectionEndDrag", &THeaderControl::OnSectionEndDrag)
        .Event("OnSectionResize", &THeaderControl::OnSectionResize)
        .Event("OnSectionTrack", &THeaderControl::OnSectionTrack);
    return b.Build();
  }();
  return info;
}

THeaderControl::THeaderControl(TComponent* owner)
    : TCustomControl(owner), sections_(std::make_unique<TCollection>(THeaderSection::StaticClassInfo())) {
  SetBounds(0, 0, 250, 17);
  SetAlign(alTop);
  SetColor(clBtnFace);
  SetParentColor(false);
  sections_->OnChange = [this](TCollection&) { Invalidate(); };
}
THeaderControl::~THeaderControl() { sections_->OnChange = nullptr; }

void THeaderControl::Paint() {
  TCanvas& c = *Canvas();
  c.SetFont(*Font());
  int x = 0;
  for (int i = 0; i < sections_->Count(); ++i) {
    TCollectionItem* s = sections_->Items(i);
    const TFieldValue* w = s->FindField("Width");
    TRect r = Rect(x, 0, x + (w ? int(w->ord) : 50), Height());
    Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
    const TFieldValue* t = s->FindField("Text");
    const TFieldValue* a = s->FindField("Alignment");
    if (t)
      DrawControlText(
          c, Rect(r.Left + 3, r.Top, r.Right - 3, r.Bottom), Font()->Decode(t->str), a ? int(a->ord) : 0, 1, false,
          false);
    x = r.Right + 1;
  }
  if (x < Width()) {
    TRect r = Rect(x, 0, Width(), Height());
    Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
  }
}
