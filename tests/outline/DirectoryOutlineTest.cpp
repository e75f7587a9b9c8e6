// The directory outline on a folder tree made by each test; the working
// directory is restored afterwards.
#include "DirOutln/DirOutln.h"

#include <map>

#include "FolderTree.h"
#include "OutlineTestSupport.h"
#include "components/Registry.h"
#include "controls/ContentReport.h"
#include "core/Streams.h"
#include "streaming/Converters.h"

namespace {

// Counts the listings per item text.
class TProbeDirOutline : public TDirectoryOutline {
 public:
  explicit TProbeDirOutline(TComponent* owner) : TDirectoryOutline(owner) {}
  std::map<std::string, int> listings;
  void ListChildren(int index) override {
    ++listings[Items(index)->Text()];
    TDirectoryOutline::ListChildren(index);
  }
};

std::vector<std::string> ChildTexts(const TCustomOutline& o, int index) {
  std::vector<std::string> out;
  const TOutlineNode* node = o.Items(index);
  for (int i = 0; i < node->ChildCount(); ++i) out.push_back(node->Child(i)->Text());
  return out;
}

using Strings = std::vector<std::string>;

class DirectoryOutline : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.MakeDir("alpha/inner");
    tree.MakeDir("Zeta");
    tree.MakeDir("beta");
    tree.MakeDir(".hidden/deeper");
    tree.MakeFile("notes.txt");
    tree.Enter();
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 300);
    outline = new TProbeDirOutline(form.get());
    outline->SetParent(form.get());
    outline->SetBounds(10, 10, 250, 250);
    outline->OnChange.code = [this](TPersistent*) { ++changes; };
    form->Show();  // window creation takes the drive and directory
  }
  void TearDown() override { form.reset(); }

  // Builds the tree (the run-time window creation does not) and expands
  // the selected work folder.
  void Build(TTextCase textCase = tcLowerCase) {
    if (textCase != tcLowerCase)
      outline->SetTextCase(textCase);
    else
      outline->RebuildTree();
    outline->Items(outline->SelectedItem())->Expand();
    changes = 0;
  }
  int Work() const { return outline->SelectedItem(); }
  int ChildNamed(int parent, const std::string& text) const {
    const TOutlineNode* node = outline->Items(parent);
    for (int i = 0; i < node->ChildCount(); ++i)
      if (node->Child(i)->Text() == text) return node->Child(i)->Index();
    return 0;
  }
  std::string Lower(const std::string& s) const { return AnsiLowerCaseFileName(s); }

  TempFolderTree tree;
  std::unique_ptr<TForm> form;
  TProbeDirOutline* outline = nullptr;
  int changes = 0;
};

}  // namespace

TEST_F(DirectoryOutline, ConstructionReadsNothingAndSetsTheOutlineDefaults) {
  TProbeDirOutline fresh(nullptr);
  EXPECT_EQ(fresh.Drive(), '\0');
  EXPECT_EQ(fresh.Directory(), "");
  EXPECT_EQ(fresh.ItemCount(), 0);
  EXPECT_TRUE(fresh.listings.empty());
  EXPECT_EQ(fresh.Options(), OutlineOption(ooDrawFocusRect));
  EXPECT_EQ(fresh.PictureLeaf()->Image(), fresh.PictureClosed()->Image());
  EXPECT_EQ(fresh.TextCase(), tcLowerCase);
}

TEST_F(DirectoryOutline, RebuildingWithoutADriveTakesTheCurrentDirectoryFirst) {
  TProbeDirOutline fresh(nullptr);  // no window: Drive is still unset
  fresh.RebuildTree();
  EXPECT_EQ(fresh.Drive(), 'c');
  EXPECT_EQ(fresh.Items(1)->Text(), "c:\\");
  EXPECT_EQ(fresh.DirectoryOfItem(fresh.SelectedItem()), Lower(tree.Windows()));
}

TEST_F(DirectoryOutline, WindowCreationTakesTheCurrentDirectoryInTheCaseRule) {
  EXPECT_EQ(outline->Drive(), 'c');
  EXPECT_EQ(outline->Directory(), Lower(tree.Windows()));
  EXPECT_EQ(outline->ItemCount(), 0);  // no tree at run time
}

TEST_F(DirectoryOutline, RebuildWalksToTheDirectoryAndSelectsIt) {
  outline->RebuildTree();
  EXPECT_EQ(outline->Items(1)->Text(), "c:\\");
  EXPECT_EQ(outline->DirectoryOfItem(outline->SelectedItem()), Lower(tree.Windows()));
  EXPECT_FALSE(outline->Items(outline->SelectedItem())->Expanded());  // the last stays closed
  EXPECT_TRUE(outline->Items(1)->Expanded());
  EXPECT_EQ(changes, 1);
}

TEST_F(DirectoryOutline, DotFoldersAndFilesNeverBecomeItems) {
  Build();
  EXPECT_EQ(ChildTexts(*outline, Work()), (Strings{"alpha", "beta", "zeta"}));
}

TEST_F(DirectoryOutline, ChildrenAreInOrdinalOrderOfTheirConvertedNames) {
  Build(tcAsIs);
  EXPECT_EQ(ChildTexts(*outline, Work()), (Strings{"Zeta", "alpha", "beta"}));
  EXPECT_EQ(outline->Items(1)->Text(), "C:\\");
}

TEST_F(DirectoryOutline, UpperCaseRuleConvertsTheRootAndEveryItem) {
  Build(tcUpperCase);
  EXPECT_EQ(outline->Items(1)->Text(), "C:\\");
  EXPECT_EQ(ChildTexts(*outline, Work()), (Strings{"ALPHA", "BETA", "ZETA"}));
}

TEST_F(DirectoryOutline, UnicodeNamesAreCaseMappedAndReportedAsUnicode) {
  tree.MakeDir("\xC3\x84rger");  // Ärger
  Build();
  const int item = ChildNamed(Work(), "\xC3\xA4rger");
  ASSERT_NE(item, 0);
  TContentReport report;
  outline->ReportContent(report);
  EXPECT_NE(report.Members()[0].second.find("\"text\": \"\xC3\xA4rger\""), std::string::npos);
}

TEST_F(DirectoryOutline, ChangingTheCaseRuleRebuildsOnceAndTheSameRuleDoesNothing) {
  Build();
  outline->SetTextCase(tcUpperCase);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(outline->Items(1)->Text(), "C:\\");
  outline->SetTextCase(tcUpperCase);
  EXPECT_EQ(changes, 1);
}

TEST_F(DirectoryOutline, ExpandCollapseExpandReadsTheFolderOnce) {
  Build();
  const int alpha = ChildNamed(Work(), "alpha");
  outline->Items(alpha)->Expand();
  outline->Items(alpha)->Collapse();
  outline->Items(alpha)->Expand();
  EXPECT_EQ(outline->listings["alpha"], 1);
  EXPECT_EQ(ChildTexts(*outline, alpha), (Strings{"inner"}));
  EXPECT_EQ(outline->Items(alpha)->Data(), reinterpret_cast<void*>(uintptr_t(1)));
}

TEST_F(DirectoryOutline, AFolderThatCannotBeSearchedIsMarkedListedAndNotReadAgain) {
  Build();
  const int beta = ChildNamed(Work(), "beta");
  std::filesystem::remove(tree.Host("beta"));
  outline->Items(beta)->Expand();
  outline->Items(beta)->Collapse();
  outline->Items(beta)->Expand();
  EXPECT_FALSE(outline->Items(beta)->HasItems());
  EXPECT_EQ(outline->listings["beta"], 1);
}

TEST_F(DirectoryOutline, DirectoryDropsATrailingBackslashButKeepsARoot) {
  Build();
  outline->SetDirectory(tree.Windows("beta") + "\\");
  EXPECT_EQ(outline->Directory(), Lower(tree.Windows("beta")));
  EXPECT_EQ(WorkingDirectory(), tree.Host("beta"));
  EXPECT_EQ(changes, 1);
  outline->SetDirectory("c:\\");
  EXPECT_EQ(outline->Directory(), "c:\\");
  EXPECT_EQ(outline->SelectedItem(), 1);
  EXPECT_EQ(WorkingDirectory(), "/");
  EXPECT_EQ(changes, 2);
}

TEST_F(DirectoryOutline, ASubdirectoryChangesTheDirectoryButNotTheSelection) {
  Build();
  const int selected = outline->SelectedItem();
  outline->SetDirectory("alpha\\inner");  // relative to the working directory
  EXPECT_EQ(outline->Directory(), Lower(tree.Windows("alpha\\inner")));
  EXPECT_EQ(WorkingDirectory(), tree.Host("alpha/inner"));
  EXPECT_EQ(outline->SelectedItem(), selected);
  EXPECT_FALSE(outline->Items(ChildNamed(Work(), "alpha"))->Expanded());
  EXPECT_EQ(changes, 1);
}

TEST_F(DirectoryOutline, ACaseOnlyChangeOfDirectoryDoesNothing) {
  Build();
  outline->SetDirectory(AnsiUpperCaseFileName(tree.Windows()));
  EXPECT_EQ(outline->Directory(), Lower(tree.Windows()));
  EXPECT_EQ(changes, 0);
}

TEST_F(DirectoryOutline, ClickingTheRootAndThenAChild) {
  Build();
  const int work = Work();
  outline->SetSelectedItem(1);
  outline->Click();
  EXPECT_EQ(outline->Directory(), "c:\\");
  EXPECT_EQ(outline->SelectedItem(), 1);
  EXPECT_EQ(WorkingDirectory(), "/");
  EXPECT_EQ(changes, 1);

  // A directory below the root does not move the selection: click a child.
  outline->SetDirectory(tree.Windows());
  EXPECT_EQ(outline->SelectedItem(), 1);
  changes = 0;
  const int beta = ChildNamed(work, "beta");
  outline->SetSelectedItem(beta);
  outline->Click();
  EXPECT_EQ(outline->Directory(), Lower(tree.Windows("beta")));
  EXPECT_EQ(WorkingDirectory(), tree.Host("beta"));
  EXPECT_EQ(outline->SelectedItem(), beta);
  EXPECT_EQ(changes, 1);
  outline->Click();  // the current item again: nothing beyond the click
  EXPECT_EQ(changes, 1);
}

TEST_F(DirectoryOutline, AFailedDirectoryChangeLeavesEverythingAsItWas) {
  Build();
  const int items = outline->ItemCount();
  const int selected = outline->SelectedItem();
  EXPECT_THROW(outline->SetDirectory(tree.Windows("missing")), EInOutError);
  EXPECT_EQ(outline->Directory(), Lower(tree.Windows()));
  EXPECT_EQ(WorkingDirectory(), tree.Host());
  EXPECT_EQ(outline->ItemCount(), items);
  EXPECT_EQ(outline->SelectedItem(), selected);
  EXPECT_EQ(changes, 0);
}

TEST_F(DirectoryOutline, AFailedDriveChangeIsNotRememberedAndFailsAgain) {
  Build();
  EXPECT_THROW(outline->SetDrive('d'), EInOutError);
  EXPECT_EQ(outline->Drive(), 'c');
  EXPECT_EQ(outline->Directory(), Lower(tree.Windows()));
  EXPECT_THROW(outline->SetDrive('d'), EInOutError);
  outline->SetDrive('C');  // the stored drive in the other case: ignored
  outline->SetDrive('1');  // not a letter: ignored
  EXPECT_EQ(outline->Drive(), 'c');
  EXPECT_EQ(changes, 0);
}

TEST_F(DirectoryOutline, AWalkThroughAHiddenFolderStopsAtTheLastItemFound) {
  tree.Enter(".hidden/deeper");
  outline->SetTextCase(tcAsIs);  // takes the directory, rebuilds
  EXPECT_EQ(outline->Directory(), tree.Windows(".hidden\\deeper"));
  EXPECT_EQ(outline->DirectoryOfItem(outline->SelectedItem()), tree.Windows());
}

TEST_F(DirectoryOutline, StarOpensTwoLevelsEvenAboveALinkLoop) {
  tree.Link("", "alpha/inner/up");  // a link back to the work folder
  Build();
  outline->SetSelectedItem(Work());
  CharTo(outline, '*');
  const int alpha = ChildNamed(Work(), "alpha");
  EXPECT_TRUE(outline->Items(alpha)->Expanded());
  EXPECT_EQ(ChildTexts(*outline, alpha), (Strings{"inner"}));
  EXPECT_EQ(outline->listings.count("inner"), 0u);
}

TEST_F(DirectoryOutline, ListSubtreeReadsEveryLevel) {
  Build();
  outline->ListSubtree(ChildNamed(Work(), "alpha"));
  const int alpha = ChildNamed(Work(), "alpha");
  EXPECT_EQ(ChildTexts(*outline, alpha), (Strings{"inner"}));
  EXPECT_EQ(outline->listings["inner"], 1);
}

TEST(FindInsertPosition, NamesGoBeforeTheirEqualsExceptAfterTheLast) {
  TDirectoryOutline o(nullptr);
  const int root = o.AddChild(0, "c:\\");
  for (const char* name : {"b", "d", "f", "h"}) o.AddChild(root, name);
  TOutlineNode* node = o.Items(root);
  EXPECT_EQ(o.FindInsertPosition(node, "a"), 2);
  EXPECT_EQ(o.FindInsertPosition(node, "b"), 2);
  EXPECT_EQ(o.FindInsertPosition(node, "c"), 3);
  EXPECT_EQ(o.FindInsertPosition(node, "e"), 4);
  EXPECT_EQ(o.FindInsertPosition(node, "g"), 5);
  EXPECT_EQ(o.FindInsertPosition(node, "h"), kInvalidOutlineIndex);
  EXPECT_EQ(o.FindInsertPosition(node, "z"), kInvalidOutlineIndex);
  EXPECT_EQ(o.FindInsertPosition(o.Items(2), "x"), kInvalidOutlineIndex);  // no children
}

// ---------------------------------------------------------------------------
// Read from form descriptions

namespace {

std::unique_ptr<TForm> FormWithOutline(const std::string& textCaseLine) {
  RegisterClasses({&TDirectoryOutline::StaticClassInfo()});
  const std::string text =
      "object Form1: TForm\n  Left = 0\n  Top = 0\n  Width = 300\n  Height = 300\n"
      "  object DirectoryOutline1: TDirectoryOutline\n    Left = 8\n    Top = 8\n"
      "    Width = 200\n    Height = 200\n" +
      textCaseLine + "  end\nend\n";
  TMemoryStream in;
  in.WriteBuffer(text.data(), text.size());
  in.SetPosition(0);
  TMemoryStream res;
  ObjectTextToResource(in, res);
  res.SetPosition(0);
  return std::make_unique<TForm>(nullptr, res);
}

TDirectoryOutline* OutlineOf(TForm& form) {
  return dynamic_cast<TDirectoryOutline*>(form.FindComponent("DirectoryOutline1"));
}

}  // namespace

TEST(DirectoryOutlineForm, TheDefaultCaseRuleBuildsFromTheCurrentDirectory) {
  TempFolderTree tree;
  tree.MakeDir("one");
  tree.Enter();
  auto form = FormWithOutline("");
  TDirectoryOutline* o = OutlineOf(*form);
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(o->Drive(), 'c');
  EXPECT_EQ(o->Items(1)->Text(), "c:\\");
  EXPECT_EQ(o->DirectoryOfItem(o->SelectedItem()), AnsiLowerCaseFileName(tree.Windows()));
}

TEST(DirectoryOutlineForm, AsIsRuleSelectsTheCurrentDirectoryAfterLoading) {
  TempFolderTree tree;
  tree.Enter();
  auto form = FormWithOutline("    TextCase = tcAsIs\n");
  TDirectoryOutline* o = OutlineOf(*form);
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(o->TextCase(), tcAsIs);
  EXPECT_EQ(o->Items(1)->Text(), "C:\\");
  EXPECT_EQ(o->Directory(), tree.Windows());
  EXPECT_EQ(o->DirectoryOfItem(o->SelectedItem()), tree.Windows());
  EXPECT_EQ(o->Options(), OutlineOption(ooDrawFocusRect));
}

// Under a case rule two host folders whose names differ only in case show
// as the same text; each item still lists and opens its own folder.
TEST_F(DirectoryOutline, FoldersThatDifferOnlyInCaseEachOpenTheirOwnFolder) {
  tree.MakeDir("Docs/fromupper");
  tree.MakeDir("docs/fromlower");
  Build();
  std::vector<TOutlineNode*> twins;
  TOutlineNode* work = outline->Items(Work());
  for (int i = 0; i < work->ChildCount(); ++i)
    if (work->Child(i)->Text() == "docs") twins.push_back(work->Child(i));
  ASSERT_EQ(twins.size(), 2u);
  std::vector<std::string> opened, listed;
  for (TOutlineNode* node : twins) {
    node->Expand();
    const int item = node->Index();
    const Strings children = ChildTexts(*outline, item);
    listed.push_back(children.empty() ? std::string() : children[0]);
    outline->SetSelectedItem(item);
    outline->Click();
    opened.push_back(WorkingDirectory());
  }
  std::sort(listed.begin(), listed.end());
  std::sort(opened.begin(), opened.end());
  EXPECT_EQ(listed, (Strings{"fromlower", "fromupper"}));
  EXPECT_EQ(opened, (Strings{tree.Host("Docs"), tree.Host("docs")}));
}
