// The file-system lists: files of a folder, the folder tree of the current
// drive, the drives, and file-type filters, filled from the current
// directory when shown.
#pragma once

#include <string>

#include "StdCtrls.h"

class TFileListBox : public TCustomListBox {
  TESSALY_CLASS(TFileListBox)

 public:
  explicit TFileListBox(TComponent* owner);
  const std::string& Mask() const { return mask_; }
  void SetMask(const std::string& v) {
    mask_ = v;
    Rescan();
  }
  TMethod OnChange;

 protected:
  void CreateWnd() override;
  void Rescan();

 private:
  std::string mask_ = "*.*";
};

class TDirectoryListBox : public TCustomListBox {
  TESSALY_CLASS(TDirectoryListBox)

 public:
  explicit TDirectoryListBox(TComponent* owner);
  TMethod OnChange;

 protected:
  void CreateWnd() override;
};

class TDriveComboBox : public TCustomComboBox {
  TESSALY_CLASS(TDriveComboBox)

 public:
  explicit TDriveComboBox(TComponent* owner);
};

class TFilterComboBox : public TCustomComboBox {
  TESSALY_CLASS(TFilterComboBox)

 public:
  explicit TFilterComboBox(TComponent* owner);
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& v);

 private:
  std::string filter_ = "All files (*.*)|*.*";
};
