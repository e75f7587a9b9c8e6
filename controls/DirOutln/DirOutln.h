// TDirectoryOutline: an outline of the directories of one drive. The drive's
// root is the single top-level item; under every item are the directory's
// subdirectories in ascending ordinal order of their texts, read from the
// file system the first time the item is expanded.
//
// The control keeps a current drive and directory tied to the process's
// working directory: selecting an item (a click) makes its directory the
// working directory and raises OnChange. Paths are Windows paths (see
// core/FileSystem.h for how they map onto the host).
//
// Every text the control produces follows TextCase: lower case, upper case,
// or as the file system gives it.
//
// Failures of the directory changes are the runtime's EInOutError; they
// leave the control exactly as it was (Drive, Directory, items, selection).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "controls/Outline.h"
#include "core/FileSystem.h"

enum TTextCase : uint8_t { tcLowerCase, tcUpperCase, tcAsIs };
const TEnumInfo& TextCaseEnumInfo();

using TCaseFunction = std::string (*)(std::string_view);

// The working record of one listing.
struct TNodeInfo {
  std::string Pattern;
  TSearchRec SearchRec;
  int32_t SearchResult = 0;
  TOutlineNode* Node = nullptr;
  int32_t InsertPosition = 0;
  int32_t NewItem = 0;
};

class TDirectoryOutline : public TCustomOutline {
  TESSALY_CLASS(TDirectoryOutline)

 public:
  explicit TDirectoryOutline(TComponent* owner);

  // The drive letter, '\0' while unset. Setting it changes the working
  // directory to that drive's root and rebuilds the tree (outside loading);
  // letters naming the stored drive in either case are ignored.
  char Drive() const { return FDrive; }
  void SetDrive(char letter);
  // The current directory as a full path (c:\windows), empty while unset.
  // Setting it changes the working directory; a path equal to the current
  // one ignoring case does nothing.
  const std::string& Directory() const { return FDirectory; }
  void SetDirectory(const std::string& value);
  TTextCase TextCase() const { return FTextCase; }
  void SetTextCase(TTextCase value);

  TMethod OnChange;

  // Reads the subdirectories of item index and adds them as its children,
  // sorted; marks the item listed (Data 1) even when the search failed.
  virtual void ListChildren(int index);
  // Discards all items, adds the drive's root and walks to Directory.
  virtual void RebuildTree();
  // Lists item index and, depth first, every child below it.
  virtual void ListSubtree(int index);
  virtual void Change();

  void Loaded() override;
  void Click() override;
  // Lists the item on its first expansion, then expands it.
  void Expand(int index) override;

  // The directory of an item: its full path with the doubled backslash
  // after the drive removed (c:\\windows -> c:\windows).
  std::string DirectoryOfItem(int index) const;
  std::string ConvertCase(const std::string& text) const;
  // Where a new name goes among node's children (ordinal comparison): the
  // child to insert before, or kInvalidOutlineIndex to append.
  int FindInsertPosition(TOutlineNode* node, const std::string& name) const;
  // Walks path down from the root, expanding on the way, and selects the
  // last item found.
  void SelectPath(const std::string& path);

 protected:
  void CreateWnd() override;
  // '*' opens the selected folder and each folder in it, one level of
  // listing, rather than the whole subtree: a drive is large, and a link
  // to a folder above would make the subtree endless.
  void KeyPress(char& key) override;
  // Folder names are the host's UTF-8: shown as Unicode whatever the font.
  std::string DisplayText(const TOutlineNode& node) const override;

 private:
  void UpdateCaseFunction();
  int FindChildNamed(int current, const std::string& name);
  static bool SameDriveLetter(char a, char b);
  void FillFromCurrentDirectory();
  // The host folder of an item: its path spelt with each listed folder's
  // own name, so that two folders whose names differ only in case, and so
  // show alike under a case rule, each open their own folder.
  std::string HostDirectoryOfItem(int index) const;
  // Whether path names the host folder the working directory is.
  static bool IsWorkingDirectory(const std::string& path);

  char FDrive = '\0';
  std::string FDirectory;
  TTextCase FTextCase = tcLowerCase;
  TCaseFunction FCaseFunction = nullptr;
  // The name the host gave each listed folder's item (its text may be in
  // another case); emptied whenever the tree is.
  std::map<const TOutlineNode*, std::string> hostNames_;
};
