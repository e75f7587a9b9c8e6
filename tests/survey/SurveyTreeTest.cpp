// Which files of a tree a survey looks at, the keys results are kept under,
// and how shards split a tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "SurveyTestSupport.h"
#include "SurveyTree.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Ids(const std::vector<TreeForm>& forms) {
  std::vector<std::string> ids;
  for (const TreeForm& f : forms) ids.push_back(f.Id());
  return ids;
}

}  // namespace

TEST(SurveyTree, FindsFormFilesOfAnyLetterCaseInNestedFolders) {
  ScratchTree tree;
  tree.Write("Main.dfm", "object F: TForm end");
  tree.Write("sub/deeper/DIALOG.DFM", "x");
  tree.Write("sub/Mixed.Dfm", "x");
  tree.Write("sub/Unit1.pas", "unit Unit1;");
  tree.Write("sub/notes.dfm.txt", "x");
  tree.Write("sub/dfm", "x");
  std::vector<std::string> skipped;
  EXPECT_EQ(Ids(ListTreeForms(tree.Path(), skipped)),
            (std::vector<std::string>{"Main.dfm", "sub/Mixed.Dfm", "sub/deeper/DIALOG.DFM"}));
  EXPECT_EQ(ListTreeUnits(tree.Path(), skipped), std::vector<std::string>{"sub/Unit1.pas"});
  EXPECT_TRUE(skipped.empty());
}

// A link could lead out of the tree (or round in a circle): links to files
// and to folders are neither listed nor followed.
TEST(SurveyTree, NeitherListsNorFollowsSymbolicLinks) {
  ScratchTree tree, outside;
  outside.Write("Secret.dfm", "x");
  outside.Write("dir/Other.dfm", "x");
  tree.Write("Own.dfm", "x");
  fs::create_symlink(outside.Root() / "Secret.dfm", tree.Root() / "Linked.dfm");
  fs::create_directory_symlink(outside.Root() / "dir", tree.Root() / "linkeddir");
  fs::create_directory_symlink(tree.Root(), tree.Root() / "loop");
  std::vector<std::string> skipped;
  EXPECT_EQ(Ids(ListTreeForms(tree.Path(), skipped)), std::vector<std::string>{"Own.dfm"});
}

TEST(SurveyTree, AMissingTreeIsReportedNotThrown) {
  std::vector<std::string> skipped;
  EXPECT_TRUE(ListTreeForms("/nonexistent/tessaly/tree", skipped).empty());
  ASSERT_EQ(skipped.size(), 1u);
}

TEST(SurveyTree, ResultKeysFollowContentAndPlace) {
  const TreeForm a{"a/Form.dfm", {}}, b{"b/Form.dfm", {}};
  EXPECT_EQ(FormResultKey(a, "object F: TForm end"), FormResultKey(a, "object F: TForm end"));
  EXPECT_NE(FormResultKey(a, "object F: TForm end"), FormResultKey(a, "object G: TForm end"));
  EXPECT_NE(FormResultKey(a, "same"), FormResultKey(b, "same"));
  // The id and the content are kept apart: moving bytes between them changes the key.
  EXPECT_NE(FormResultKey({"ab", {}}, "c"), FormResultKey({"a", {}}, "bc"));
  EXPECT_EQ(FormResultKey(a, "x").size(), 16u);
}

TEST(SurveyShards, ParsesOnlyWellFormedShards) {
  SurveyShard s;
  EXPECT_TRUE(ParseShard("3/7", s));
  EXPECT_EQ(s.index, 3);
  EXPECT_EQ(s.count, 7);
  for (const char* bad : {"", "3", "0/2", "3/2", "1/0", "-1/2", "1/2x", "a/b", "1/", "/2", "1/2000000"})
    EXPECT_FALSE(ParseShard(bad, s)) << bad;
}

// Every form in exactly one shard, the shards of roughly equal size, and a
// form's shard unchanged when its content changes (only its id decides).
TEST(SurveyShards, SplitATreeIntoDisjointPartsThatCoverIt) {
  constexpr int kForms = 3000, kShards = 4;
  std::vector<int> sizes(kShards);
  for (int i = 0; i < kForms; ++i) {
    const TreeForm form{"folder" + std::to_string(i % 37) + "/Form" + std::to_string(i) + ".dfm", {}};
    int owners = 0;
    for (int k = 1; k <= kShards; ++k)
      if (InShard(form, {k, kShards})) {
        ++owners;
        ++sizes[k - 1];
      }
    EXPECT_EQ(owners, 1) << form.path;
  }
  for (int size : sizes) EXPECT_NEAR(size, kForms / kShards, kForms / kShards / 5);
  EXPECT_TRUE(InShard({"x.dfm", {}}, {1, 1}));
}

TEST(SurveyTree, TheFilesDigestChangesWithAnyListedFile) {
  ScratchTree tree;
  tree.Write("Base.dfm", "object B: TBase end");
  tree.Write("Base.pas", "unit Base;");
  const std::vector<std::string> files{"Base.dfm", "Base.pas"};
  const std::string before = TreeFilesDigest(tree.Path(), files);
  EXPECT_EQ(TreeFilesDigest(tree.Path(), files), before);
  tree.Write("Base.pas", "unit Base; { changed }");
  const std::string after = TreeFilesDigest(tree.Path(), files);
  EXPECT_NE(after, before);
  EXPECT_NE(TreeFilesDigest(tree.Path(), {"Base.dfm"}), after);
  EXPECT_NE(CombinedResultKey("0123456789abcdef", before), CombinedResultKey("0123456789abcdef", after));
  EXPECT_EQ(CombinedResultKey("0123456789abcdef", after).size(), 16u);
}
