// The runtime's file functions over the host: drive C: as the root folder,
// components matched without regard to case, folder listings.
#include <gtest/gtest.h>

#include <set>

#include "FolderTree.h"
#include "core/Exceptions.h"

namespace {

struct Listed {
  std::set<std::string> dirs, files;
};

Listed List(const std::string& pattern, int attr) {
  Listed out;
  TSearchRec rec;
  for (int r = FindFirst(pattern, attr, rec); r == 0; r = FindNext(rec))
    ((rec.Attr & faDirectory) ? out.dirs : out.files).insert(rec.Name);
  FindClose(rec);
  return out;
}

}  // namespace

TEST(HostDrive, GetDirSpeaksOfTheWorkingDirectoryAsDriveC) {
  TempFolderTree tree;
  tree.Enter();
  EXPECT_EQ(GetDir(0), tree.Windows());
  EXPECT_EQ(GetDir(3), tree.Windows());
  EXPECT_EQ(GetDir(4), "D:\\");
  std::filesystem::current_path("/");
  EXPECT_EQ(GetDir(0), "C:\\");
}

TEST(HostDrive, ChDirMatchesComponentsWithoutRegardToCase) {
  TempFolderTree tree;
  tree.MakeDir("Alpha/Beta");
  ChDir(AnsiLowerCaseFileName(tree.Windows()) + "\\ALPHA\\beta");
  EXPECT_EQ(WorkingDirectory(), tree.Host("Alpha/Beta"));
  ChDir("..");
  EXPECT_EQ(WorkingDirectory(), tree.Host("Alpha"));
  ChDir("c:/");
  EXPECT_EQ(WorkingDirectory(), "/");
}

TEST(HostDrive, FailedChangesRaiseTheIoErrorAndStayPut) {
  TempFolderTree tree;
  tree.Enter();
  EXPECT_THROW(ChDir(tree.Windows("missing")), EInOutError);
  EXPECT_THROW(ChDir("D:\\"), EInOutError);
  EXPECT_THROW(ChDir(""), EInOutError);
  EXPECT_EQ(WorkingDirectory(), tree.Host());
}

TEST(HostDrive, ListingsMarkFoldersAndLeaveHiddenEntriesOut) {
  TempFolderTree tree;
  tree.MakeDir("sub");
  tree.MakeDir(".dot");
  tree.MakeFile("file.txt");
  tree.Link("sub", "linked");
  const Listed plain = List(tree.Windows() + "\\*.*", faDirectory);
  EXPECT_EQ(plain.dirs, (std::set<std::string>{".", "..", "sub", "linked"}));
  EXPECT_EQ(plain.files, (std::set<std::string>{"file.txt"}));
  const Listed hidden = List(tree.Windows() + "\\*.*", faDirectory | faHidden);
  EXPECT_TRUE(hidden.dirs.count(".dot"));
  EXPECT_EQ(List(tree.Windows() + "\\S*", faDirectory).dirs, (std::set<std::string>{"sub"}));
}

TEST(HostDrive, ListingAFolderThatIsNotThereFindsNothing) {
  TempFolderTree tree;
  TSearchRec rec;
  EXPECT_NE(FindFirst(tree.Windows("gone") + "\\*.*", faDirectory, rec), 0);
  EXPECT_NE(FindFirst("D:\\*.*", faDirectory, rec), 0);
  EXPECT_NE(FindNext(rec), 0);
  FindClose(rec);
}

TEST(HostDrive, ExpandFileNameResolvesAgainstTheCurrentDirectory) {
  TempFolderTree tree;
  tree.Enter();
  const std::string here = tree.Windows();
  EXPECT_EQ(ExpandFileName("a\\b"), here + "\\a\\b");
  EXPECT_EQ(ExpandFileName("a\\..\\b\\.\\c"), here + "\\b\\c");
  EXPECT_EQ(ExpandFileName("\\temp"), "C:\\temp");
  EXPECT_EQ(ExpandFileName("c:\\temp\\"), "c:\\temp\\");
  EXPECT_EQ(ExpandFileName("d:x"), "d:\\x");
  EXPECT_EQ(ExpandFileName("c:\\..\\.."), "c:\\");
}

TEST(FileNameCase, ComparisonIgnoresCaseAndCaseMappingKnowsUnicode) {
  EXPECT_EQ(AnsiCompareFileName("Zeta", "zeta"), 0);
  EXPECT_LT(AnsiCompareFileName("alpha", "Zeta"), 0);
  EXPECT_EQ(AnsiLowerCaseFileName("C:\\WINDOWS"), "c:\\windows");
  EXPECT_EQ(AnsiUpperCaseFileName("\xC3\xA4rger"), "\xC3\x84RGER");  // ärger
  EXPECT_EQ(AnsiLowerCaseFileName("\xC4Z"), "\xC4z");                // not UTF-8: bytes above 127 stay
}

TEST(FileNameCase, TheGuardRestoresTheWorkingDirectory) {
  const std::string before = WorkingDirectory();
  {
    TCurrentDirectoryGuard guard;
    std::filesystem::current_path("/");
  }
  EXPECT_EQ(WorkingDirectory(), before);
}
