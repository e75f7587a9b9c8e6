#include "Menus.h"

#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QCursor>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

#include "controls/Controls.h"
#include "controls/Forms.h"

namespace {
const TEnumInfo& MenuAutoFlagEnumInfo() {
  static const TEnumInfo e{"TMenuAutoFlag", {"maAutomatic", "maManual", "maParent"}};
  return e;
}
const TEnumInfo& MenuBreakEnumInfo() {
  static const TEnumInfo e{"TMenuBreak", {"mbNone", "mbBreak", "mbBarBreak"}};
  return e;
}
const TEnumInfo& PopupAlignmentEnumInfo() {
  static const TEnumInfo e{"TPopupAlignment", {"paLeft", "paRight", "paCenter"}};
  return e;
}
const TEnumInfo& TrackButtonEnumInfo() {
  static const TEnumInfo e{"TTrackButton", {"tbRightButton", "tbLeftButton"}};
  return e;
}
const TEnumInfo& MenuAnimationsEnumInfo() {
  static const TEnumInfo e{
      "TMenuAnimations", {"maLeftToRight", "maRightToLeft", "maTopToBottom", "maBottomToTop", "maNone"}};
  return e;
}

// Context menus of controls: the framework asks through this hook.
const bool kPopupHookInstalled = [] {
  ShowPopupMenuHook = [](TControl* control, TComponent* menu, TPoint pos) {
    auto* popup = dynamic_cast<TPopupMenu*>(menu);
    if (!popup) return false;
    popup->SetPopupComponent(control);
    popup->Popup(pos.X, pos.Y);
    return true;
  };
  return true;
}();
}  // namespace

std::string ShortCutToText(int shortcut) {
  if (shortcut == 0) return {};
  std::string s;
  if (shortcut & scShift) s += "Shift+";
  if (shortcut & scCtrl) s += "Ctrl+";
  if (shortcut & scAlt) s += "Alt+";
  const int key = shortcut & 0xFF;
  static const std::pair<int, const char*> named[] = {
      {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
      {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
      {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"}};
  for (const auto& [k, name] : named)
    if (k == key) return s + name;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return s + char(key);
  if (key >= 0x70 && key <= 0x87) return s + "F" + std::to_string(key - 0x6F);
  if (key >= 0x60 && key <= 0x69) return s + "Num " + std::to_string(key - 0x60);
  return s + "#" + std::to_string(key);
}

// ---------------------------------------------------------------------------
// TMenuItem

const TClassInfo& TMenuItem::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TMenuItem>("TMenuItem", &TComponent::StaticClassInfo())
          .IgnoredReference("Action", &TComponent::StaticClassInfo)
          .BoolField("AutoCheck", false)
          .EnumField("AutoHotkeys", MenuAutoFlagEnumInfo(), "maParent")
          .EnumField("AutoLineReduction", MenuAutoFlagEnumInfo(), "maParent")
          .Object("Bitmap", &TBitmap::StaticClassInfo, &TMenuItem::Bitmap)
          .EnumField("Break", MenuBreakEnumInfo(), "mbNone")
          .String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
          .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false)
          .IgnoredReference("SubMenuImages", &TComponent::StaticClassInfo)
          .Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault, false)
          .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true)
          .Integer("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex, 0)
          .IntegerField("HelpContext", 0)
          .String("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
          .Integer("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex, -1)
          .StringField("ImageName")
          .Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false)
          .Integer("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut, 0)
          .StringField("ShortCutText")  // older designers' text of ShortCut; kept
          .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true)
          .Event("OnAdvancedDrawItem", &TMenuItem::OnAdvancedDrawItem)
          .Event("OnClick", &TMenuItem::OnClick)
          .Event("OnDrawItem", &TMenuItem::OnDrawItem)
          .Event("OnMeasureItem", &TMenuItem::OnMeasureItem)
          .Build();
  return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), bitmap_(std::make_unique<TBitmap>()) {}

TMenuItem::~TMenuItem() {
  for (TMenuItem* child : items_) child->parent_ = nullptr;
  items_.clear();
  if (parent_) parent_->Remove(this);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }
void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  Changed();
}
void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  Changed();
}

void TMenuItem::Click() {
  if (OnClick) OnClick.code(this);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = dynamic_cast<TMenu*>(parent))
    menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(parent))
    item->Add(this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  (void)root;
  for (TMenuItem* item : items_) proc(item);
}

void TMenuItem::Changed() {
  const TMenuItem* top = this;
  while (top->parent_) top = top->parent_;
  if (top->menu_ && !top->menu_->HasState(csLoading)) top->menu_->MenuChanged();
}

// ---------------------------------------------------------------------------
// TMenu

const TClassInfo& TMenu::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TMenu>("TMenu", &TComponent::StaticClassInfo())
          .EnumField("AutoHotkeys", MenuAutoFlagEnumInfo(), "maAutomatic")
          .EnumField("AutoLineReduction", MenuAutoFlagEnumInfo(), "maAutomatic")
          .EnumField("BiDiMode", BiDiModeEnumInfo(), "bdLeftToRight")
          .Reference("Images", &TComponent::StaticClassInfo, &TMenu::Images,
                     [](TMenu* m, TPersistent* v) { m->SetImages(dynamic_cast<TComponent*>(v)); })
          .BoolField("OwnerDraw", false)
          .BoolField("ParentBiDiMode", true)
          .Event("OnChange", &TMenu::OnChange)
          .Build();
  return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}
TMenu::~TMenu() = default;

void TMenu::SetImages(TComponent* c) {
  images_ = c;
  if (c) c->FreeNotification(this);
}
void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == images_) images_ = nullptr;
}
void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  items_->GetChildren(proc, root);
}

QString TMenu::ItemText(const TMenuItem* item) const {
  // The owning form's (or frame's) font decides the character set, as for
  // every other caption on it; a menu without one keeps the code page it
  // was made with.
  if (auto* owner = dynamic_cast<const TControl*>(Owner()))
    return CaptionToMnemonicText(item->Caption(), *owner->Font());
  return CaptionToMnemonicText(item->Caption(), codePage_);
}

void TMenu::FillQtMenu(QMenu* menu, TMenuItem* parent) const {
  QActionGroup* radio = nullptr;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (!item->Visible()) continue;
    if (item->IsLine()) {
      menu->addSeparator();
      continue;
    }
    const QString text = ItemText(item);
    QAction* action;
    if (item->Count() > 0) {
      QMenu* sub = menu->addMenu(text);
      FillQtMenu(sub, item);
      action = sub->menuAction();
    } else {
      action = menu->addAction(text);
      QObject::connect(action, &QAction::triggered, action, [item] { item->Click(); });
    }
    action->setEnabled(item->Enabled());
    if (item->Checked() || item->RadioItem()) {
      action->setCheckable(true);
      action->setChecked(item->Checked());
      if (item->RadioItem()) {
        if (!radio) radio = new QActionGroup(menu);
        radio->addAction(action);
      }
    }
    if (item->ShortCut()) action->setShortcut(QKeySequence(QString::fromStdString(ShortCutToText(item->ShortCut()))));
    if (item->Default()) {
      QFont f = action->font();
      f.setBold(true);
      action->setFont(f);
    }
    if (!item->Bitmap()->Empty()) action->setIcon(QIcon(QPixmap::fromImage(MaskedGlyph(*item->Bitmap()))));
  }
}

// ---------------------------------------------------------------------------
// TMainMenu

const TClassInfo& TMainMenu::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TMainMenu>("TMainMenu", &TMenu::StaticClassInfo()).BoolField("AutoMerge", false).Build();
  return info;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}
TMainMenu::~TMainMenu() {
  if (filter_) delete filter_.data();
  if (bar_) delete bar_.data();
}

namespace {
// Keeps the menu bar as wide as the form's window.
class MenuBarSizer : public QObject {
 public:
  MenuBarSizer(QWidget* window, QMenuBar* bar) : QObject(window), bar_(bar) {}

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Resize && bar_) {
      auto* w = static_cast<QWidget*>(o);
      bar_->setGeometry(0, 0, w->width(), bar_->height());
      bar_->raise();
    }
    return false;
  }

 private:
  QPointer<QMenuBar> bar_;
};
}  // namespace

void TMainMenu::AttachTo(TCustomForm* form) {
  form_ = form;
  if (!form) return;
  QWidget* window = form->Handle();
  if (!bar_) {
    bar_ = new QMenuBar(window);
    // The classic style paints only the items; the rest of the bar is the
    // menu colour, not whatever the window left beneath it.
    bar_->setAutoFillBackground(true);
    auto* sizer = new MenuBarSizer(window, bar_);
    window->installEventFilter(sizer);
    filter_ = sizer;
  }
  Rebuild();
}

void TMainMenu::Rebuild() {
  if (!bar_) return;
  bar_->clear();
  for (int i = 0; i < Items()->Count(); ++i) {
    TMenuItem* item = Items()->Items(i);
    if (!item->Visible()) continue;
    const QString text = ItemText(item);
    if (item->Count() > 0) {
      QMenu* menu = bar_->addMenu(text);
      FillQtMenu(menu, item);
      menu->menuAction()->setEnabled(item->Enabled());
    } else {
      QAction* a = bar_->addAction(text);
      a->setEnabled(item->Enabled());
      QObject::connect(a, &QAction::triggered, a, [item] { item->Click(); });
    }
  }
  // As on the original's windows, a menu bar with no visible item takes no
  // room; otherwise the client area starts below it.
  const bool empty = bar_->actions().isEmpty();
  const int height = empty ? 0 : bar_->sizeHint().height();
  if (QWidget* window = bar_->parentWidget()) bar_->setGeometry(0, 0, window->width(), height);
  bar_->setVisible(!empty);
  bar_->raise();
  if (form_ && form_->Menu() == this) form_->SetMenuBarHeight(height);
}

void TMainMenu::MenuChanged() { Rebuild(); }

void TMainMenu::Loaded() {
  TMenu::Loaded();
  if (auto* form = dynamic_cast<TCustomForm*>(Owner()); form && form->Menu() == this) AttachTo(form);
}

// ---------------------------------------------------------------------------
// TPopupMenu

const TClassInfo& TPopupMenu::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TPopupMenu>("TPopupMenu", &TMenu::StaticClassInfo())
          .EnumField("Alignment", PopupAlignmentEnumInfo(), "paLeft")
          .BoolField("AutoPopup", true)
          .IntegerField("HelpContext", 0)
          .SetField("MenuAnimation", MenuAnimationsEnumInfo(), 0)
          .EnumField("TrackButton", TrackButtonEnumInfo(), "tbRightButton")
          .Event("OnClose", &TPopupMenu::OnClose)
          .Event("OnPopup", &TPopupMenu::OnPopup)
          .Build();
  return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup.code(this);
  auto* menu = new QMenu;
  menu->setAttribute(Qt::WA_DeleteOnClose);
  FillQtMenu(menu, Items());
  menu->popup(QPoint(x, y));
}
