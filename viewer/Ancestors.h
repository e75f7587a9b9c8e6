// Inherited forms and frames: a form whose text starts with "inherited" holds
// only what it changes in its ancestor form, and a frame placed on a form
// ("inline Frame1: TFrameX") holds only what it changes in the frame's own
// form. The ancestor is named only in the unit's source ("TFormChild =
// class(TFormBase)" in FormChild.pas), so the chain is found from the files
// on disk and read from the root ancestor down into one resolved form.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rewrite.h"

class FormEvents;
class TStringList;

// A chain deeper than this is refused, as is a loop.
inline constexpr int kMaxAncestorDepth = 32;

// True for the framework's own form classes, which end a chain (TForm,
// TFrame, TDataModule, ...).
bool IsFrameworkFormClass(std::string_view className);

// Reads a form file of either encoding into its form text lines, unrewritten.
void ReadFormFileLines(const std::string& path, TStringList& lines);

// The units and form files one load may look at: the form's folder, its
// parent folders up to the project root (the nearest folder holding a .dpr,
// .dpk or .dproj, at most three levels up) and their sub-folders. Folders are
// listed once, when first needed, and each unit is read at most once.
class TFormSources {
 public:
  explicit TFormSources(const std::string& formFile);

  // The ancestor class declared for `className`, looked up first in the unit
  // beside `formFile` (same base name, ".pas" in any letter case), then in
  // every unit of the project. Empty when no declaration is found.
  std::string AncestorOf(const std::filesystem::path& formFile, std::string_view className);
  // The form file (".dfm" in any letter case) beside the unit that declares
  // `className`; empty when there is none.
  std::filesystem::path FormOfClass(std::string_view className);
  // Where units were looked for, for messages: "DIR and its sub-folders".
  std::string Where() const;

 private:
  struct Unit {
    std::unordered_map<std::string, std::string> ancestors;  // upper-case class -> ancestor
  };
  void Index();
  const Unit& UnitAt(const std::filesystem::path& pas);
  // The file in `dir` whose name is `stem` + `ext`, ignoring letter case.
  std::filesystem::path Beside(const std::filesystem::path& dir, std::string_view stem,
                               std::string_view ext);

  std::filesystem::path formDir_, root_;
  bool indexed_ = false;
  bool truncated_ = false;
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
  TInheritedForm(const std::string& formFile, ClassRegisteredFn isRegistered);
  ~TInheritedForm();

  // What the rewriting of every level asks: a class counts as registered
  // when the registry has it or when it is a frame class whose form is found.
  const ClassRegisteredFn& RewriteClasses() const { return rewriteClasses_; }

  // True when the rewritten form inherits (its root is "inherited") or holds
  // a frame whose form was found, so that it must be read with them.
  bool NeedsResolving(const TStringList& rewritten) const;

  // Reads the rewritten form with its ancestors and frames, root ancestor
  // first, rewriting each of them and appending their log lines to `log`,
  // and delivers the whole resolved form to `sink` as one "object" tree.
  // A missing ancestor adds one log line and the form is read alone. Raises
  // EReadError for a loop in the chain or a chain deeper than 32 levels.
  void Resolve(const TStringList& rewritten, TStrings& log, FormEvents& sink);

  // The form files of the inheritance chain, the form itself first. When an
  // ancestor is missing, `missing` gets the log line that names it.
  std::vector<std::string> Chain(std::string& missing);

 private:
  std::unique_ptr<FormTreeNode> Flatten(const TStringList& rewritten,
                                        const std::filesystem::path& file, int depth);
  std::unique_ptr<FormTreeNode> LoadLevel(const std::filesystem::path& file, int depth);
  void Apply(FormTreeNode& source, FormTreeNode& parent, FormTreeNode& scope, int depth);
  void Enter(const std::filesystem::path& file, int depth);
  std::string RegisteredBase(const std::filesystem::path& file, std::string className);
  std::string MissingLine(std::string_view ancestor, std::string_view className);

  std::filesystem::path file_;
  ClassRegisteredFn isRegistered_;
  ClassRegisteredFn rewriteClasses_;
  TFormSources sources_;
  std::vector<std::filesystem::path> reading_;  // the forms being read, outermost first
  TStrings* log_ = nullptr;
};

// Loads a form file as the viewer does (rewriting every level, logging to
// `log`) and returns the whole resolved form as one "object" form text.
std::string FlattenFormFile(const std::string& path, TStrings& log,
                            const ClassRegisteredFn& isRegistered);
