#include "Ancestors.h"

#include <algorithm>
#include <deque>
#include <set>
#include <unordered_map>

#include "FormFiles.h"
#include "core/Exceptions.h"
#include "core/FormNode.h"
#include "core/Streams.h"
#include "core/Strings.h"
#include "core/SysUtils.h"
#include "streaming/Converters.h"
#include "streaming/FormOutput.h"
#include "streaming/FormSource.h"
#include "streaming/FormText.h"

namespace fs = std::filesystem;

namespace {

inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool IsIdentChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Pascal source without comments and string literals, which could hold text
// that looks like a class declaration.
std::string StripPascal(const std::string& src) {
  std::string out;
  out.reserve(src.size());
  for (size_t i = 0; i < src.size();) {
    char c = src[i];
    if (c == '{') {
      size_t e = src.find('}', i);
      i = e == std::string::npos ? src.size() : e + 1;
      out += ' ';
    } else if (c == '(' && i + 1 < src.size() && src[i + 1] == '*') {
      size_t e = src.find("*)", i + 2);
      i = e == std::string::npos ? src.size() : e + 2;
      out += ' ';
    } else if (c == '/' && i + 1 < src.size() && src[i + 1] == '/') {
      size_t e = src.find('\n', i);
      i = e == std::string::npos ? src.size() : e;
    } else if (c == '\'') {
      size_t e = src.find('\'', i + 1);
      i = e == std::string::npos ? src.size() : e + 1;
      out += "''";
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

// Every "Name = class(Ancestor" of a unit; a unit-qualified ancestor
// ("Forms.TForm") keeps its last part.
std::unordered_map<std::string, std::string> ClassDeclarations(const std::string& source) {
  std::unordered_map<std::string, std::string> found;
  const std::string text = StripPascal(source);
  const std::string upper = UpperCase(text);
  for (size_t at = upper.find("CLASS"); at != std::string::npos; at = upper.find("CLASS", at + 5)) {
    if ((at > 0 && IsIdentChar(text[at - 1])) || (at + 5 < text.size() && IsIdentChar(text[at + 5]))) continue;
    size_t b = at;
    while (b > 0 && IsBlank(text[b - 1])) --b;
    if (b == 0 || text[b - 1] != '=') continue;
    --b;
    while (b > 0 && IsBlank(text[b - 1])) --b;
    size_t nameEnd = b;
    while (b > 0 && IsIdentChar(text[b - 1])) --b;
    if (b == nameEnd) continue;
    size_t f = at + 5;
    while (f < text.size() && IsBlank(text[f])) ++f;
    if (f >= text.size() || text[f] != '(') continue;
    ++f;
    while (f < text.size() && IsBlank(text[f])) ++f;
    size_t ancStart = f;
    while (f < text.size() && (IsIdentChar(text[f]) || text[f] == '.')) ++f;
    std::string ancestor = text.substr(ancStart, f - ancStart);
    if (size_t dot = ancestor.rfind('.'); dot != std::string::npos) ancestor.erase(0, dot + 1);
    if (ancestor.empty()) continue;
    found.emplace(upper.substr(b, nameEnd - b), ancestor);
  }
  return found;
}

bool HasExtension(const std::string& name, std::string_view ext) {
  return name.size() > ext.size() && SameText(std::string_view(name).substr(name.size() - ext.size()), ext);
}

std::string Upper(std::string_view s) { return UpperCase(s); }

// The project files that mark a search root.
bool IsProjectFile(const std::string& name) {
  for (std::string_view ext : {".dpr", ".dpk", ".dproj", ".bdsproj", ".cbproj", ".groupproj"})
    if (HasExtension(name, ext)) return true;
  return false;
}

// The class of a header as the reader sees it: without a " [n]" position.
std::string_view WithoutPosition(std::string_view className) {
  size_t bracket = className.find('[');
  if (bracket == std::string_view::npos) return className;
  className = className.substr(0, bracket);
  while (!className.empty() && IsBlank(className.back())) className.remove_suffix(1);
  return className;
}

}  // namespace

bool IsFrameworkFormClass(std::string_view className) {
  static const char* const kNames[] = {
      "TForm",    "TCustomForm", "TFrame",      "TCustomFrame", "TDataModule",    "TScrollingWinControl", "TWinControl",
      "TControl", "TComponent",  "TPersistent", "TObject",      "TCustomControl", "TInterfacedObject"};
  for (const char* n : kNames)
    if (SameText(className, n)) return true;
  return false;
}

// ---------------------------------------------------------------------------
// TFormSources

TFormSources::TFormSources(const std::string& formFile, TStrings& log) : log_(log) {
  std::error_code ec;
  fs::path abs = fs::weakly_canonical(fs::absolute(formFile, ec), ec);
  formDir_ = abs.parent_path();
  root_ = formDir_;
  // The project root: the nearest folder with a project file, at most three
  // levels up. Without one, the form's folder alone.
  fs::path dir = formDir_;
  for (int level = 0; level <= 3 && !project_; ++level) {
    size_t entries = 0;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end && entries < kMaxEntriesSearched;
         it.increment(ec), ++entries) {
      if (IsProjectFile(it->path().filename().string())) {
        project_ = true;
        root_ = dir;
        break;
      }
    }
    if (!dir.has_parent_path() || dir.parent_path() == dir) break;
    dir = dir.parent_path();
  }
}

std::string TFormSources::Where() const {
  std::string where =
      project_ ? root_.string() + " and its sub-folders"
               : root_.string() + " (no project file found within three folders up)";
  if (truncated_) where += " (cut short by the search bounds)";
  return where;
}

void TFormSources::Cut(const std::string& what) {
  if (truncated_) return;
  truncated_ = true;
  log_.Add("Search for units stopped after " + what + " under " + root_.string() +
           "; ancestors and frames declared beyond are not found");
}

bool TFormSources::InsideRoot(const fs::path& canonical) const {
  auto rel = canonical.lexically_relative(root_);
  return !rel.empty() && *rel.begin() != "..";
}

bool TFormSources::List(const fs::path& dir, std::vector<fs::path>* subdirs) {
  if (foldersListed_ >= kMaxFoldersSearched) {
    Cut(std::to_string(kMaxFoldersSearched) + " folders");
    return false;
  }
  ++foldersListed_;
  std::vector<std::string>& names = listings_[dir];
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (++entriesListed_ > kMaxEntriesSearched) {
      Cut(std::to_string(kMaxEntriesSearched) + " entries");
      return false;
    }
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;  // hidden
    std::error_code typeError;
    fs::path target = it->path();
    if (it->is_symlink(typeError)) {
      target = fs::canonical(it->path(), typeError);
      if (typeError || !InsideRoot(target)) continue;  // dangling, looping or leading out
    }
    fs::file_status status = fs::status(target, typeError);
    if (typeError) continue;
    // Every name is kept, so that an ancestor's form that is a folder or a
    // pipe is reported as such; only regular files are read as units.
    names.push_back(name);
    if (fs::is_directory(status)) {
      if (subdirs) subdirs->push_back(target);
    } else if (fs::is_regular_file(status) && subdirs && HasExtension(name, ".pas")) {
      units_.push_back(it->path());
    }
  }
  return true;
}

void TFormSources::Index() {
  if (indexed_) return;
  indexed_ = true;
  if (!project_) {
    // Only the form's own folder: its units, none of its sub-folders.
    listings_.erase(formDir_);
    std::vector<fs::path> ignored;
    List(formDir_, &ignored);
    return;
  }
  // Nearest first: the form's folder and its sub-folders, then each parent
  // with its other sub-folders, up to the root.
  std::set<fs::path> seen;
  std::vector<fs::path> starts;
  for (fs::path d = formDir_;; d = d.parent_path()) {
    starts.push_back(d);
    if (d == root_ || !d.has_parent_path() || d.parent_path() == d) break;
  }
  for (const fs::path& start : starts) {
    std::deque<fs::path> queue{start};
    while (!queue.empty()) {
      fs::path dir = queue.front();
      queue.pop_front();
      if (!seen.insert(dir).second) continue;
      listings_.erase(dir);
      std::vector<fs::path> subdirs;
      if (!List(dir, &subdirs)) return;
      std::sort(subdirs.begin(), subdirs.end());
      for (fs::path& s : subdirs)
        if (!seen.count(s)) queue.push_back(std::move(s));
    }
  }
}

const TFormSources::Unit& TFormSources::UnitAt(const fs::path& pas) {
  auto it = unitCache_.find(pas);
  if (it != unitCache_.end()) return it->second;
  Unit unit;
  try {
    unit.ancestors = ClassDeclarations(ReadRegularFile(pas.string(), kMaxUnitSize));
  } catch (const Exception&) {
    // A unit that cannot be read (a pipe, a device, too large) declares nothing.
  }
  for (const auto& entry : unit.ancestors) declaredIn_.emplace(entry.first, pas);
  return unitCache_.emplace(pas, std::move(unit)).first->second;
}

fs::path TFormSources::Beside(const fs::path& dir, std::string_view stem, std::string_view ext) {
  if (listings_.find(dir) == listings_.end()) List(dir, nullptr);
  for (const std::string& name : listings_[dir])
    if (name.size() == stem.size() + ext.size() && HasExtension(name, ext) &&
        SameText(std::string_view(name).substr(0, stem.size()), stem))
      return dir / name;
  return {};
}

std::string TFormSources::AncestorOf(const fs::path& formFile, std::string_view className) {
  const std::string key = Upper(className);
  fs::path unit = Beside(formFile.parent_path(), formFile.stem().string(), ".pas");
  if (!unit.empty()) {
    const Unit& u = UnitAt(unit);
    if (auto it = u.ancestors.find(key); it != u.ancestors.end()) return it->second;
  }
  fs::path declaring = [&] {
    if (auto it = declaredIn_.find(key); it != declaredIn_.end()) return it->second;
    Index();
    while (unitsRead_ < units_.size()) {
      UnitAt(units_[unitsRead_++]);
      if (auto it = declaredIn_.find(key); it != declaredIn_.end()) return it->second;
    }
    return fs::path();
  }();
  if (declaring.empty()) return {};
  return UnitAt(declaring).ancestors.at(key);
}

fs::path TFormSources::FormOfClass(std::string_view className) {
  const std::string key = Upper(className);
  if (key.empty() || !IsIdentChar(key[0])) return {};
  auto it = declaredIn_.find(key);
  if (it == declaredIn_.end()) {
    Index();
    while (unitsRead_ < units_.size() && it == declaredIn_.end()) {
      UnitAt(units_[unitsRead_++]);
      it = declaredIn_.find(key);
    }
    if (it == declaredIn_.end()) return {};
  }
  const fs::path& unit = it->second;
  return Beside(unit.parent_path(), unit.stem().string(), ".dfm");
}

// ---------------------------------------------------------------------------
// The resolved form as a tree

struct FormTreeNode {
  uint8_t flags = 0;
  int32_t position = 0;
  std::string className;
  std::string name;
  std::vector<std::pair<std::string, TFormNode>> properties;
  std::vector<std::unique_ptr<FormTreeNode>> children;
  FormTreeNode* parent = nullptr;

  // Sets the properties a descendant level gives this component: one set
  // again replaces the earlier value in place (names compare without case),
  // a new one goes to the end. The names are indexed once per call, so a
  // level of n properties costs n look-ups, not n times the list.
  void SetProperties(std::vector<std::pair<std::string, TFormNode>>&& values) {
    if (values.empty()) return;
    std::unordered_map<std::string, size_t> index;
    index.reserve(properties.size() + values.size());
    for (size_t i = 0; i < properties.size(); ++i) index.emplace(UpperCase(properties[i].first), i);
    for (auto& [n, v] : values) {
      auto [it, fresh] = index.emplace(UpperCase(n), properties.size());
      if (fresh)
        properties.emplace_back(std::move(n), std::move(v));
      else
        properties[it->second].second = std::move(v);
    }
  }

  // Inserts at `index` (as a "[n]" position asks) or at the end.
  FormTreeNode* Insert(std::unique_ptr<FormTreeNode> child, bool atIndex, int32_t index) {
    child->parent = this;
    FormTreeNode* raw = child.get();
    size_t at = atIndex ? size_t(std::clamp<int64_t>(index, 0, int64_t(children.size()))) : children.size();
    children.insert(children.begin() + ptrdiff_t(at), std::move(child));
    return raw;
  }

  std::unique_ptr<FormTreeNode> Detach(FormTreeNode* child) {
    for (auto it = children.begin(); it != children.end(); ++it)
      if (it->get() == child) {
        std::unique_ptr<FormTreeNode> owned = std::move(*it);
        children.erase(it);
        owned->parent = nullptr;
        return owned;
      }
    return nullptr;
  }

  bool Contains(const FormTreeNode* node) const {
    for (; node; node = node->parent)
      if (node == this) return true;
    return false;
  }

  // The component of that name the scope owns: the reader's FindComponent.
  // A frame's components belong to the frame, so frames are not entered.
  FormTreeNode* FindOwned(std::string_view wanted) {
    for (auto& c : children) {
      if (!c->name.empty() && SameText(c->name, wanted)) return c.get();
      if (!(c->flags & ffInline))
        if (FormTreeNode* found = c->FindOwned(wanted)) return found;
    }
    return nullptr;
  }

  void Emit(FormEvents& sink) const {
    FormObjectHeader h;
    h.flags = flags;
    h.position = position;
    h.className = className;
    h.name = name;
    sink.BeginComponent(h);
    for (const auto& [n, v] : properties) {
      sink.Property(n);
      EmitFormNode(v, sink);
    }
    for (const auto& c : children) c->Emit(sink);
    sink.EndComponent();
  }
};

namespace {

// Collects FormEvents into a tree.
class TreeBuilder : public FormEvents {
 public:
  std::unique_ptr<FormTreeNode> Take() { return std::move(root_); }

  void BeginComponent(const FormObjectHeader& h) override {
    auto node = std::make_unique<FormTreeNode>();
    node->flags = h.flags;
    node->position = h.position;
    node->className = std::string(h.className);
    node->name = std::string(h.name);
    FormTreeNode* raw = node.get();
    if (stack_.empty()) {
      root_ = std::move(node);
    } else {
      node->parent = stack_.back();
      stack_.back()->children.push_back(std::move(node));
    }
    stack_.push_back(raw);
  }
  void EndComponent() override { stack_.pop_back(); }
  void Property(std::string_view name) override {
    if (inValue_ && builder_.InItem()) {
      builder_.ItemProperty(name);
      return;
    }
    property_ = std::string(name);
    inValue_ = true;
  }
  void Scalar(const FormScalar& v) override {
    if (builder_.Scalar(v)) Complete();
  }
  void BeginList() override { builder_.BeginList(); }
  void EndList() override {
    if (builder_.EndList()) Complete();
  }
  void BeginCollection() override { builder_.BeginCollection(); }
  void BeginItem(bool hasOrder, const FormScalar& order) override { builder_.BeginItem(hasOrder, order); }
  void EndItem() override { builder_.EndItem(); }
  void EndCollection() override {
    if (builder_.EndCollection()) Complete();
  }

 private:
  void Complete() {
    inValue_ = false;
    stack_.back()->properties.emplace_back(std::move(property_), builder_.Take());
  }

  std::unique_ptr<FormTreeNode> root_;
  std::vector<FormTreeNode*> stack_;
  TFormNodeBuilder builder_;
  std::string property_;
  bool inValue_ = false;
};

std::unique_ptr<FormTreeNode> ParseTree(const TStringList& lines) {
  TMemoryStream text;
  lines.SaveToStream(text);
  text.SetPosition(0);
  TreeBuilder builder;
  ReadFormText(text, builder);
  return builder.Take();
}

// The class of a root header "inherited Name: TClass [n]"; empty for a root
// that does not inherit.
std::string InheritedRootClass(const TStringList& lines) {
  if (lines.Lines().empty()) return {};
  std::string header = Trim(lines.Lines()[0]);
  if (header.size() < 10 || !SameText(header.substr(0, 9), "inherited") || !IsBlank(header[9])) return {};
  size_t colon = header.find(':');
  if (colon == std::string::npos) return {};
  return std::string(WithoutPosition(Trim(std::string_view(header).substr(colon + 1))));
}

}  // namespace

// ---------------------------------------------------------------------------
// TInheritedForm

TInheritedForm::TInheritedForm(
    const std::string& formFile, ClassRegisteredFn isRegistered, RewriteLevelFn rewriteLevel, TFormLoad& load)
    : file_(formFile),
      isRegistered_(std::move(isRegistered)),
      rewriteLevel_(std::move(rewriteLevel)),
      load_(load),
      sources_(formFile, load.log) {
  rewriteClasses_ = [this](std::string_view className) {
    if (isRegistered_(className)) return true;
    std::string_view bare = WithoutPosition(className);
    return bare == className && !sources_.FormOfClass(bare).empty();
  };
}

TInheritedForm::~TInheritedForm() = default;

bool TInheritedForm::NeedsResolving(const TStringList& rewritten) const {
  const auto& lines = rewritten.Lines();
  if (lines.empty()) return false;
  if (!InheritedRootClass(rewritten).empty()) return true;
  // A frame whose form was found kept its unregistered class. "object"
  // headers never do: an unregistered one is a placeholder by now.
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string_view t = lines[i];
    while (!t.empty() && IsBlank(t.front())) t.remove_prefix(1);
    if (t.size() <= 7 || !SameText(t.substr(0, 7), "inline ")) continue;
    size_t colon = t.find(':');
    if (colon == std::string_view::npos) continue;
    std::string cls(WithoutPosition(Trim(t.substr(colon + 1))));
    if (!cls.empty() && !isRegistered_(cls) && !SameText(cls, "TUnknown")) return true;
  }
  return false;
}

std::string TInheritedForm::Shown(const fs::path& p) const {
  fs::path rel = p.lexically_relative(sources_.FormDir());
  return rel.empty() ? p.string() : rel.generic_string();
}

std::string TInheritedForm::MissingLine(std::string_view ancestor, std::string_view className) {
  if (ancestor == "?")
    return "Ancestor of [" + std::string(className) + "] not found: no unit declares the class; looked in " +
           sources_.Where();
  return "Ancestor [" + std::string(ancestor) + "] of [" + std::string(className) +
         "] not found: no unit with a form declares it; looked in " + sources_.Where();
}

void TInheritedForm::Enter(const fs::path& file, int depth) {
  std::error_code ec;
  fs::path canonical = fs::weakly_canonical(file, ec);
  for (const fs::path& open : reading_)
    if (open == canonical) {
      std::string loop;
      for (const fs::path& p : reading_) loop += Shown(p) + " -> ";
      throw EReadError("Inherited forms form a loop: " + loop + Shown(canonical));
    }
  if (depth > kMaxAncestorDepth)
    throw EReadError(
        "Inherited forms nest deeper than " + std::to_string(kMaxAncestorDepth) + " levels at " + Shown(canonical));
  reading_.push_back(canonical);
}

void TInheritedForm::Grow(size_t by) {
  resolvedSize_ += by;
  if (resolvedSize_ > kMaxResolvedSize)
    throw EReadError(
        "The form resolved with its ancestors and frames holds more than " + std::to_string(kMaxResolvedSize) +
        " components and properties (frames placed many times in frames that are placed many times)");
}

std::unique_ptr<FormTreeNode> TInheritedForm::Copy(const FormTreeNode& node) {
  Grow(1 + node.properties.size());
  auto copy = std::make_unique<FormTreeNode>();
  copy->flags = node.flags;
  copy->position = node.position;
  copy->className = node.className;
  copy->name = node.name;
  copy->properties = node.properties;
  copy->children.reserve(node.children.size());
  for (const auto& c : node.children) {
    copy->children.push_back(Copy(*c));
    copy->children.back()->parent = copy.get();
  }
  return copy;
}

// Reads, rewrites and parses one ancestor or frame form. Its own failures
// are reported with its name and what it is.
std::unique_ptr<FormTreeNode> TInheritedForm::ReadLevel(const fs::path& file, TFormFileRead::Role role) {
  const char* what = role == TFormFileRead::frFrame ? "frame form " : "ancestor form ";
  const char* encoding = "form text";
  try {
    std::string bytes = ReadFormSource(file.string());
    load_.files.push_back({file.string(), role});
    if (bytes.empty()) throw EReadError("the file is empty");
    if (bytes.size() < 6) throw EReadError("the file is too short to be a form file");
    TMemoryStream input;
    input.WriteBuffer(bytes.data(), bytes.size());
    input.SetPosition(0);
    TStringList lines;
    if (FormTextStart(input) < 0) encoding = "binary form";
    if (ReadFormLines(input, lines)) encoding = "form text converted from a binary form";
    rewriteLevel_(lines, load_.log, rewriteClasses_);
    return ParseTree(lines);
  } catch (const Exception& e) {
    throw EReadError("In the " + std::string(what) + Shown(file) + " (" + encoding + "): " + e.what());
  }
}

std::unique_ptr<FormTreeNode> TInheritedForm::LoadLevel(
    const fs::path& file, TFormFileRead::Role role, const std::string& logLine, int depth) {
  std::error_code ec;
  fs::path canonical = fs::weakly_canonical(file, ec);
  if (auto it = resolved_.find(canonical); it != resolved_.end()) return Copy(*it->second);
  Enter(file, depth);
  load_.log.Add(logLine + Shown(file));
  auto tree = Flatten(ReadLevel(file, role), file, depth);
  reading_.pop_back();
  auto copy = Copy(*tree);
  resolved_.emplace(canonical, std::move(tree));
  return copy;
}

std::unique_ptr<FormTreeNode> TInheritedForm::Flatten(
    std::unique_ptr<FormTreeNode> level, const fs::path& file, int depth) {
  std::unique_ptr<FormTreeNode> base;
  if (level->flags & ffInherited) {
    std::string ancestor = sources_.AncestorOf(file, level->className);
    if (ancestor.empty() || !IsFrameworkFormClass(ancestor)) {
      fs::path form = ancestor.empty() ? fs::path() : sources_.FormOfClass(ancestor);
      if (form.empty()) {
        std::string missing = MissingLine(ancestor.empty() ? "?" : ancestor, level->className);
        load_.log.Add(missing);
        if (load_.missingAncestor.empty()) load_.missingAncestor = missing;
      } else {
        base = LoadLevel(form, TFormFileRead::frAncestor, "Inherits [" + ancestor + "] from ", depth + 1);
      }
    }
  }
  if (!base) base = std::make_unique<FormTreeNode>();
  base->flags = 0;
  base->position = 0;
  base->className = level->className;
  base->name = level->name;
  base->SetProperties(std::move(level->properties));
  for (auto& child : level->children) Apply(*child, *base, *base, depth);
  return base;
}

std::string TInheritedForm::RegisteredBase(const fs::path& file, std::string className) {
  fs::path at = file;
  for (int k = 0; k < kMaxAncestorDepth && !className.empty(); ++k) {
    if (isRegistered_(className)) return className;
    className = sources_.AncestorOf(at, className);
    fs::path form = sources_.FormOfClass(className);
    if (!form.empty()) at = form;
  }
  return "TFrame";
}

void TInheritedForm::Apply(FormTreeNode& source, FormTreeNode& parent, FormTreeNode& scope, int depth) {
  const bool atIndex = (source.flags & ffChildPos) != 0;
  FormTreeNode* target = (source.flags & ffInherited) ? scope.FindOwned(source.name) : nullptr;
  if (target && target->Contains(&parent)) target = nullptr;  // cannot hold itself
  if (target) {
    if (target->parent != &parent || atIndex)
      target = parent.Insert(target->parent->Detach(target), atIndex, source.position);
  } else {
    std::unique_ptr<FormTreeNode> node;
    // Only a frame ("inline") is read from a form of its own.
    const bool frameHeader = (source.flags & ffInline) != 0;
    fs::path frame =
        !frameHeader || isRegistered_(source.className) ? fs::path() : sources_.FormOfClass(source.className);
    if (!frame.empty()) {
      node = LoadLevel(frame, TFormFileRead::frFrame, "Frame [" + source.className + "] from ", depth + 1);
      node->flags = ffInline;
      node->className = RegisteredBase(frame, source.className);
    } else {
      Grow(1);
      node = std::make_unique<FormTreeNode>();
      node->flags = source.flags & ffInline;
      node->className = source.className;
    }
    node->name = source.name;
    target = parent.Insert(std::move(node), atIndex, source.position);
  }
  Grow(source.properties.size());
  target->SetProperties(std::move(source.properties));
  FormTreeNode& inner = (target->flags & ffInline) ? *target : scope;
  for (auto& child : source.children) Apply(*child, *target, inner, depth);
}

void TInheritedForm::Resolve(const TStringList& rewritten, FormEvents& sink) {
  reading_.clear();
  Enter(file_, 0);
  auto tree = Flatten(ParseTree(rewritten), file_, 0);
  reading_.clear();
  tree->Emit(sink);
}

std::string ResolvedFormText(TFormLoad& load) {
  TMemoryStream text;
  load.resource.SetPosition(0);
  ObjectResourceToText(load.resource, text);
  load.resource.SetPosition(0);
  return std::string(text.Memory(), size_t(text.Size()));
}
