// The outline's items: numbering, structure, paths, expansion and Lines.
#include "OutlineTestSupport.h"

#include "core/Strings.h"

namespace {

std::vector<std::string> Texts(const TCustomOutline& o) {
  std::vector<std::string> out;
  for (int i = 1; i <= o.ItemCount(); ++i) out.push_back(o.Items(i)->Text());
  return out;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST_F(OutlineFixture, ItemsAreNumberedInTreeOrderAcrossInsertsAndDeletes) {
  const int a = outline->Add(0, "A");
  const int b = outline->Add(a, "B");
  outline->AddChild(a, "a1");  // goes before B in tree order
  EXPECT_EQ(Texts(*outline), (Strings{"A", "a1", "B"}));
  EXPECT_EQ(b, 2);  // B was item 2 when added, and is 3 now
  EXPECT_EQ(outline->Items(3)->Text(), "B");

  outline->Insert(2, "a0");  // a sibling placed before a1
  outline->AddChild(3, "a1x");
  EXPECT_EQ(Texts(*outline), (Strings{"A", "a0", "a1", "a1x", "B"}));
  EXPECT_EQ(outline->Items(4)->Level(), 3);
  EXPECT_EQ(outline->Items(4)->Parent()->Index(), 3);

  outline->Delete(3);  // a1 with its child
  EXPECT_EQ(Texts(*outline), (Strings{"A", "a0", "B"}));
  EXPECT_EQ(outline->ItemCount(), 3);
  outline->Clear();
  EXPECT_EQ(outline->ItemCount(), 0);
}

TEST_F(OutlineFixture, ChildNavigationAnswersIndexesOrInvalid) {
  FillOutline(*outline, "A\n\ta1\n\ta2\n\ta3\nB");
  EXPECT_EQ(outline->GetFirstChild(1), 2);
  EXPECT_EQ(outline->GetLastChild(1), 4);
  EXPECT_EQ(outline->GetNextChild(2), 3);
  EXPECT_EQ(outline->GetPrevChild(3), 2);
  EXPECT_EQ(outline->GetNextChild(4), kInvalidOutlineIndex);
  EXPECT_EQ(outline->GetPrevChild(2), kInvalidOutlineIndex);
  EXPECT_EQ(outline->GetFirstChild(5), kInvalidOutlineIndex);
  EXPECT_EQ(outline->GetFirstChild(0), 1);  // the invisible parent's first child
  EXPECT_EQ(outline->GetNextChild(1), 5);
}

TEST_F(OutlineFixture, InvalidIndexesRaiseTheOutlineError) {
  FillOutline(*outline, "A\nB");
  EXPECT_THROW(outline->Items(3), EOutlineError);
  EXPECT_THROW(outline->Items(-1), EOutlineError);
  EXPECT_THROW(outline->SetSelectedItem(-1), EOutlineError);
  EXPECT_THROW(outline->Delete(0), EOutlineError);
  EXPECT_THROW(outline->AddChild(7, "x"), EOutlineError);
  EXPECT_EQ(outline->ItemCount(), 2);
}

TEST_F(OutlineFixture, FullPathJoinsTextsWithTheSeparator) {
  FillOutline(*outline, "c:\\\n\twindows\n\t\tsystem");
  EXPECT_EQ(outline->GetFullPath(3), "c:\\\\windows\\system");
  EXPECT_EQ(outline->GetFullPath(1), "c:\\");
  outline->SetItemSeparator("/");
  EXPECT_EQ(outline->GetFullPath(3), "c:\\/windows/system");
  EXPECT_EQ(outline->GetFullPath(0), "");
}

TEST_F(OutlineFixture, SettingExpandedGoesThroughTheVirtualOperationsAndEvents) {
  FillOutline(*outline, "A\n\ta1\nB");
  std::vector<int> expanded, collapsed;
  outline->OnExpandProc = [&](TPersistent*, int index) { expanded.push_back(index); };
  outline->OnCollapseProc = [&](TPersistent*, int index) { collapsed.push_back(index); };

  outline->Items(1)->SetExpanded(true);
  outline->Items(1)->SetExpanded(true);  // no change, no call
  outline->Items(3)->Expand();           // a leaf may be expanded too
  outline->Items(1)->Collapse();
  EXPECT_EQ(outline->expands, (std::vector<int>{1, 3}));
  EXPECT_EQ(expanded, (std::vector<int>{1, 3}));
  EXPECT_EQ(outline->collapses, (std::vector<int>{1}));
  EXPECT_EQ(collapsed, (std::vector<int>{1}));
  EXPECT_FALSE(outline->Items(1)->Expanded());
}

TEST_F(OutlineFixture, FullExpandAndCollapseReachEveryItem) {
  FillOutline(*outline, "A\n\ta1\n\t\ta11\nB\n\tb1");
  outline->FullExpand();
  for (int i = 1; i <= outline->ItemCount(); ++i) EXPECT_TRUE(outline->Items(i)->Expanded()) << i;
  EXPECT_EQ(outline->VisibleItems().size(), 5u);
  outline->FullCollapse();
  for (int i = 1; i <= outline->ItemCount(); ++i) EXPECT_FALSE(outline->Items(i)->Expanded()) << i;
  EXPECT_EQ(outline->VisibleItems(), (std::vector<int>{1, 4}));
}

TEST_F(OutlineFixture, SelectionFollowsItsItemThroughEditsAndCollapses) {
  FillOutline(*outline, "A\n\ta1\n\ta2\nB");
  outline->SetSelectedItem(3);  // a2: selecting opens A
  EXPECT_TRUE(outline->Items(1)->Expanded());
  outline->Insert(1, "first");
  EXPECT_EQ(outline->SelectedItem(), 4);
  EXPECT_EQ(outline->Items(4)->Text(), "a2");
  outline->Items(2)->Collapse();  // A closes over the selection
  EXPECT_EQ(outline->SelectedItem(), 2);
  outline->Delete(2);
  EXPECT_EQ(outline->SelectedItem(), 0);
}

TEST_F(OutlineFixture, LinesRoundTripTabsAndReadBlanksAsLevels) {
  FillOutline(*outline, "Animals\n\tCats\n\t\tTabby\n  Dogs\nPlants\n\t\t\tDeep");
  EXPECT_EQ(outline->Items(4)->Level(), 3);  // two blanks: level 3
  EXPECT_EQ(outline->Items(6)->Level(), 2);  // at most one below the item before
  const TStrings* lines = outline->Lines();
  ASSERT_EQ(lines->Count(), 6);
  EXPECT_EQ(lines->Get(1), "\tCats");
  EXPECT_EQ(lines->Get(3), "\t\tDogs");
  EXPECT_EQ(lines->Get(5), "\tDeep");

  TStringList copy;
  copy.Assign(*lines);
  TProbeOutline other(nullptr);
  other.SetLines(&copy);
  EXPECT_EQ(other.Lines()->Text(), lines->Text());

  outline->Lines()->Delete(0);  // edits through Lines renumber the items
  EXPECT_EQ(outline->Items(1)->Text(), "Cats");
  EXPECT_EQ(outline->Items(1)->Level(), 1);
}
