#include "FileCtrl.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>

#include "StockEnum.h"
#include "controls/ContentReport.h"
#include "core/SysUtils.h"

STOCK_ENUM(FileTypeEnumInfo, "TFileAttr", "ftReadOnly", "ftHidden", "ftSystem", "ftVolumeID", "ftDirectory",
           "ftArchive", "ftNormal")
STOCK_ENUM(TextCaseEnumInfo, "TTextCase", "tcLowerCase", "tcUpperCase")

// ---------------------------------------------------------------------------
// File-system lists

const TClassInfo& TFileListBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TFileListBox> b("TFileListBox", &TCustomListBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    b.StringField("Directory")
        .BoolField("ExtendedSelect", true)
        .IgnoredReference("FileEdit", &TComponent::StaticClassInfo)
        .StringField("FileName")
        .SetField("FileType", FileTypeEnumInfo(), 0x40)
        .BoolField("IntegralHeight", false)
        .IntegerField("ItemHeight", 16)
        .String("Mask", &TFileListBox::Mask, &TFileListBox::SetMask)
        .Bool("MultiSelect", &TFileListBox::MultiSelect, &TFileListBox::SetMultiSelect, false)
        .BoolField("ShowGlyphs", false)
        .Event("OnChange", &TFileListBox::OnChange);
    return b.Build();
  }();
  return info;
}

TFileListBox::TFileListBox(TComponent* owner) : TCustomListBox(owner) { SetBounds(0, 0, 145, 97); }

void TFileListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  Rescan();
}
void TFileListBox::Rescan() {
  if (!list_) return;
  QStringList patterns;
  for (const QString& p : QString::fromStdString(mask_).split(';', Qt::SkipEmptyParts))
    patterns << (p == "*.*" ? QStringLiteral("*") : p);
  std::vector<std::string> names;
  for (const QString& f : QDir::current().entryList(patterns, QDir::Files, QDir::Name))
    names.push_back(f.toStdString());
  items_->SetLines(names);
}

const TClassInfo& TDirectoryListBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDirectoryListBox> b("TDirectoryListBox", &TCustomListBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    b.StringField("Directory")
        .IgnoredReference("DirLabel", &TComponent::StaticClassInfo)
        .IgnoredReference("FileList", &TComponent::StaticClassInfo)
        .IntegerField("ItemHeight", 16)
        .Event("OnChange", &TDirectoryListBox::OnChange);
    return b.Build();
  }();
  return info;
}

TDirectoryListBox::TDirectoryListBox(TComponent* owner) : TCustomListBox(owner) { SetBounds(0, 0, 145, 97); }

void TDirectoryListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  std::vector<std::string> lines;
  QDir dir = QDir::current();
  QStringList parts = dir.absolutePath().split('/', Qt::SkipEmptyParts);
  lines.push_back("/");
  for (const QString& p : parts) lines.push_back(p.toStdString());
  items_->SetLines(lines);
}

const TClassInfo& TDriveComboBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDriveComboBox> b("TDriveComboBox", &TCustomComboBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    b.IgnoredReference("DirList", &TComponent::StaticClassInfo)
        .EnumField("TextCase", TextCaseEnumInfo(), "tcLowerCase")
        .Event("OnChange", &TDriveComboBox::OnChange)
        .Event("OnDropDown", &TDriveComboBox::OnDropDown);
    return b.Build();
  }();
  return info;
}

TDriveComboBox::TDriveComboBox(TComponent* owner) : TCustomComboBox(owner) {
  SetStyle(csDropDownList);
  items_->SetLines({"/"});
  SetItemIndex(0);
}

const TClassInfo& TFilterComboBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TFilterComboBox> b("TFilterComboBox", &TCustomComboBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    b.IgnoredReference("FileList", &TComponent::StaticClassInfo)
        .String("Filter", &TFilterComboBox::Filter, &TFilterComboBox::SetFilter)
        .Event("OnChange", &TFilterComboBox::OnChange)
        .Event("OnDropDown", &TFilterComboBox::OnDropDown);
    return b.Build();
  }();
  return info;
}

TFilterComboBox::TFilterComboBox(TComponent* owner) : TCustomComboBox(owner) {
  SetStyle(csDropDownList);
  SetFilter(filter_);
}
void TFilterComboBox::SetFilter(const std::string& v) {
  filter_ = v;
  std::vector<std::string> labels;
  size_t start = 0;
  bool label = true;
  for (;;) {
    const size_t bar = v.find('|', start);
    if (label) labels.push_back(v.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    label = !label;
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  items_->SetLines(labels);
  SetItemIndex(labels.empty() ? -1 : 0);
}
