#include <gtest/gtest.h>

#include "TestClasses.h"
#include "components/Registry.h"
#include "core/Exceptions.h"

TEST(ComponentOwnership, OwnerDestroysWhatItOwns) {
  int destroyed = 0;
  struct Counted : TComponent {
    int* counter;
    Counted(TComponent* owner, int* c) : TComponent(owner), counter(c) {}
    ~Counted() override { ++*counter; }
  };
  auto* owner = new TComponent(nullptr);
  new Counted(owner, &destroyed);
  auto* middle = new Counted(owner, &destroyed);
  new Counted(middle, &destroyed);
  EXPECT_EQ(owner->ComponentCount(), 2);
  delete owner;
  EXPECT_EQ(destroyed, 3);
}

TEST(ComponentOwnership, DestroyingOneComponentNotifiesItsSiblings) {
  TTestRoot root(nullptr);
  auto* a = new TTestWidget(&root);
  a->SetName("A");
  auto* b = new TTestWidget(&root);
  b->SetName("B");
  a->SetBuddy(b);
  delete b;
  EXPECT_EQ(root.ComponentCount(), 1);
  EXPECT_EQ(a->Buddy(), nullptr);
  EXPECT_EQ(a->removals, std::vector<std::string>{"B"});
}

TEST(ComponentOwnership, FreeNotificationReachesComponentsOfAnotherOwner) {
  TTestRoot rootA(nullptr), rootB(nullptr);
  auto* watcher = new TTestWidget(&rootA);
  auto* target = new TTestWidget(&rootB);
  target->SetName("Target");
  watcher->SetBuddy(target);
  target->FreeNotification(watcher);
  delete target;
  EXPECT_EQ(watcher->Buddy(), nullptr);
}

TEST(ComponentNames, DuplicateNamesUnderOneOwnerAreRefused) {
  TTestRoot root(nullptr);
  auto* a = new TTestWidget(&root);
  a->SetName("Button1");
  auto* b = new TTestWidget(&root);
  EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
  EXPECT_THROW(b->SetName("1abc"), EComponentError);
  b->SetName("Button2");
  EXPECT_EQ(root.FindComponent("button2"), b);
  EXPECT_EQ(root.FindComponent("nothing"), nullptr);
}

TEST(ComponentNames, LookupFollowsRenamesAndRemovals) {
  TTestRoot root(nullptr);
  auto* a = new TTestWidget(&root);
  a->SetName("Edit1");
  a->SetName("Edit2");
  EXPECT_EQ(root.FindComponent("EDIT2"), a);
  EXPECT_EQ(root.FindComponent("Edit1"), nullptr);
  // The old name is free again, and an unnamed component is never found.
  auto* b = new TTestWidget(&root);
  b->SetName("Edit1");
  EXPECT_EQ(root.FindComponent("edit1"), b);
  b->SetName("");
  EXPECT_EQ(root.FindComponent("Edit1"), nullptr);
  EXPECT_EQ(root.FindComponent(""), nullptr);
  // A component that moves to another owner is found there only.
  TTestRoot other(nullptr);
  root.RemoveComponent(a);
  other.InsertComponent(a);
  EXPECT_EQ(root.FindComponent("Edit2"), nullptr);
  EXPECT_EQ(other.FindComponent("Edit2"), a);
  delete a;
  EXPECT_EQ(other.FindComponent("Edit2"), nullptr);
}

TEST(ClassRegistry, LooksUpNamesWithoutRegardToCase) {
  RegisterTestClasses();
  EXPECT_EQ(GetClass("ttestwidget"), &TTestWidget::StaticClassInfo());
  EXPECT_EQ(GetClass("TTESTROOT"), &TTestRoot::StaticClassInfo());
  EXPECT_EQ(GetClass("TNoSuchClass"), nullptr);
  RegisterTestClasses();  // registering again changes nothing
  int widgets = 0;
  for (const TClassInfo* c : RegisteredClasses()) widgets += c == &TTestWidget::StaticClassInfo();
  EXPECT_EQ(widgets, 1);
}

TEST(ClassRegistry, ConstructsARegisteredComponentWithAnOwner) {
  RegisterTestClasses();
  TTestRoot root(nullptr);
  TComponent* c = GetClass("TTestWidget")->componentFactory(&root);
  EXPECT_EQ(c->Owner(), &root);
  EXPECT_EQ(c->ClassName(), "TTestWidget");
  EXPECT_TRUE(c->InheritsFrom(TComponent::StaticClassInfo()));
}

TEST(PublishedProperties, InheritedOnesComeFirstInDeclarationOrder) {
  auto props = TTestWidget::StaticClassInfo().Properties();
  ASSERT_GE(props.size(), 4u);
  EXPECT_EQ(props[0]->name, "Name");
  EXPECT_EQ(props[1]->name, "Tag");
  EXPECT_EQ(props[2]->name, "Count");
  EXPECT_EQ(TTestWidget::StaticClassInfo().FindProperty("COLOR")->name, "Color");
  EXPECT_EQ(TTestWidget::StaticClassInfo().FindProperty("Missing"), nullptr);
}
