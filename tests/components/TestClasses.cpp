#include "TestClasses.h"

#include "components/Registry.h"

const TEnumInfo& ShapeKindInfo() {
  static const TEnumInfo info{"TShapeKind", {"skCircle", "skSquare", "skStar"}};
  return info;
}

const TEnumInfo& FlagInfo() {
  static const TEnumInfo info{"TFlag", {"flRed", "flGreen", "flBlue"}};
  return info;
}

const TClassInfo& TTestPen::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TTestPen>("TTestPen", &TPersistent::StaticClassInfo())
          .Integer("Width", &TTestPen::Width, &TTestPen::SetWidth, 1)
          .String("Style", &TTestPen::Style, &TTestPen::SetStyle)
          .Build();
  return info;
}

const TClassInfo& TTestItem::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TTestItem>("TTestItem", &TCollectionItem::StaticClassInfo())
          .String("Caption", &TTestItem::Caption, &TTestItem::SetCaption)
          .Integer("Size", &TTestItem::Size, &TTestItem::SetSize, 10)
          .Build();
  return info;
}

const TClassInfo& TTestWidget::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TTestWidget>("TTestWidget", &TComponent::StaticClassInfo())
          .Integer("Count", &TTestWidget::Count, &TTestWidget::SetCount, 0)
          .Color("Color", &TTestWidget::Color, &TTestWidget::SetColor, 0xFFFFFF)
          .Bool("Active", &TTestWidget::Active, &TTestWidget::SetActive, true)
          .Enum("Kind", ShapeKindInfo(), &TTestWidget::Kind, &TTestWidget::SetKind, skSquare)
          .Set("Flags", FlagInfo(), &TTestWidget::Flags, &TTestWidget::SetFlags, 1 << flRed)
          .Char("Letter", &TTestWidget::Letter, &TTestWidget::SetLetter, 'a')
          .Float("Ratio", &TTestWidget::Ratio, &TTestWidget::SetRatio)
          .String("Caption", &TTestWidget::Caption, &TTestWidget::SetCaption)
          .Integer("Progress",  // no default: always written
                   &TTestWidget::Progress,
                   [](TTestWidget* w, int32_t v) {
                     if (w->HasState(csLoading)) w->loadingSeenBySetter = true;
                     w->SetProgress(v);
                   })
          .Object("Lines", &TStrings::StaticClassInfo, &TTestWidget::Lines)
          .Object("Pen", &TTestPen::StaticClassInfo, &TTestWidget::Pen)
          .Object("Items", &TCollection::StaticClassInfo, &TTestWidget::Items)
          .Reference("Buddy", &TTestWidget::StaticClassInfo, &TTestWidget::Buddy, &TTestWidget::SetBuddy)
          .Event("OnChange", &TTestWidget::OnChange)
          .IntegerField("Spare", 7)
          .Build();
  return info;
}

TTestWidget::TTestWidget(TComponent* owner) : TComponent(owner) {}

void TTestWidget::SetParentComponent(TComponent* parent) {
  parent_ = dynamic_cast<TTestWidget*>(parent);
  if (parent_) parent_->children.push_back(this);
}

void TTestWidget::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (TTestWidget* c : children) proc(c);
}

void TTestWidget::Loaded() {
  wasLoadingWhenLoaded = HasState(csLoading);
  ++loadedCalls;
  TComponent::Loaded();
}

void TTestWidget::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove) {
    removals.push_back(component->Name());
    if (component == buddy_) buddy_ = nullptr;
  }
}

const TClassInfo& TTestRoot::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TTestRoot>("TTestRoot", &TComponent::StaticClassInfo())
          .Method("WidgetChanged", &TTestRoot::WidgetChanged)
          .Build();
  return info;
}

void TTestRoot::WidgetChanged(TPersistent* sender) { changedSenders.push_back(sender); }

void TTestRoot::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* w = dynamic_cast<TTestWidget*>(Components(i)); w && !w->parent_) proc(w);
}

void RegisterTestClasses() { RegisterClasses({&TTestWidget::StaticClassInfo(), &TTestRoot::StaticClassInfo()}); }
