#include "Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

#include "Forms.h"

std::function<bool(TOpenDialog&)> TOpenDialog::ExecuteHook;

static const TEnumInfo& OpenOptionEnumInfo() {
  static const TEnumInfo e{"TOpenOption",
                           {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir",
                            "ofShowHelp", "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent",
                            "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt", "ofShareAware",
                            "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton",
                            "ofNoLongNames", "ofOldStyleDialog", "ofNoDereferenceLinks",
                            "ofEnableIncludeNotify", "ofEnableSizing", "ofDontAddToRecent",
                            "ofForceShowHidden"}};
  return e;
}

const TClassInfo& TOpenDialog::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TOpenDialog>("TOpenDialog", &TComponent::StaticClassInfo())
          .String("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
          .String("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
          .String("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
          .Integer("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex, 1)
          .String("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
          .Set("Options", OpenOptionEnumInfo(), &TOpenDialog::Options, &TOpenDialog::SetOptions,
               (1 << ofHideReadOnly) | (1 << ofEnableSizing))
          .String("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
          .Event("OnCanClose", &TOpenDialog::OnCanClose)
          .Event("OnClose", &TOpenDialog::OnClose)
          .Event("OnFolderChange", &TOpenDialog::OnFolderChange)
          .Event("OnSelectionChange", &TOpenDialog::OnSelectionChange)
          .Event("OnShow", &TOpenDialog::OnShow)
          .Event("OnTypeChange", &TOpenDialog::OnTypeChange)
          .Build();
  return info;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}
TOpenDialog::~TOpenDialog() = default;

std::vector<std::string> TOpenDialog::QtNameFilters() const {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t bar = filter_.find('|', start);
    parts.push_back(filter_.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::vector<std::string> out;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns = parts[i + 1];
    for (char& c : patterns)
      if (c == ';') c = ' ';
    out.push_back(parts[i] + " (" + patterns + ")");
  }
  return out;
}

bool TOpenDialog::Execute() {
  if (OnShow) OnShow.code(this);
  bool ok = false;
  if (ExecuteHook) {
    ok = ExecuteHook(*this);
  } else if (qApp) {
    QFileDialog dlg;
    dlg.setWindowTitle(QString::fromStdString(title_.empty() ? "Open" : title_));
    dlg.setFileMode((options_ & (1 << ofAllowMultiSelect)) ? QFileDialog::ExistingFiles
                                                            : QFileDialog::ExistingFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList filters;
    for (const auto& f : QtNameFilters()) filters << QString::fromStdString(f);
    if (!filters.isEmpty()) {
      dlg.setNameFilters(filters);
      if (filterIndex_ >= 1 && filterIndex_ <= filters.size()) dlg.selectNameFilter(filters[filterIndex_ - 1]);
    }
    if (!defaultExt_.empty()) dlg.setDefaultSuffix(QString::fromStdString(defaultExt_));
    QString dir = QString::fromStdString(initialDir_);
    if (dir.isEmpty() && !fileName_.empty()) dir = QFileInfo(QString::fromStdString(fileName_)).absolutePath();
    if (!dir.isEmpty()) dlg.setDirectory(dir);
    if (!fileName_.empty()) dlg.selectFile(QString::fromStdString(fileName_));
    if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()) {
      files_.clear();
      for (const QString& f : dlg.selectedFiles()) files_.push_back(f.toStdString());
      fileName_ = files_.front();
      filterIndex_ = int(filters.indexOf(dlg.selectedNameFilter())) + 1;
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
