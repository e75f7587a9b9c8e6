// Inherited forms and frames: a form whose text starts with "inherited" holds
// only what it changes in its ancestor form, and a frame placed on a form
// ("inline Frame1: TFrameX") holds only what it changes in the frame's own
// form. The ancestor is named only in the unit's source ("TFormChild =
// class(TFormBase)" in FormChild.pas), so the chain is found from the files
// on disk and read from the root ancestor down into one resolved form.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "LoadTypes.h"

class FormEvents;
class TStringList;

// A chain deeper than this is refused, as is a loop.
inline constexpr int kMaxAncestorDepth = 32;

// True for the framework's own form classes, which end a chain (TForm,
// TFrame, TDataModule, ...).
bool IsFrameworkFormClass(std::string_view className);

// How far the search for units and forms may go within a project: folders
// listed and directory entries met. A bound that cuts the search short adds
// one log line.
inline constexpr size_t kMaxFoldersSearched = 5000;
inline constexpr size_t kMaxEntriesSearched = 100000;
// Units larger than this are not read.
inline constexpr uint64_t kMaxUnitSize = uint64_t(8) << 20;
// A resolved form holding more components and properties than this (frames
// nesting frames multiply) is refused.
inline constexpr size_t kMaxResolvedSize = 2000000;

// The units and form files one load may look at. The search root is the
// nearest folder, the form's own or at most three levels up, that holds a
// project file (.dpr, .dpk, .dproj, .bdsproj, .cbproj, .groupproj); the
// root and its sub-folders are searched, nearest to the form first. Without
// a project file only the form's own folder is searched. Hidden folders and
// files, links that lead out of the root, and anything but regular files
// are never read. Folders are listed once, when first needed, and each unit
// is read at most once.
class TFormSources {
 public:
  // `log` gets one line when a bound cuts the search short.
  TFormSources(const std::string& formFile, TStrings& log);

  // The ancestor class declared for `className`, looked up first in the unit
  // beside `formFile` (same base name, ".pas" in any letter case), then in
  // every unit searched. Empty when no declaration is found.
  std::string AncestorOf(const std::filesystem::path& formFile, std::string_view className);
  // The form file (".dfm" in any letter case) beside the unit that declares
  // `className`; empty when there is none.
  std::filesystem::path FormOfClass(std::string_view className);
  // Where units were looked for, for messages.
  std::string Where() const;
  const std::filesystem::path& FormDir() const { return formDir_; }
  const std::filesystem::path& Root() const { return root_; }
  bool HasProject() const { return project_; }

 private:
  struct Unit {
    std::unordered_map<std::string, std::string> ancestors;  // upper-case class -> ancestor
  };
  void Index();
  // Lists `dir` into listings_ (regular files) and `subdirs` (folders to
  // search, links resolved within the root); false once a bound is reached.
  bool List(const std::filesystem::path& dir, std::vector<std::filesystem::path>* subdirs);
  void Cut(const std::string& what);
  bool InsideRoot(const std::filesystem::path& canonical) const;
  const Unit& UnitAt(const std::filesystem::path& pas);
  // The file in `dir` whose name is `stem` + `ext`, ignoring letter case.
  std::filesystem::path Beside(const std::filesystem::path& dir, std::string_view stem, std::string_view ext);

  std::filesystem::path formDir_, root_;
  TStrings& log_;
  bool project_ = false;
  bool indexed_ = false;
  bool truncated_ = false;
  size_t foldersListed_ = 0, entriesListed_ = 0;
  std::vector<std::filesystem::path> units_;  // in search order, nearest first
  size_t unitsRead_ = 0;
  std::map<std::filesystem::path, std::vector<std::string>> listings_;
  std::map<std::filesystem::path, Unit> unitCache_;
  std::unordered_map<std::string, std::filesystem::path> declaredIn_;  // upper-case class -> unit
};

struct FormTreeNode;

// One load's view of inherited forms and frames.
class TInheritedForm {
 public:
  // How an ancestor's or frame's form text is made loadable before it is
  // read (the load's rewriting), given the classes to keep for its
  // "inherited" and "inline" headers (RewriteClasses).
  using RewriteLevelFn = std::function<void(TStringList& lines, TStrings& log, const ClassRegisteredFn& inherited)>;

  // Log lines go to load.log; every form file read is added to load.files,
  // and a missing ancestor's log line to load.missingAncestor.
  TInheritedForm(
      const std::string& formFile, ClassRegisteredFn isRegistered, RewriteLevelFn rewriteLevel, TFormLoad& load);
  ~TInheritedForm();

  // What the rewriting asks for "inherited" and "inline" headers: a class
  // counts as registered when the registry has it or when it is a frame
  // class whose form is found in the project.
  const ClassRegisteredFn& RewriteClasses() const { return rewriteClasses_; }

  // True when the rewritten form inherits (its root is "inherited") or holds
  // a frame whose form was found, so that it must be read with them.
  bool NeedsResolving(const TStringList& rewritten) const;

  // Reads the rewritten form with its ancestors and frames, root ancestor
  // first, rewriting each of them and logging, and delivers the whole
  // resolved form to `sink` as one "object" tree. Each ancestor or frame
  // form is read and resolved once and reused. A missing ancestor adds one
  // log line and the form is read alone. Raises EReadError for a loop in
  // the chain, a chain deeper than 32 levels, a resolved form larger than
  // kMaxResolvedSize, or a failure inside an ancestor or frame form (the
  // message names that form).
  void Resolve(const TStringList& rewritten, FormEvents& sink);

 private:
  std::unique_ptr<FormTreeNode> Flatten(
      std::unique_ptr<FormTreeNode> level, const std::filesystem::path& file, int depth);
  std::unique_ptr<FormTreeNode> LoadLevel(
      const std::filesystem::path& file, TFormFileRead::Role role, const std::string& logLine, int depth);
  std::unique_ptr<FormTreeNode> ReadLevel(const std::filesystem::path& file, TFormFileRead::Role role);
  std::unique_ptr<FormTreeNode> Copy(const FormTreeNode& node);
  void Grow(size_t by);
  void Apply(FormTreeNode& source, FormTreeNode& parent, FormTreeNode& scope, int depth);
  void Enter(const std::filesystem::path& file, int depth);
  std::string RegisteredBase(const std::filesystem::path& file, std::string className);
  std::string MissingLine(std::string_view ancestor, std::string_view className);
  // A path as the log shows it: relative to the form's folder.
  std::string Shown(const std::filesystem::path& p) const;

  std::filesystem::path file_;
  ClassRegisteredFn isRegistered_;
  ClassRegisteredFn rewriteClasses_;
  RewriteLevelFn rewriteLevel_;
  TFormLoad& load_;
  TFormSources sources_;
  std::vector<std::filesystem::path> reading_;  // the forms being read, outermost first
  // Each ancestor or frame form resolved so far, by canonical path.
  std::map<std::filesystem::path, std::unique_ptr<FormTreeNode>> resolved_;
  size_t resolvedSize_ = 0;  // components and properties in the trees handed out
};

// The text of a load's resolved form: one "object" form text.
std::string ResolvedFormText(TFormLoad& load);
