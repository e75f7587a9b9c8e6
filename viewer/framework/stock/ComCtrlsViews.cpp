// Tree and list views: their native widgets, filled from the stored items,
// with images from the views' image lists.
#include <QHeaderView>
#include <QListWidget>
#include <QPixmap>
#include <QTreeWidget>

#include "ComCtrls.h"
#include "controls/ContentReport.h"
#include "ImgList.h"
#include "core/Exceptions.h"

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
std::vector<Record> StoredRecords(const TStockItemData& items, std::initializer_list<const char*> names,
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
  const bool report = viewStyle_ == 3;
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
    case 0:  // vsIcon: large images, captions below, in a grid
      icons_->setViewMode(QListView::IconMode);
      icons_->setFlow(QListView::LeftToRight);
      icons_->setWrapping(true);
      icons_->setIconSize(ImageSize(largeImages_, QSize(32, 32)));
      icons_->setGridSize(QSize(std::max(75, icons_->iconSize().width() + 8), icons_->iconSize().height() + 36));
      break;
    case 1:  // vsSmallIcon: small images, captions beside, rows
      icons_->setViewMode(QListView::ListMode);
      icons_->setFlow(QListView::LeftToRight);
      icons_->setWrapping(true);
      icons_->setIconSize(ImageSize(smallImages_, QSize(16, 16)));
      icons_->setGridSize(QSize());
      break;
    default:  // vsList: small images, captions beside, columns
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
  const TComponent* iconImages = viewStyle_ == 0 ? largeImages_ : smallImages_;
  for (const TListItemRecord& r : ItemRecords()) {
    auto* row = new QTreeWidgetItem(tree_.data());
    row->setText(0, font.Decode(r.caption));
    row->setIcon(0, ImageIcon(smallImages_, r.imageIndex));
    for (size_t j = 0; j < r.subItems.size(); ++j) row->setText(int(j) + 1, font.Decode(r.subItems[j]));
    auto* item = new QListWidgetItem(ImageIcon(iconImages, r.imageIndex), font.Decode(r.caption), icons_.data());
    if (viewStyle_ == 0) item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
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
    json += "{\"text\": " + TContentReport::JsonString(Utf8(*Font(), r.caption)) +
            ", \"subItems\": " + TContentReport::JsonStringArray(subItems) +
            ", \"imageIndex\": " + std::to_string(r.imageIndex) + "}";
  }
  report.Add("items", json + "]");
  report.AddString("viewStyle", viewStyle_ == 0 ? "vsIcon" : viewStyle_ == 1 ? "vsSmallIcon"
                                                        : viewStyle_ == 2 ? "vsList" : "vsReport");
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
  for (int i = 0; i < itemsEx_->Count(); ++i) texts.push_back(Utf8(*Font(), itemsEx_->Items(i)->FieldOf("Caption").str));
  report.AddStrings("items", texts);
}
