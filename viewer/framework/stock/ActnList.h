// Actions and the action bars: TActionList and TAction (non-visual),
// TActionManager with its action bar descriptions, the menu and tool bars
// that show them, their colour maps and the customize dialog.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "components/Collection.h"
#include "controls/Bitmap.h"
#include "controls/Controls.h"
#include "core/Strings.h"

class TCustomActionList;

class TContainedAction : public TComponent {
  TESSALY_CLASS(TContainedAction)

 public:
  explicit TContainedAction(TComponent* owner);
  ~TContainedAction() override;
  TCustomActionList* ActionList() const { return actionList_; }
  void SetActionList(TCustomActionList* list);
  const std::string& Category() const { return category_; }
  void SetCategory(const std::string& v) { category_ = v; }

  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return actionList_ != nullptr; }

  // Runs OnExecute; false when there is none.
  virtual bool Execute();

  TMethod OnExecute, OnHint, OnUpdate;

 private:
  friend class TCustomActionList;
  TCustomActionList* actionList_ = nullptr;
  std::string category_;
};

class TAction : public TContainedAction {
  TESSALY_CLASS(TAction)

 public:
  explicit TAction(TComponent* owner);
  ~TAction() override;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  int ShortCut() const { return shortCut_; }
  void SetShortCut(int v) { shortCut_ = v; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v) { imageIndex_ = v; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  bool Checked() const { return checked_; }
  void SetChecked(bool v) { checked_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  TStrings* SecondaryShortCuts() const { return secondary_.get(); }

 private:
  std::string caption_, hint_;
  int shortCut_ = 0, imageIndex_ = -1;
  bool enabled_ = true, checked_ = false, visible_ = true;
  std::unique_ptr<TStringList> secondary_;
};

class TCustomActionList : public TComponent {
  TESSALY_CLASS(TCustomActionList)

 public:
  explicit TCustomActionList(TComponent* owner);
  ~TCustomActionList() override;
  int ActionCount() const { return int(actions_.size()); }
  TContainedAction* Actions(int i) const { return actions_.at(size_t(i)); }
  TComponent* Images() const { return images_; }
  void SetImages(TComponent* c);
  void AddAction(TContainedAction* a);
  void RemoveAction(TContainedAction* a);
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void Notification(TComponent* component, TOperation operation) override;

  TMethod OnChange, OnExecute, OnUpdate, OnStateChange;

 private:
  std::vector<TContainedAction*> actions_;
  TComponent* images_ = nullptr;
};

class TActionList : public TCustomActionList {
  TESSALY_CLASS(TActionList)

 public:
  explicit TActionList(TComponent* owner) : TCustomActionList(owner) {}
};

// ---------------------------------------------------------------------------
// Action bars

// A list of action client items (nested menus of an action bar).
class TActionClients : public TCollection {
  TESSALY_CLASS(TActionClients)

 public:
  TActionClients();
};

class TCommandProperties;

class TActionClientItem : public TCollectionItem {
  TESSALY_CLASS(TActionClientItem)

 public:
  TActionClientItem();
  ~TActionClientItem() override;
  TActionClients* Items() const { return items_.get(); }
  // The items of the item's context menu.
  TActionClients* ContextItems() const { return contextItems_.get(); }
  // What the item's command style adds (button size, contained control ...).
  TCommandProperties* CommandProperties() const { return commandProperties_.get(); }
  TPicture* Background() const { return background_.get(); }
  TComponent* Action() const { return action_; }
  void SetAction(TComponent* c) { action_ = c; }
  // The caption shown: its own, or its action's.
  std::string ShownCaption() const;

 private:
  std::unique_ptr<TActionClients> items_;
  std::unique_ptr<TActionClients> contextItems_;
  std::unique_ptr<TCommandProperties> commandProperties_;
  std::unique_ptr<TPicture> background_;
  TComponent* action_ = nullptr;
};

class TActionBarItem : public TCollectionItem {
  TESSALY_CLASS(TActionBarItem)

 public:
  TActionBarItem();
  ~TActionBarItem() override;
  TActionClients* Items() const { return items_.get(); }
  TPicture* Background() const { return background_.get(); }
  TActionClients* ContextItems() const { return contextItems_.get(); }
  TComponent* ActionBar() const { return actionBar_; }
  void SetActionBar(TComponent* c) { actionBar_ = c; }

 private:
  std::unique_ptr<TActionClients> items_;
  std::unique_ptr<TPicture> background_;
  std::unique_ptr<TActionClients> contextItems_;
  TComponent* actionBar_ = nullptr;
};

class TActionManager : public TCustomActionList {
  TESSALY_CLASS(TActionManager)

 public:
  explicit TActionManager(TComponent* owner);
  ~TActionManager() override;
  TCollection* ActionBars() const { return actionBars_.get(); }
  TCollection* LinkedActionLists() const { return linked_.get(); }
  TStringList* PrioritySchedule() const { return priority_.get(); }
  // The bar description whose ActionBar is bar, or nullptr.
  TActionBarItem* FindItemByActionBar(const TComponent* bar) const;

 private:
  std::unique_ptr<TCollection> actionBars_;
  std::unique_ptr<TCollection> linked_;
  std::unique_ptr<TStringList> priority_;
};

class TCustomActionBarColorMap : public TComponent {
  TESSALY_CLASS(TCustomActionBarColorMap)

 public:
  explicit TCustomActionBarColorMap(TComponent* owner);
  TMethod OnColorChange;

 private:
};

class TXPColorMap : public TCustomActionBarColorMap {
  TESSALY_CLASS(TXPColorMap)

 public:
  explicit TXPColorMap(TComponent* owner);
};

class TStandardColorMap : public TCustomActionBarColorMap {
  TESSALY_CLASS(TStandardColorMap)

 public:
  explicit TStandardColorMap(TComponent* owner);
};

class TTwilightColorMap : public TCustomActionBarColorMap {
  TESSALY_CLASS(TTwilightColorMap)

 public:
  explicit TTwilightColorMap(TComponent* owner);
};

// A bar that shows the items an action manager describes for it.
class TCustomActionBar : public TCustomControl {
  TESSALY_CLASS(TCustomActionBar)

 public:
  explicit TCustomActionBar(TComponent* owner);
  ~TCustomActionBar() override;
  TComponent* ActionManager() const { return actionManager_; }
  void SetActionManager(TComponent* c);
  // The colour map: the one a form names, else the bar's own.
  TPersistent* ColorMap() const;
  void SetColorMap(TComponent* c);
  bool ColorMapAssigned() const { return colorMap_ != nullptr; }
  TPicture* Background() const { return background_.get(); }
  // Captions of the bar's top-level items, as the action manager lists them.
  std::vector<std::string> ItemCaptions() const;

  TMethod OnGetControlClass, OnPaint;

 protected:
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TComponent* actionManager_ = nullptr;
  TComponent* colorMap_ = nullptr;
  std::unique_ptr<TCustomActionBarColorMap> ownColorMap_;
  std::unique_ptr<TPicture> background_ = std::make_unique<TPicture>();
};

class TActionMainMenuBar : public TCustomActionBar {
  TESSALY_CLASS(TActionMainMenuBar)

 public:
  explicit TActionMainMenuBar(TComponent* owner);
  TMethod OnPopup;
};

class TActionToolBar : public TCustomActionBar {
  TESSALY_CLASS(TActionToolBar)

 public:
  explicit TActionToolBar(TComponent* owner);
};

class TCustomizeDlg : public TComponent {
  TESSALY_CLASS(TCustomizeDlg)

 public:
  explicit TCustomizeDlg(TComponent* owner);
  TMethod OnClose, OnShow;
};
