#include "Dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "StockEnum.h"
#include "controls/Forms.h"

std::function<bool(TOpenDialog&)> TOpenDialog::ExecuteHook;

static const TEnumInfo& OpenOptionExEnumInfo() {
  static const TEnumInfo e{"TOpenOptionEx", {"ofExNoPlacesBar"}};
  return e;
}

static const TEnumInfo& OpenOptionEnumInfo() {
  static const TEnumInfo e{
      "TOpenOption",
      {"ofReadOnly",        "ofOverwritePrompt",  "ofHideReadOnly",       "ofNoChangeDir",         "ofShowHelp",
       "ofNoValidate",      "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist",       "ofFileMustExist",
       "ofCreatePrompt",    "ofShareAware",       "ofNoReadOnlyReturn",   "ofNoTestFileCreate",    "ofNoNetworkButton",
       "ofNoLongNames",     "ofOldStyleDialog",   "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing",
       "ofDontAddToRecent", "ofForceShowHidden"}};
  return e;
}

// The file name box of the dialogs up to version 7: an edit or a combo box.
static const TEnumInfo& FileEditStyleEnumInfo() {
  static const TEnumInfo e{"TFileEditStyle", {"fsEdit", "fsComboBox"}};
  return e;
}

const TClassInfo& TOpenDialog::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TOpenDialog>("TOpenDialog", &TComponent::StaticClassInfo())
          .String("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
          .EnumField("FileEditStyle", FileEditStyleEnumInfo(), "fsEdit")
          .String("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
          .String("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
          .Integer("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex, 1)
          .String("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
          .Set("Options", OpenOptionEnumInfo(), &TOpenDialog::Options, &TOpenDialog::SetOptions,
               (1 << ofHideReadOnly) | (1 << ofEnableSizing))
          .SetField("OptionsEx", OpenOptionExEnumInfo(), 0)
          .String("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
          .BoolField("Ctl3D", true)
          .IntegerField("HelpContext", 0)
          .Event("OnCanClose", &TOpenDialog::OnCanClose)
          .Event("OnClose", &TOpenDialog::OnClose)
          .Event("OnFolderChange", &TOpenDialog::OnFolderChange)
          .Event("OnIncludeItem", &TOpenDialog::OnIncludeItem)
          .Event("OnSelectionChange", &TOpenDialog::OnSelectionChange)
          .Event("OnShow", &TOpenDialog::OnShow)
          .Event("OnTypeChange", &TOpenDialog::OnTypeChange)
          .Build();
  return info;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}
TOpenDialog::~TOpenDialog() = default;

// The filter's parts between the bars: label, patterns, label, patterns ...
static std::vector<std::string> FilterParts(const std::string& filter) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return parts;
}

std::vector<std::string> TOpenDialog::QtNameFilters() const {
  const std::vector<std::string> parts = FilterParts(filter_);
  std::vector<std::string> out;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns = parts[i + 1];
    for (char& c : patterns)
      if (c == ';') c = ' ';
    out.push_back(parts[i] + " (" + patterns + ")");
  }
  return out;
}

std::vector<std::string> TOpenDialog::FilterLabels() const {
  const std::vector<std::string> parts = FilterParts(filter_);
  std::vector<std::string> out;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) out.push_back(parts[i]);
  return out;
}

namespace {

bool Has(int64_t options, TOpenOption option) { return (options >> option) & 1; }

// A default extension as form files give it ("dfm", ".dfm" or "*.dfm"),
// without the wildcard and the dot.
QString PlainExtension(const std::string& ext) {
  size_t start = 0;
  while (start < ext.size() && (ext[start] == '*' || ext[start] == '.')) ++start;
  return QString::fromStdString(ext.substr(start));
}

// The dialog's window. Before it closes on a chosen name it checks the name
// against the dialog's options, as the system's file dialog does: a name
// that no option forbids is returned whether or not the file exists.
class TFileDialogWidget : public QFileDialog {
 public:
  TFileDialogWidget(int64_t options, bool saving) : options_(options), saving_(saving) {}

  void accept() override {
    const QStringList files = selectedFiles();
    if (files.isEmpty()) return;
    if (files.size() == 1 && QFileInfo(files.front()).isDir()) {
      QFileDialog::accept();  // opens the folder
      return;
    }
    for (const QString& file : files)
      if (!Acceptable(QFileInfo(file))) return;
    // Past QFileDialog's own check, which would refuse a name that does not
    // exist: the options, checked above, decide that.
    QDialog::accept();  // NOLINT(bugprone-parent-virtual-call)
  }

 private:
  bool Acceptable(const QFileInfo& info) {
    const QString name = info.fileName();
    if (Has(options_, ofFileMustExist) && !info.exists()) {
      Warn(name + tr("\nFile not found.\nPlease verify the correct file name was given."));
      return false;
    }
    if (Has(options_, ofPathMustExist) && !info.dir().exists()) {
      Warn(name + tr("\nPath does not exist.\nPlease verify the correct path was given."));
      return false;
    }
    if (Has(options_, ofCreatePrompt) && !info.exists())
      return Ask(name + tr("\nThis file does not exist.\nDo you want to create it?"));
    if (saving_ && Has(options_, ofOverwritePrompt) && info.exists())
      return Ask(name + tr(" already exists.\nDo you want to replace it?"));
    return true;
  }
  void Warn(const QString& text) { QMessageBox::warning(this, windowTitle(), text); }
  bool Ask(const QString& text) {
    return QMessageBox::question(this, windowTitle(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
  }

  int64_t options_;
  bool saving_;
};

}  // namespace

void TOpenDialog::PrepareWidget(QFileDialog& dlg) const {
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setWindowTitle(QString::fromStdString(title_.empty() ? (Saving() ? "Save As" : "Open") : title_));
  const bool many = Has(options_, ofAllowMultiSelect) && !Saving();
  dlg.setFileMode(many ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
  dlg.setAcceptMode(Saving() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setOption(QFileDialog::DontConfirmOverwrite);  // the widget asks, if the options say so
  dlg.setOption(QFileDialog::DontResolveSymlinks, Has(options_, ofNoDereferenceLinks));
  if (Has(options_, ofForceShowHidden)) dlg.setFilter(dlg.filter() | QDir::Hidden);
  dlg.setSizeGripEnabled(Has(options_, ofEnableSizing));
  // Each filter shows its label exactly as given; the patterns stay behind it.
  dlg.setOption(QFileDialog::HideNameFilterDetails);
  const std::vector<std::string> filters = QtNameFilters();
  QStringList qtFilters;
  for (const auto& f : filters) qtFilters << QString::fromStdString(f);
  if (!qtFilters.isEmpty()) {
    dlg.setNameFilters(qtFilters);
    if (auto* types = dlg.findChild<QComboBox*>("fileTypeCombo")) {
      const std::vector<std::string> labels = FilterLabels();
      for (int i = 0; i < types->count() && i < int(labels.size()); ++i)
        types->setItemText(i, QString::fromStdString(labels[size_t(i)]));
    }
    if (filterIndex_ >= 1 && filterIndex_ <= qtFilters.size()) dlg.selectNameFilter(qtFilters[filterIndex_ - 1]);
  }
  const QString ext = PlainExtension(defaultExt_);
  if (!ext.isEmpty()) dlg.setDefaultSuffix(ext);
  QString dir = QString::fromStdString(initialDir_);
  if (dir.isEmpty() && !fileName_.empty()) dir = QFileInfo(QString::fromStdString(fileName_)).absolutePath();
  if (!dir.isEmpty()) dlg.setDirectory(dir);
  if (!fileName_.empty()) dlg.selectFile(QString::fromStdString(fileName_));
}

void TOpenDialog::TakeChoice(const QFileDialog& dlg) {
  files_.clear();
  for (const QString& f : dlg.selectedFiles()) files_.push_back(f.toStdString());
  fileName_ = files_.front();
  if (auto* types = dlg.findChild<QComboBox*>("fileTypeCombo"); types && types->currentIndex() >= 0)
    filterIndex_ = types->currentIndex() + 1;
  // Tells the caller that the name does not end in the default extension.
  const QString ext = PlainExtension(defaultExt_);
  const bool different =
      !ext.isEmpty() && QFileInfo(QString::fromStdString(fileName_)).suffix().compare(ext, Qt::CaseInsensitive) != 0;
  options_ =
      different ? options_ | (int64_t(1) << ofExtensionDifferent) : options_ & ~(int64_t(1) << ofExtensionDifferent);
}

bool TOpenDialog::Execute() {
  if (OnShow) OnShow.code(this);
  bool ok = false;
  if (ExecuteHook) {
    ok = ExecuteHook(*this);
  } else if (qApp) {
    TFileDialogWidget dlg(options_, Saving());
    PrepareWidget(dlg);
    if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()) {
      TakeChoice(dlg);
      ok = true;
    }
  }
  if (ok && files_.empty() && !fileName_.empty()) files_ = {fileName_};
  if (OnClose) OnClose.code(this);
  return ok;
}

void ShowMessage(const std::string& text) { Application->MessageBox(text, Application->Title(), MB_OK); }

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  uint32_t flags = 0;
  switch (type) {
    case mtWarning: flags |= MB_ICONWARNING; break;
    case mtError: flags |= MB_ICONERROR; break;
    case mtInformation: flags |= MB_ICONINFORMATION; break;
    case mtConfirmation: flags |= MB_ICONQUESTION; break;
    default: break;
  }
  auto has = [buttons](TMsgDlgBtn b) { return (buttons >> b) & 1u; };
  if (has(mbYes) && has(mbNo) && has(mbCancel))
    flags |= MB_YESNOCANCEL;
  else if (has(mbYes) && has(mbNo))
    flags |= MB_YESNO;
  else if (has(mbAbort))
    flags |= MB_ABORTRETRYIGNORE;
  else if (has(mbRetry))
    flags |= MB_RETRYCANCEL;
  else if (has(mbCancel))
    flags |= MB_OKCANCEL;
  static const char* captions[] = {"Warning", "Error", "Information", "Confirm", ""};
  const std::string caption = type == mtCustom ? Application->Title() : captions[type];
  switch (Application->MessageBox(text, caption, flags)) {
    case IDOK: return mrOk;
    case IDCANCEL: return mrCancel;
    case IDABORT: return mrAbort;
    case IDRETRY: return mrRetry;
    case IDIGNORE: return mrIgnore;
    case IDYES: return mrYes;
    case IDNO: return mrNo;
    default: return mrNone;
  }
}

// ---------------------------------------------------------------------------
// The other common dialogs: non-visual, their options kept.

STOCK_ENUM(FontDialogDeviceEnumInfo, "TFontDialogDevice", "fdScreen", "fdPrinter", "fdBoth")
STOCK_ENUM(
    FontDialogOptionEnumInfo, "TFontDialogOption", "fdAnsiOnly", "fdTrueTypeOnly", "fdEffects", "fdFixedPitchOnly",
    "fdForceFontExist", "fdNoFaceSel", "fdNoOEMFonts", "fdNoSimulations", "fdNoSizeSel", "fdNoStyleSel",
    "fdNoVectorFonts", "fdShowHelp", "fdWysiwyg", "fdLimitSize", "fdScalableOnly", "fdApplyButton")
STOCK_ENUM(ColorDialogOptionEnumInfo, "TColorDialogOption", "cdFullOpen", "cdPreventFullOpen", "cdShowHelp",
           "cdSolidColor", "cdAnyColor")
STOCK_ENUM(PrintDialogOptionEnumInfo, "TPrintDialogOption", "poPrintToFile", "poPageNums", "poSelection", "poWarning",
           "poHelp", "poDisablePrintToFile")
STOCK_ENUM(PrintRangeEnumInfo, "TPrintRange", "prAllPages", "prSelection", "prPageNums")
STOCK_ENUM(FindOptionEnumInfo, "TFindOption", "frDown", "frFindNext", "frHideMatchCase", "frHideWholeWord",
           "frHideUpDown", "frMatchCase", "frDisableMatchCase", "frDisableUpDown", "frDisableWholeWord", "frReplace",
           "frReplaceAll", "frWholeWord", "frShowHelp")
STOCK_ENUM(PageSetupOptionEnumInfo, "TPageSetupDialogOption", "psoDefaultMinMargins", "psoDisableMargins",
           "psoDisableOrientation", "psoDisablePagePainting", "psoDisablePaper", "psoDisablePrinter", "psoMargins",
           "psoMinMargins", "psoShowHelp", "psoWarning", "psoNoNetworkButton")
STOCK_ENUM(PageMeasureUnitsEnumInfo, "TPageMeasureUnits", "pmDefault", "pmMillimeters", "pmInches")

template <class C>
static void PublishDialog(ClassBuilder<C>& b) {
  b.BoolField("Ctl3D", true).IntegerField("HelpContext", 0).Event("OnClose", &C::OnClose).Event("OnShow", &C::OnShow);
}

const TClassInfo& TSaveDialog::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TSaveDialog>("TSaveDialog", &TOpenDialog::StaticClassInfo()).Build();
  return info;
}
const TClassInfo& TOpenPictureDialog::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TOpenPictureDialog>("TOpenPictureDialog", &TOpenDialog::StaticClassInfo()).Build();
  return info;
}
const TClassInfo& TSavePictureDialog::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TSavePictureDialog>("TSavePictureDialog", &TOpenPictureDialog::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TCommonDialog::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TCommonDialog>("TCommonDialog", &TComponent::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TFontDialog::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TFontDialog> b("TFontDialog", &TCommonDialog::StaticClassInfo());
    PublishDialog(b);
    b.EnumField("Device", FontDialogDeviceEnumInfo(), "fdScreen")
        .Object("Font", &TFont::StaticClassInfo, &TFontDialog::Font)
        .IntegerField("MaxFontSize", 0)
        .IntegerField("MinFontSize", 0)
        .SetField("Options", FontDialogOptionEnumInfo(), 4)
        .Event("OnApply", &TFontDialog::OnApply);
    return b.Build();
  }();
  return info;
}
TFontDialog::TFontDialog(TComponent* owner) : TCommonDialog(owner), font_(std::make_unique<TFont>()) {}

const TClassInfo& TColorDialog::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TColorDialog> b("TColorDialog", &TCommonDialog::StaticClassInfo());
    PublishDialog(b);
    b.ColorField("Color", clBlack)
        .Object("CustomColors", &TStrings::StaticClassInfo, &TColorDialog::CustomColors)
        .SetField("Options", ColorDialogOptionEnumInfo(), 0);
    return b.Build();
  }();
  return info;
}
TColorDialog::TColorDialog(TComponent* owner) : TCommonDialog(owner), customColors_(std::make_unique<TStringList>()) {}

const TClassInfo& TPrintDialog::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TPrintDialog> b("TPrintDialog", &TCommonDialog::StaticClassInfo());
    PublishDialog(b);
    b.BoolField("Collate", false)
        .IntegerField("Copies", 0)
        .IntegerField("FromPage", 0)
        .IntegerField("MinPage", 0)
        .IntegerField("MaxPage", 0)
        .SetField("Options", PrintDialogOptionEnumInfo(), 0)
        .EnumField("PrintRange", PrintRangeEnumInfo(), "prAllPages")
        .BoolField("PrintToFile", false)
        .IntegerField("ToPage", 0);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TPrinterSetupDialog::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TPrinterSetupDialog> b("TPrinterSetupDialog", &TCommonDialog::StaticClassInfo());
    PublishDialog(b);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TFindDialog::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TFindDialog> b("TFindDialog", &TCommonDialog::StaticClassInfo());
    PublishDialog(b);
    b.StringField("FindText").SetField("Options", FindOptionEnumInfo(), 1).Event("OnFind", &TFindDialog::OnFind);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TReplaceDialog::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TReplaceDialog>("TReplaceDialog", &TFindDialog::StaticClassInfo())
          .StringField("ReplaceText")
          .Event("OnReplace", &TReplaceDialog::OnReplace)
          .Build();
  return info;
}

const TClassInfo& TPageSetupDialog::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TPageSetupDialog> b("TPageSetupDialog", &TCommonDialog::StaticClassInfo());
    PublishDialog(b);
    b.IntegerField("MinMarginLeft", 0)
        .IntegerField("MinMarginTop", 0)
        .IntegerField("MinMarginRight", 0)
        .IntegerField("MinMarginBottom", 0)
        .IntegerField("MarginLeft", 0)
        .IntegerField("MarginTop", 0)
        .IntegerField("MarginRight", 0)
        .IntegerField("MarginBottom", 0)
        .SetField("Options", PageSetupOptionEnumInfo(), 1)
        .IntegerField("PageWidth", 0)
        .IntegerField("PageHeight", 0)
        .EnumField("Units", PageMeasureUnitsEnumInfo(), "pmDefault")
        .Event("OnDrawEnvStamp", &TPageSetupDialog::OnDrawEnvStamp)
        .Event("OnDrawFullPage", &TPageSetupDialog::OnDrawFullPage)
        .Event("OnDrawGreekText", &TPageSetupDialog::OnDrawGreekText)
        .Event("OnDrawMargin", &TPageSetupDialog::OnDrawMargin)
        .Event("OnDrawMinMargin", &TPageSetupDialog::OnDrawMinMargin)
        .Event("OnDrawRetAddress", &TPageSetupDialog::OnDrawRetAddress)
        .Event("OnPrinterSetup", &TPageSetupDialog::OnPrinterSetup);
    return b.Build();
  }();
  return info;
}
