// Menus: TMainMenu (a Qt menu bar on the form whose Menu it is), TPopupMenu
// (a Qt context menu) and TMenuItem, nested in form files as menu items
// inside menus and items.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "components/Component.h"
#include "controls/Bitmap.h"

class QWidget;
class TMenu;
class TCustomForm;

// Shortcut values: virtual key in the low byte, scShift/scCtrl/scAlt bits.
inline constexpr int scShift = 0x2000;
inline constexpr int scCtrl = 0x4000;
inline constexpr int scAlt = 0x8000;
// "Ctrl+S", "F5", "Shift+Del" ...; empty for 0.
std::string ShortCutToText(int shortcut);

class TMenuItem : public TComponent {
  TESSALY_CLASS(TMenuItem)

 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v) {
    caption_ = v;
    Changed();
  }
  bool Checked() const { return checked_; }
  void SetChecked(bool v) {
    checked_ = v;
    Changed();
  }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) {
    enabled_ = v;
    Changed();
  }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) {
    visible_ = v;
    Changed();
  }
  bool Default() const { return default_; }
  void SetDefault(bool v) {
    default_ = v;
    Changed();
  }
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool v) {
    radioItem_ = v;
    Changed();
  }
  int ShortCut() const { return shortCut_; }
  void SetShortCut(int v) {
    shortCut_ = v;
    Changed();
  }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v) {
    imageIndex_ = v;
    Changed();
  }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v) { groupIndex_ = v; }
  TBitmap* Bitmap() const { return bitmap_.get(); }
  bool IsLine() const { return caption_ == "-"; }

  int Count() const { return int(items_.size()); }
  TMenuItem* Items(int i) const { return items_.at(size_t(i)); }
  TMenuItem* Parent() const { return parent_; }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);

  virtual void Click();

  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  TMethod OnClick, OnAdvancedDrawItem, OnDrawItem, OnMeasureItem;

 private:
  friend class TMenu;
  void Changed();
  std::string caption_;
  bool checked_ = false, enabled_ = true, visible_ = true, default_ = false, radioItem_ = false;
  int shortCut_ = 0, imageIndex_ = -1, groupIndex_ = 0;
  std::string hint_;
  std::unique_ptr<TBitmap> bitmap_;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item of a menu
};

class TMenu : public TComponent {
  TESSALY_CLASS(TMenu)

 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  // The invisible root whose sub-items are the menu's items.
  TMenuItem* Items() const { return items_.get(); }
  TComponent* Images() const { return images_; }
  void SetImages(TComponent* c);

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void Notification(TComponent* component, TOperation operation) override;
  // Fills a Qt menu with the items of parent (recursively).
  void FillQtMenu(QMenu* menu, TMenuItem* parent) const;
  // An item's caption as the menu shows it, decoded and with its accelerator.
  QString ItemText(const TMenuItem* item) const;

  TMethod OnChange;

 protected:
  friend class TMenuItem;
  virtual void MenuChanged() {}
  // Menus show their captions in the system's menu font, whose charset is
  // the default: their 8-bit text is in the code page of the form's
  // DEFAULT_CHARSET text, taken when the menu is made.
  const char* codePage_ = TFont::NewFontsDefaultCodePage();

 private:
  std::unique_ptr<TMenuItem> items_;
  TComponent* images_ = nullptr;
};

class TMainMenu : public TMenu {
  TESSALY_CLASS(TMainMenu)

 public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;
  // Puts the menu bar on the form (the form's Menu names this menu).
  void AttachTo(TCustomForm* form);
  QMenuBar* MenuBar() const { return bar_.data(); }
  void Loaded() override;

 protected:
  void MenuChanged() override;

 private:
  void Rebuild();
  QPointer<QMenuBar> bar_;
  QPointer<QObject> filter_;
  TCustomForm* form_ = nullptr;
};

class TPopupMenu : public TMenu {
  TESSALY_CLASS(TPopupMenu)

 public:
  explicit TPopupMenu(TComponent* owner);
  // Shows the menu at a screen position (non-blocking).
  void Popup(int x, int y);
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* c) { popupComponent_ = c; }

  TMethod OnPopup, OnClose;

 private:
  TComponent* popupComponent_ = nullptr;
};
