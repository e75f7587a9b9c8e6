// Common dialogs and message boxes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "components/Component.h"
#include "controls/Graphics.h"
#include "core/Strings.h"

class QFileDialog;
class TStrings;

enum TOpenOption : uint8_t {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing,
  ofDontAddToRecent,
  ofForceShowHidden
};

// The file-open dialog over QFileDialog. Strings are UTF-8.
//
// The options decide what a typed name must satisfy before the dialog
// closes: ofFileMustExist (the file exists), ofPathMustExist (its folder
// exists), ofCreatePrompt (a missing file is confirmed), ofOverwritePrompt
// (a save dialog confirms an existing file). Without them any name is
// returned, existing or not. DefaultExt ("dfm", ".dfm" or "*.dfm") is added
// to a name typed without an extension.
class TOpenDialog : public TComponent {
  TESSALY_CLASS(TOpenDialog)

 public:
  explicit TOpenDialog(TComponent* owner);
  ~TOpenDialog() override;

  // "Label|*.ext;*.ext2|Label 2|*.x"
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& v) { filter_ = v; }
  int FilterIndex() const { return filterIndex_; }  // 1-based
  void SetFilterIndex(int v) { filterIndex_ = v; }
  const std::string& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::string& v) { defaultExt_ = v; }
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& v) { fileName_ = v; }
  const std::string& InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& v) { initialDir_ = v; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& v) { title_ = v; }
  int64_t Options() const { return options_; }
  void SetOptions(int64_t v) { options_ = v; }
  const std::vector<std::string>& Files() const { return files_; }
  void SetFiles(std::vector<std::string> files) { files_ = std::move(files); }

  // Shows the dialog; true when the user chose a file (FileName is set).
  virtual bool Execute();

  // The Qt name filter list of Filter ("Label (*.ext *.ext2)").
  std::vector<std::string> QtNameFilters() const;
  // The labels of Filter, as the dialog shows them.
  std::vector<std::string> FilterLabels() const;

  // Answers Execute without a dialog when set (tests): the hook may set
  // FileName and returns what Execute returns.
  static std::function<bool(TOpenDialog& dialog)> ExecuteHook;

  TMethod OnCanClose, OnClose, OnShow, OnFolderChange, OnIncludeItem, OnSelectionChange, OnTypeChange;

 protected:
  // A save dialog asks for a name to write (and honours ofOverwritePrompt).
  virtual bool Saving() const { return false; }

 private:
  // Applies the properties and options to the dialog's window.
  void PrepareWidget(QFileDialog& dlg) const;
  // Reads the chosen names and filter back, and sets ofExtensionDifferent.
  void TakeChoice(const QFileDialog& dlg);

  std::string filter_, defaultExt_, fileName_, initialDir_, title_;
  int filterIndex_ = 1;
  int64_t options_ = (1 << ofHideReadOnly) | (1 << ofEnableSizing);
  std::vector<std::string> files_;
};

// Message dialogs, through Application->MessageBox (and so its hook).
enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : uint8_t { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };
using TMsgDlgButtons = uint16_t;
constexpr TMsgDlgButtons MsgDlgButtons(std::initializer_list<TMsgDlgBtn> b) {
  TMsgDlgButtons r = 0;
  for (auto x : b) r |= TMsgDlgButtons(1u << x);
  return r;
}

void ShowMessage(const std::string& text);
// Returns a modal result (mrOk, mrYes ...).
int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);

// ---------------------------------------------------------------------------
// Dialogs (non-visual)

class TSaveDialog : public TOpenDialog {
  TESSALY_CLASS(TSaveDialog)

 public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

 protected:
  bool Saving() const override { return true; }
};

class TOpenPictureDialog : public TOpenDialog {
  TESSALY_CLASS(TOpenPictureDialog)

 public:
  explicit TOpenPictureDialog(TComponent* owner) : TOpenDialog(owner) {}
};

class TSavePictureDialog : public TOpenPictureDialog {
  TESSALY_CLASS(TSavePictureDialog)

 public:
  explicit TSavePictureDialog(TComponent* owner) : TOpenPictureDialog(owner) {}
};

class TCommonDialog : public TComponent {
  TESSALY_CLASS(TCommonDialog)

 public:
  explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
  TMethod OnClose, OnShow;
};

class TFontDialog : public TCommonDialog {
  TESSALY_CLASS(TFontDialog)

 public:
  explicit TFontDialog(TComponent* owner);
  TFont* Font() const { return font_.get(); }
  TMethod OnApply;

 private:
  std::unique_ptr<TFont> font_;
};

class TColorDialog : public TCommonDialog {
  TESSALY_CLASS(TColorDialog)

 public:
  explicit TColorDialog(TComponent* owner);
  TStrings* CustomColors() const { return customColors_.get(); }

 private:
  std::unique_ptr<TStringList> customColors_;
};

class TPrintDialog : public TCommonDialog {
  TESSALY_CLASS(TPrintDialog)

 public:
  explicit TPrintDialog(TComponent* owner) : TCommonDialog(owner) {}
};

class TPrinterSetupDialog : public TCommonDialog {
  TESSALY_CLASS(TPrinterSetupDialog)

 public:
  explicit TPrinterSetupDialog(TComponent* owner) : TCommonDialog(owner) {}
};

class TFindDialog : public TCommonDialog {
  TESSALY_CLASS(TFindDialog)

 public:
  explicit TFindDialog(TComponent* owner) : TCommonDialog(owner) {}
  TMethod OnFind, OnReplace;
};

class TReplaceDialog : public TFindDialog {
  TESSALY_CLASS(TReplaceDialog)

 public:
  explicit TReplaceDialog(TComponent* owner) : TFindDialog(owner) {}
};

class TPageSetupDialog : public TCommonDialog {
  TESSALY_CLASS(TPageSetupDialog)

 public:
  explicit TPageSetupDialog(TComponent* owner) : TCommonDialog(owner) {}
  TMethod OnDrawFullPage, OnDrawMinMargin, OnDrawMargin, OnDrawGreekText, OnDrawEnvStamp, OnDrawRetAddress,
      OnPrinterSetup;
};
