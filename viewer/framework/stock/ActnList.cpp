#include "ActnList.h"

#include <algorithm>

#include "StdCtrls.h"

namespace {
const TEnumInfo& ActionListStateEnumInfo() {
  static const TEnumInfo e{"TActionListState", {"asNormal", "asSuspended", "asSuspendedEnabled"}};
  return e;
}
const TEnumInfo& CaptionOptionsEnumInfo() {
  static const TEnumInfo e{"TCaptionOptions", {"coNone", "coSelective", "coAll"}};
  return e;
}
const TEnumInfo& BackgroundLayoutEnumInfo() {
  static const TEnumInfo e{"TBackgroundLayout", {"blNormal", "blStretch", "blTile", "blLeftBanner", "blRightBanner"}};
  return e;
}
const TEnumInfo& GlyphLayoutEnumInfo() {
  static const TEnumInfo e{"TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};
  return e;
}
const TEnumInfo& ChangesAllowedEnumInfo() {
  static const TEnumInfo e{"TChangesAllowedSet", {"caModify", "caMove", "caDelete"}};
  return e;
}
const TEnumInfo& AnimationStyleEnumInfo() {
  static const TEnumInfo e{"TAnimationStyle", {"asNone", "asDefault", "asUnFold", "asSlide", "asFade"}};
  return e;
}
const TEnumInfo& BarOrientationEnumInfo() {
  static const TEnumInfo e{"TBarOrientation", {"boLeftToRight", "boRightToLeft", "boTopToBottom", "boBottomToTop"}};
  return e;
}
const TEnumInfo& EdgeBorderEnumInfo() {
  static const TEnumInfo e{"TEdgeBorder", {"ebLeft", "ebTop", "ebRight", "ebBottom"}};
  return e;
}
const TEnumInfo& EdgeStyleEnumInfo() {
  static const TEnumInfo e{"TEdgeStyle", {"esNone", "esRaised", "esLowered"}};
  return e;
}
const TEnumInfo& CommandStyleEnumInfo() {
  static const TEnumInfo e{
      "TCommandStyle",
      {"csButton", "csMenu", "csSeparator", "csText", "csGallery", "csComboBox", "csControl", "csCustom", "csCheckBox",
       "csRadioButton"}};
  return e;
}
const TEnumInfo& ButtonSizeEnumInfo() {
  static const TEnumInfo e{"TButtonSize", {"bsSmall", "bsLarge"}};
  return e;
}
const TEnumInfo& ButtonTypeEnumInfo() {
  static const TEnumInfo e{"TButtonType", {"btNone", "btDropDown", "btSplit", "btGallery"}};
  return e;
}
const TEnumInfo& GroupPositionEnumInfo() {
  static const TEnumInfo e{"TGroupPosition", {"gpNone", "gpStart", "gpMiddle", "gpEnd", "gpSingle"}};
  return e;
}
}  // namespace

// ---------------------------------------------------------------------------
// TContainedAction, TAction

const TClassInfo& TContainedAction::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TContainedAction>("TContainedAction", &TComponent::StaticClassInfo())
          .String("Category", &TContainedAction::Category, &TContainedAction::SetCategory)
          .Build();
  return info;
}

TContainedAction::TContainedAction(TComponent* owner) : TComponent(owner) {}
TContainedAction::~TContainedAction() {
  if (actionList_) actionList_->RemoveAction(this);
}
void TContainedAction::SetActionList(TCustomActionList* list) {
  if (actionList_ == list) return;
  if (actionList_) actionList_->RemoveAction(this);
  if (list) list->AddAction(this);
}
void TContainedAction::SetParentComponent(TComponent* parent) {
  if (auto* list = dynamic_cast<TCustomActionList*>(parent)) SetActionList(list);
}
TComponent* TContainedAction::GetParentComponent() const { return actionList_; }
bool TContainedAction::Execute() {
  if (!OnExecute) return false;
  OnExecute.code(this);
  return true;
}

const TClassInfo& TAction::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TAction>("TAction", &TContainedAction::StaticClassInfo())
          .BoolField("AutoCheck", false)
          .String("Caption", &TAction::Caption, &TAction::SetCaption)
          .Bool("Checked", &TAction::Checked, &TAction::SetChecked, false)
          .BoolField("DisableIfNoHandler", true)
          .Bool("Enabled", &TAction::Enabled, &TAction::SetEnabled, true)
          .IntegerField("GroupIndex", 0)
          .IntegerField("HelpContext", 0)
          .StringField("HelpKeyword")
          .EnumField("HelpType", HelpTypeEnumInfo(), htContext)
          .String("Hint", &TAction::Hint, &TAction::SetHint)
          .Integer("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex, -1)
          .StringField("ImageName")
          .Object("SecondaryShortCuts", &TStrings::StaticClassInfo, &TAction::SecondaryShortCuts)
          .Integer("ShortCut", &TAction::ShortCut, &TAction::SetShortCut, 0)
          .Bool("Visible", &TAction::Visible, &TAction::SetVisible, true)
          .Event("OnExecute", &TAction::OnExecute)
          .Event("OnHint", &TAction::OnHint)
          .Event("OnUpdate", &TAction::OnUpdate)
          .Build();
  return info;
}

TAction::TAction(TComponent* owner) : TContainedAction(owner), secondary_(std::make_unique<TStringList>()) {}
TAction::~TAction() = default;

// ---------------------------------------------------------------------------
// TCustomActionList

const TClassInfo& TCustomActionList::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomActionList>("TCustomActionList", &TComponent::StaticClassInfo())
          .Reference("Images", &TComponent::StaticClassInfo, &TCustomActionList::Images,
                     [](TCustomActionList* l, TPersistent* v) { l->SetImages(dynamic_cast<TComponent*>(v)); })
          .EnumField("State", ActionListStateEnumInfo(), "asNormal")
          .Event("OnChange", &TCustomActionList::OnChange)
          .Event("OnExecute", &TCustomActionList::OnExecute)
          .Event("OnStateChange", &TCustomActionList::OnStateChange)
          .Event("OnUpdate", &TCustomActionList::OnUpdate)
          .Build();
  return info;
}

const TClassInfo& TActionList::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TActionList>("TActionList", &TCustomActionList::StaticClassInfo()).Build();
  return info;
}

TCustomActionList::TCustomActionList(TComponent* owner) : TComponent(owner) {}
TCustomActionList::~TCustomActionList() {
  for (TContainedAction* a : actions_) a->actionList_ = nullptr;
}
void TCustomActionList::SetImages(TComponent* c) {
  images_ = c;
  if (c) c->FreeNotification(this);
}
void TCustomActionList::AddAction(TContainedAction* a) {
  if (std::find(actions_.begin(), actions_.end(), a) == actions_.end()) actions_.push_back(a);
  a->actionList_ = this;
}
void TCustomActionList::RemoveAction(TContainedAction* a) {
  actions_.erase(std::remove(actions_.begin(), actions_.end(), a), actions_.end());
  if (a->actionList_ == this) a->actionList_ = nullptr;
}
void TCustomActionList::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  (void)root;
  for (TContainedAction* a : actions_) proc(a);
}
void TCustomActionList::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == images_) images_ = nullptr;
}

// ---------------------------------------------------------------------------
// Action bar descriptions

const TClassInfo& TActionClients::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TActionClients>("TActionClients", &TCollection::StaticClassInfo())
          .EnumField("CaptionOptions", CaptionOptionsEnumInfo(), "coSelective")
          .BoolField("Customizable", true)
          .BoolField("HideUnused", true)
          .BoolField("SmallIcons", true)
          .Build();
  return info;
}

TActionClients::TActionClients() : TCollection(TActionClientItem::StaticClassInfo()) {}

// What an item's command style adds. Each style has a class of its own
// (buttons: size, kind and group; controls: the control, its label and
// font); forms store the members of the item's style, and this one class
// reads them all. Accepted and kept; the preview does not use them.
class TCommandProperties : public TPersistent {
  TESSALY_CLASS(TCommandProperties)

 public:
  TCommandProperties() : font_(std::make_unique<TFont>()) {}
  TFont* Font() const { return font_.get(); }

 private:
  std::unique_ptr<TFont> font_;
};

const TClassInfo& TCommandProperties::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCommandProperties>("TCommandProperties", &TPersistent::StaticClassInfo())
          .EnumField("ButtonSize", ButtonSizeEnumInfo(), "bsSmall")
          .EnumField("ButtonType", ButtonTypeEnumInfo(), "btNone")
          .EnumField("GroupPosition", GroupPositionEnumInfo(), "gpNone")
          .IgnoredReference("ContainedControl", &TComponent::StaticClassInfo)
          .Object("Font", &TFont::StaticClassInfo, &TCommandProperties::Font)
          .IntegerField("LabelWidth", -1)
          .BoolField("ParentFont", true)
          .IntegerField("Width", -1)
          .Build();
  return info;
}

// The action manager's bars, with the usage data the customize dialog keeps.
class TActionBars : public TCollection {
  TESSALY_CLASS(TActionBars)

 public:
  TActionBars() : TCollection(TActionBarItem::StaticClassInfo()) {}
};

const TClassInfo& TActionBars::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TActionBars>("TActionBars", &TCollection::StaticClassInfo())
          .IntegerField("SessionCount", 0)
          .BoolField("ShowHints", true)
          .Build();
  return info;
}

template <class C>
static void ClientItemProperties(ClassBuilder<C>& b) {
  b.Object("Background", &TPicture::StaticClassInfo, &C::Background)
      .EnumField("BackgroundLayout", BackgroundLayoutEnumInfo(), "blNormal")
      .SetField("ChangesAllowed", ChangesAllowedEnumInfo(), 7)
      .ColorField("Color", clDefault)
      .Object("ContextItems", &TActionClients::StaticClassInfo, &C::ContextItems)
      .EnumField("GlyphLayout", GlyphLayoutEnumInfo(), "blGlyphLeft")
      .Object("Items", &TActionClients::StaticClassInfo, &C::Items)
      .BoolField("ShowCaption", true)
      .BoolField("Visible", true)
      .IntegerField("Tag", 0);
}

const TClassInfo& TActionClientItem::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TActionClientItem> b("TActionClientItem", &TCollectionItem::StaticClassInfo());
    ClientItemProperties(b);
    b.Reference("Action", &TComponent::StaticClassInfo, &TActionClientItem::Action,
                [](TActionClientItem* i, TPersistent* v) { i->SetAction(dynamic_cast<TComponent*>(v)); })
        .StringField("Caption")
        .Object("CommandProperties", &TCommandProperties::StaticClassInfo, &TActionClientItem::CommandProperties)
        .EnumField("CommandStyle", CommandStyleEnumInfo(), "csButton")
        .IntegerField("ImageIndex", -1)
        .StringField("KeyTip")
        .IntegerField("LastSession", 0)
        .BoolField("MergeIndex", false)
        .BoolField("NewRow", false)
        .IntegerField("ShortCut", 0)
        .BoolField("ShowGlyph", true)
        .BoolField("ShowShortCut", true)
        .IntegerField("UsageCount", 0);
    return b.Build();
  }();
  return info;
}

TActionClientItem::TActionClientItem()
    : items_(std::make_unique<TActionClients>()),
      contextItems_(std::make_unique<TActionClients>()),
      commandProperties_(std::make_unique<TCommandProperties>()),
      background_(std::make_unique<TPicture>()) {}
TActionClientItem::~TActionClientItem() = default;

std::string TActionClientItem::ShownCaption() const {
  if (const TFieldValue* c = FindField("Caption"); c && !c->str.empty()) return c->str;
  if (auto* a = dynamic_cast<TAction*>(action_)) return a->Caption();
  return {};
}

const TClassInfo& TActionBarItem::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TActionBarItem> b("TActionBarItem", &TCollectionItem::StaticClassInfo());
    ClientItemProperties(b);
    b.Reference("ActionBar", &TComponent::StaticClassInfo, &TActionBarItem::ActionBar,
                [](TActionBarItem* i, TPersistent* v) { i->SetActionBar(dynamic_cast<TComponent*>(v)); })
        .BoolField("AutoSize", true);
    return b.Build();
  }();
  return info;
}

TActionBarItem::TActionBarItem()
    : items_(std::make_unique<TActionClients>()),
      background_(std::make_unique<TPicture>()),
      contextItems_(std::make_unique<TActionClients>()) {}
TActionBarItem::~TActionBarItem() = default;

class TActionListItem : public TCollectionItem {
  TESSALY_CLASS(TActionListItem)

 public:
  TActionListItem() = default;
};
const TClassInfo& TActionListItem::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TActionListItem>("TActionListItem", &TCollectionItem::StaticClassInfo())
          .IgnoredReference("ActionList", &TComponent::StaticClassInfo)
          .StringField("Caption")
          .Build();
  return info;
}

const TClassInfo& TActionManager::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TActionManager> b("TActionManager", &TCustomActionList::StaticClassInfo());
    b.Object("ActionBars", &TActionBars::StaticClassInfo, &TActionManager::ActionBars)
        .IgnoredReference("DisabledImages", &TComponent::StaticClassInfo)
        .StringField("FileName")
        .IgnoredReference("LargeDisabledImages", &TComponent::StaticClassInfo)
        .IgnoredReference("LargeImages", &TComponent::StaticClassInfo)
        .Object("LinkedActionLists", &TCollection::StaticClassInfo, &TActionManager::LinkedActionLists)
        .Object("PrioritySchedule", &TStrings::StaticClassInfo, &TActionManager::PrioritySchedule)
        .StringField("StyleName")
        .StringField("Style");
    return b.Build();
  }();
  return info;
}

TActionManager::TActionManager(TComponent* owner)
    : TCustomActionList(owner),
      actionBars_(std::make_unique<TActionBars>()),
      linked_(std::make_unique<TCollection>(TActionListItem::StaticClassInfo())),
      priority_(std::make_unique<TStringList>()) {}
TActionManager::~TActionManager() = default;

TActionBarItem* TActionManager::FindItemByActionBar(const TComponent* bar) const {
  for (int i = 0; i < actionBars_->Count(); ++i)
    if (auto* item = dynamic_cast<TActionBarItem*>(actionBars_->Items(i)); item && item->ActionBar() == bar)
      return item;
  return nullptr;
}

// ---------------------------------------------------------------------------
// Colour maps

const TClassInfo& TCustomActionBarColorMap::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomActionBarColorMap>("TCustomActionBarColorMap", &TComponent::StaticClassInfo())
          .ColorField("BtnFrameColor", clDefault)
          .ColorField("BtnSelectedColor", clDefault)
          // A colour: the text colour of a selected button.
          .ColorField("BtnSelectedFont", clDefault)
          .ColorField("Color", clBtnFace)
          .ColorField("DesignFocus", clDefault)
          .ColorField("DisabledColor", clDefault)
          .ColorField("DisabledFontColor", clGrayText)
          .ColorField("DisabledFontShadow", clBtnHighlight)
          .ColorField("FontColor", clWindowText)
          .ColorField("FrameBottomRightInner", clDefault)
          .ColorField("FrameBottomRightOuter", clDefault)
          .ColorField("FrameTopLeftInner", clDefault)
          .ColorField("FrameTopLeftOuter", clDefault)
          .ColorField("HighlightColor", clDefault)
          .ColorField("HotColor", clDefault)
          .ColorField("HotFontColor", clDefault)
          .ColorField("MenuColor", clWindow)
          .ColorField("SelectedColor", clHighlight)
          .ColorField("SelectedFontColor", clHighlightText)
          .ColorField("ShadowColor", clBtnShadow)
          .ColorField("UnusedColor", clDefault)
          .Event("OnColorChange", &TCustomActionBarColorMap::OnColorChange)
          .Build();
  return info;
}

TCustomActionBarColorMap::TCustomActionBarColorMap(TComponent* owner) : TComponent(owner) {}

#define COLOR_MAP(Name)                                                                                             \
  const TClassInfo& Name::StaticClassInfo() {                                                                       \
    static const TClassInfo info = ClassBuilder<Name>(#Name, &TCustomActionBarColorMap::StaticClassInfo()).Build(); \
    return info;                                                                                                    \
  }                                                                                                                 \
  Name::Name(TComponent* owner) : TCustomActionBarColorMap(owner) {}

COLOR_MAP(TXPColorMap)
COLOR_MAP(TStandardColorMap)
COLOR_MAP(TTwilightColorMap)

// ---------------------------------------------------------------------------
// Action bars

template <class C>
static void PublishActionBar(ClassBuilder<C>& b) {
  groups::PublishControl(b);
  groups::PublishLooks(b, clBtnFace);
  groups::PublishWindowed(b);
  b.Reference("ActionManager", &TComponent::StaticClassInfo, &C::ActionManager,
              [](C* c, TPersistent* v) { c->SetActionManager(dynamic_cast<TComponent*>(v)); })
      .BoolField("AllowHiding", false)
      .EnumField("AnimationStyle", AnimationStyleEnumInfo(), "asDefault")
      .Object("Background", &TPicture::StaticClassInfo, &C::Background)
      .EnumField("BackgroundLayout", BackgroundLayoutEnumInfo(), "blNormal")
      .Publish("Caption")
      .Object("ColorMap", &TCustomActionBarColorMap::StaticClassInfo, &C::ColorMap)
      .SetField("EdgeBorders", EdgeBorderEnumInfo(), 0)
      .EnumField("EdgeInner", EdgeStyleEnumInfo(), "esRaised")
      .EnumField("EdgeOuter", EdgeStyleEnumInfo(), "esLowered")
      .IntegerField("HorzMargin", 1)
      .EnumField("Orientation", BarOrientationEnumInfo(), "boLeftToRight")
      .BoolField("PersistentHotKeys", false)
      .BoolField("Shadows", true)
      .IntegerField("Spacing", 0)
      .BoolField("UseSystemFont", true)
      .IntegerField("VertMargin", 1)
      .Event("OnGetControlClass", &C::OnGetControlClass)
      .Event("OnPaint", &C::OnPaint);
}

const TClassInfo& TCustomActionBar::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomActionBar>("TCustomActionBar", &TCustomControl::StaticClassInfo()).Build();
  return info;
}

TCustomActionBar::TCustomActionBar(TComponent* owner)
    : TCustomControl(owner), ownColorMap_(std::make_unique<TStandardColorMap>(nullptr)) {
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csSetCaption);
  SetBounds(0, 0, 150, 29);
  SetColor(clBtnFace);
  SetParentColor(false);
  SetAlign(alTop);
}
TCustomActionBar::~TCustomActionBar() = default;

void TCustomActionBar::SetActionManager(TComponent* c) {
  actionManager_ = c;
  if (c) c->FreeNotification(this);
  Invalidate();
}
TPersistent* TCustomActionBar::ColorMap() const {
  if (colorMap_) return colorMap_;
  return ownColorMap_.get();
}
void TCustomActionBar::SetColorMap(TComponent* c) {
  if (c == ownColorMap_.get()) c = nullptr;
  colorMap_ = c;
  if (c) c->FreeNotification(this);
}
void TCustomActionBar::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == actionManager_) actionManager_ = nullptr;
  if (component == colorMap_) colorMap_ = nullptr;
}

std::vector<std::string> TCustomActionBar::ItemCaptions() const {
  std::vector<std::string> out;
  auto* manager = dynamic_cast<TActionManager*>(actionManager_);
  if (!manager) return out;
  TActionBarItem* bar = manager->FindItemByActionBar(this);
  if (!bar) return out;
  for (int i = 0; i < bar->Items()->Count(); ++i)
    if (auto* item = dynamic_cast<TActionClientItem*>(bar->Items()->Items(i))) out.push_back(item->ShownCaption());
  return out;
}

void TCustomActionBar::Paint() {
  TCanvas& c = *Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  if (dynamic_cast<TActionToolBar*>(this)) Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
  c.SetFont(*Font());
  int x = 6;
  for (const std::string& caption : ItemCaptions()) {
    if (caption == "-") {
      TRect sep = Rect(x, 3, x + 2, Height() - 3);
      Frame3D(c, sep, clBtnShadow, clBtnHighlight, 1);
      x += 8;
      continue;
    }
    const QString text = Font()->Decode(caption);
    const TSize size = DrawControlText(c, Rect(0, 0, 0, 0), text, 0, 0, false, true, true);
    DrawControlText(c, Rect(x, 0, x + size.cx + 1, Height()), text, 0, 1, false, true);
    x += size.cx + 14;
    if (x >= Width()) break;
  }
}

const TClassInfo& TActionMainMenuBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TActionMainMenuBar> b("TActionMainMenuBar", &TCustomActionBar::StaticClassInfo());
    PublishActionBar(b);
    b.IntegerField("AnimateDuration", 150).Event("OnPopup", &TActionMainMenuBar::OnPopup);
    return b.Build();
  }();
  return info;
}
TActionMainMenuBar::TActionMainMenuBar(TComponent* owner) : TCustomActionBar(owner) { SetBounds(0, 0, 150, 24); }

const TClassInfo& TActionToolBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TActionToolBar> b("TActionToolBar", &TCustomActionBar::StaticClassInfo());
    PublishActionBar(b);
    b.BoolField("HorzSeparator", true).BoolField("VertSeparator", true);
    return b.Build();
  }();
  return info;
}
TActionToolBar::TActionToolBar(TComponent* owner) : TCustomActionBar(owner) {}

const TClassInfo& TCustomizeDlg::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomizeDlg>("TCustomizeDlg", &TComponent::StaticClassInfo())
          .IgnoredReference("ActionManager", &TComponent::StaticClassInfo)
          .BoolField("StayOnTop", true)
          .Event("OnClose", &TCustomizeDlg::OnClose)
          .Event("OnShow", &TCustomizeDlg::OnShow)
          .Build();
  return info;
}
TCustomizeDlg::TCustomizeDlg(TComponent* owner) : TComponent(owner) {}
