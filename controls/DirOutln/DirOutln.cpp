#include "DirOutln.h"

#include <memory>

#include "core/Ascii.h"
#include "core/FormStrings.h"
#include "core/RangeChecks.h"

const TEnumInfo& TextCaseEnumInfo() {
  static const TEnumInfo info{"TTextCase", {"tcLowerCase", "tcUpperCase", "tcAsIs"}};
  return info;
}

namespace {

// The listed mark an item's Data carries once its subdirectories were read.
void* const kListed = reinterpret_cast<void*>(uintptr_t(1));

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// Runs the runtime's FindClose however the listing ends.
struct SearchCloser {
  TSearchRec& rec;
  ~SearchCloser() { FindClose(rec); }
};

}  // namespace

const TClassInfo& TDirectoryOutline::StaticClassInfo() {
  using C = TDirectoryOutline;
  static const TClassInfo info =
      ClassBuilder<C>("TDirectoryOutline", &TCustomOutline::StaticClassInfo())
          .Publish("TabStop", 1)
          .Publish("Align")
          .Publish("Anchors")
          .Publish("BorderStyle")
          .Publish("Color", int64_t(clWindow))
          .Publish("Constraints")
          .Publish("Ctl3D")
          .Publish("DragCursor")
          .Publish("DragKind")
          .Publish("DragMode")
          .Publish("Enabled")
          .Publish("Font")
          .Publish("ItemHeight")
          .Publish("Options", 6)
          .Publish("ParentColor", 0)
          .Publish("ParentCtl3D")
          .Publish("ParentFont")
          .Publish("ParentShowHint")
          .Publish("PictureClosed")
          .Publish("PictureLeaf")
          .Publish("PictureOpen")
          .Publish("PopupMenu")
          .Publish("ScrollBars")
          .Publish("Style")
          .Publish("ShowHint")
          .Publish("TabOrder")
          .Enum("TextCase", TextCaseEnumInfo(), &C::TextCase, &C::SetTextCase, tcLowerCase)
          .Publish("Visible")
          .Event("OnChange", &C::OnChange)
          .Publish("OnClick")
          .Publish("OnCollapse")
          .Publish("OnDblClick")
          .Publish("OnDragDrop")
          .Publish("OnDragOver")
          .Publish("OnDrawItem")
          .Publish("OnEndDock")
          .Publish("OnEndDrag")
          .Publish("OnEnter")
          .Publish("OnExit")
          .Publish("OnExpand")
          .Publish("OnKeyDown")
          .Publish("OnKeyPress")
          .Publish("OnKeyUp")
          .Publish("OnMouseDown")
          .Publish("OnMouseMove")
          .Publish("OnMouseUp")
          .Publish("OnStartDock")
          .Publish("OnStartDrag")
          .Build();
  return info;
}

TDirectoryOutline::TDirectoryOutline(TComponent* owner) : TCustomOutline(owner) {
  // Items without children, which include every item not listed yet, look
  // like closed folders.
  SetPictureLeaf(PictureClosed());
  MarkPicturesAsDefault();
  SetOptions(OutlineOption(ooDrawFocusRect));
  UpdateCaseFunction();
}

// ---------------------------------------------------------------------------
// Case conversion and paths

void TDirectoryOutline::UpdateCaseFunction() {
  switch (FTextCase) {
    case tcLowerCase: FCaseFunction = &AnsiLowerCaseFileName; break;
    case tcUpperCase: FCaseFunction = &AnsiUpperCaseFileName; break;
    default: FCaseFunction = nullptr;
  }
}

std::string TDirectoryOutline::ConvertCase(const std::string& text) const {
  return FCaseFunction ? FCaseFunction(text) : text;
}

std::string TDirectoryOutline::DirectoryOfItem(int index) const {
  std::string path = GetFullPath(index);
  const size_t colon = path.find(":\\\\");
  if (colon != std::string::npos) path.erase(colon + 2, 1);
  return path;
}

bool TDirectoryOutline::SameDriveLetter(char a, char b) { return AsciiUpper(a) == AsciiUpper(b); }

void TDirectoryOutline::FillFromCurrentDirectory() {
  const std::string d = ConvertCase(GetDir(0));
  FDrive = CharAt(d, 1);
  FDirectory = d;
}

// ---------------------------------------------------------------------------
// Listing

int TDirectoryOutline::FindInsertPosition(TOutlineNode* node, const std::string& name) const {
  // A binary search over the children, by position in the child list: the
  // same answer as one over item indexes while the children are leaves (as
  // during a listing), and still right when they have children of their own.
  const int count = node->ChildCount();
  if (count == 0) return kInvalidOutlineIndex;
  if (name <= node->Child(0)->Text()) return node->Child(0)->Index();
  if (name >= node->Child(count - 1)->Text()) return kInvalidOutlineIndex;
  int lo = 0, hi = count - 1;
  while (lo < hi - 1) {
    int mid = CheckedAdd(lo, hi) / 2;
    if (mid == lo) mid = CheckedAdd(mid, 1);
    if (name > node->Child(mid)->Text())
      lo = mid;
    else
      hi = mid;
  }
  return node->Child(hi)->Index();
}

std::string TDirectoryOutline::HostDirectoryOfItem(int index) const {
  std::string path;
  for (const TOutlineNode* node = Items(index); node && node->Parent(); node = node->Parent()) {
    if (!node->Parent()->Parent()) {
      path.insert(0, node->Text());  // the drive's root, "c:\"
      break;
    }
    auto host = hostNames_.find(node);
    path.insert(0, "\\" + (host == hostNames_.end() ? node->Text() : host->second));
  }
  const size_t colon = path.find(":\\\\");
  if (colon != std::string::npos) path.erase(colon + 2, 1);
  return path;
}

void TDirectoryOutline::ListChildren(int index) {
  auto info = std::make_unique<TNodeInfo>();
  info->Pattern = HostDirectoryOfItem(index);
  if (!info->Pattern.empty() && info->Pattern.back() != '\\') info->Pattern += '\\';
  info->Pattern += "*.*";
  info->Node = Items(index);
  {
    SearchCloser closer{info->SearchRec};
    BeginUpdate();
    struct UpdateEnder {
      TCustomOutline* o;
      ~UpdateEnder() { o->EndUpdate(); }
    } ender{this};
    info->SearchResult = FindFirst(info->Pattern, faDirectory, info->SearchRec);
    while (info->SearchResult == 0) {
      const TSearchRec& rec = info->SearchRec;
      if ((rec.Attr & faDirectory) && CharAt(rec.Name, 1) != '.') {
        const std::string name = ConvertCase(rec.Name);
        if (!info->Node->HasItems()) {
          info->NewItem = AddChild(index, name);
        } else {
          info->InsertPosition = FindInsertPosition(info->Node, name);
          info->NewItem =
              info->InsertPosition == kInvalidOutlineIndex
                  ? Add(info->Node->GetLastChild(), name)
                  : Insert(info->InsertPosition, name);
        }
        hostNames_[Items(info->NewItem)] = rec.Name;
      }
      info->SearchResult = FindNext(info->SearchRec);
    }
  }
  info->Node->SetData(kListed);
}

void TDirectoryOutline::ListSubtree(int index) {
  ListChildren(index);
  TOutlineNode* node = Items(index);
  for (int i = 0; i < node->ChildCount(); ++i) ListSubtree(node->Child(i)->Index());
}

void TDirectoryOutline::Expand(int index) {
  if (Items(index)->Data() == nullptr) ListChildren(index);
  TCustomOutline::Expand(index);
}

// ---------------------------------------------------------------------------
// The tree and the walk

void TDirectoryOutline::RebuildTree() {
  // A control read from a form with the default case rule has no drive yet:
  // take the current directory's, as window creation does.
  if (FDrive == '\0') FillFromCurrentDirectory();
  Clear();
  hostNames_.clear();
  AddChild(0, ConvertCase(std::string(1, FDrive) + ":\\"));
  SelectPath(FDirectory);
  Change();
}

int TDirectoryOutline::FindChildNamed(int current, const std::string& name) {
  TOutlineNode* node = Items(current);
  node->SetExpanded(true);
  for (int i = 0; i < node->ChildCount(); ++i)
    if (node->Child(i)->Text() == name) return node->Child(i)->Index();
  return kInvalidOutlineIndex;
}

void TDirectoryOutline::SelectPath(const std::string& path) {
  int current = 1;
  std::string s = ConvertCase(path);
  const size_t colon = s.find(':');
  if (colon != std::string::npos) s.erase(0, colon + 1);
  if (!s.empty() && CharAt(s, 1) == '\\') s.erase(0, 1);
  while (!s.empty()) {
    const size_t slash = s.find('\\');
    const std::string component = s.substr(0, slash);
    s = slash == std::string::npos ? std::string() : s.substr(slash + 1);
    // A component without a matching item (a hidden folder, another letter
    // case) ends the walk at the last item found.
    const int next = FindChildNamed(current, component);
    if (next == kInvalidOutlineIndex) break;
    current = next;
  }
  SetSelectedItem(current);
}

void TDirectoryOutline::Change() {
  if (OnChange) OnChange.code(this);
}

// ---------------------------------------------------------------------------
// Setters

void TDirectoryOutline::SetDirectory(const std::string& value) {
  if (value.empty()) return;
  // The host folder is reached by the path as given; the control keeps it
  // in its case rule.
  std::string host = EndsWith(value, ":\\") ? value : ExpandFileName(value);
  if (host.size() > 3 && host.back() == '\\') host.pop_back();
  const std::string path = ConvertCase(host);
  if (AnsiCompareFileName(path, FDirectory) == 0 && IsWorkingDirectory(host)) return;
  // The working directory changes first: a failure leaves the control as it was.
  ChDir(host);
  FDirectory = path;
  if (CharAt(path, 1) != FDrive) {
    SetDrive(CharAt(path, 1));
    return;
  }
  if (EndsWith(FDirectory, ":\\")) SelectPath(path);
  Change();
}

bool TDirectoryOutline::IsWorkingDirectory(const std::string& path) {
  std::string wanted, current;
  // Names the host cannot resolve compare as the same folder, as they did
  // ignoring case.
  if (!HostPathOf(path, wanted) || !HostPathOf(GetDir(0), current)) return true;
  return wanted == current;
}

void TDirectoryOutline::SetDrive(char letter) {
  const char up = AsciiUpper(letter);
  if (up < 'A' || up > 'Z') return;
  if (FDrive != '\0' && SameDriveLetter(letter, FDrive)) return;
  // Only a drive that could be entered is stored.
  ChDir(std::string(1, letter) + ":\\");
  FDrive = letter;
  FDirectory = ConvertCase(GetDir(0));
  if (!HasState(csLoading)) RebuildTree();
}

void TDirectoryOutline::SetTextCase(TTextCase value) {
  if (value == FTextCase) return;
  FTextCase = value;
  UpdateCaseFunction();
  if (value == tcAsIs) {
    const std::string d = GetDir(0);
    FDrive = CharAt(d, 1);
    FDirectory = d;
  }
  if (!HasState(csLoading)) RebuildTree();
}

// ---------------------------------------------------------------------------
// Life cycle and input

void TDirectoryOutline::CreateWnd() {
  TCustomOutline::CreateWnd();
  if (FDrive == '\0') FillFromCurrentDirectory();
  if (HasState(csDesigning) && !HasState(csLoading)) RebuildTree();
}

void TDirectoryOutline::Loaded() {
  TCustomOutline::Loaded();
  UpdateCaseFunction();
  RebuildTree();
}

std::string TDirectoryOutline::DisplayText(const TOutlineNode& node) const { return FormStringFromUtf8(node.Text()); }

void TDirectoryOutline::KeyPress(char& key) {
  const int selected = SelectedItem();
  if (key != '*' || selected == 0) {
    TCustomOutline::KeyPress(key);
    return;
  }
  TOutlineNode* node = Items(selected);
  node->Expand();
  for (int i = 0; i < node->ChildCount(); ++i) node->Child(i)->Expand();
  key = 0;
}

void TDirectoryOutline::Click() {
  TCustomOutline::Click();
  SetDirectory(HostDirectoryOfItem(SelectedItem()));
}
