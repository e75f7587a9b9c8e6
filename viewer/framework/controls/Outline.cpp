#include "Outline.h"

#include <algorithm>

#include "ContentReport.h"
#include "TextCodecs.h"
#include "core/Exceptions.h"
#include "core/FormNode.h"
#include "core/FormStrings.h"

// The default pictures live in this library's Qt resources; a static
// library must register them explicitly before the first lookup.
static void EnsureOutlinePictureResources() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(outline_pictures);
    return true;
  }();
  (void)registered;
}

const TEnumInfo& OutlineStyleEnumInfo() {
  static const TEnumInfo e{
      "TOutlineStyle",
      {"osText", "osPlusMinusText", "osPictureText", "osPlusMinusPictureText", "osTreeText", "osTreePictureText"}};
  return e;
}
const TEnumInfo& OutlineOptionEnumInfo() {
  static const TEnumInfo e{"TOutlineOption", {"ooDrawTreeRoot", "ooDrawFocusRect", "ooStretchBitmaps"}};
  return e;
}
const TEnumInfo& OutlineTypeEnumInfo() {
  static const TEnumInfo e{"TOutlineType", {"otStandard", "otOwnerDraw"}};
  return e;
}

// ---------------------------------------------------------------------------
// TOutlineStrings: the items as lines, one tab of indentation per level.

class TOutlineStrings : public TStrings {
  TESSALY_CLASS(TOutlineStrings)

 public:
  explicit TOutlineStrings(TCustomOutline* outline) : outline_(outline) {}
  // Outlines store their lines as "Nodes", one tab of indentation per level;
  // lists written as "Strings" read as well.
  void DefineProperties(TFiler& filer) override {
    TStrings::DefineProperties(filer);
    // "Nodes" reads as the lines' own "Strings" does.
    struct StringsReader : TFiler {
      std::function<void(const TFormNode&)> read;
      void DefineProperty(
          const std::string& name, std::function<void(const TFormNode&)> r, std::function<TFormNode()>, bool) override {
        if (name == "Strings") read = std::move(r);
      }
    } strings;
    TStrings::DefineProperties(strings);
    filer.DefineProperty("Nodes", std::move(strings.read), nullptr, false);
  }
  int Count() const override { return outline_->ItemCount(); }
  std::string Get(int index) const override {
    if (index < 0 || index >= Count()) ListIndexError(index);
    const TOutlineNode* node = outline_->Items(index + 1);
    return std::string(size_t(node->Level() - 1), '\t') + node->Text();
  }
  void Put(int index, const std::string& s) override {
    Edit(index, [&](auto& lines) { lines[size_t(index)] = s; });
  }
  void Insert(int index, const std::string& s) override {
    if (index == Count()) {
      Append(s);
      return;
    }
    Edit(index, [&](auto& lines) { lines.insert(lines.begin() + index, s); });
  }
  void Delete(int index) override {
    Edit(index, [&](auto& lines) { lines.erase(lines.begin() + index); });
  }
  void Clear() override { outline_->Clear(); }

 protected:
  void SetUpdateState(bool updating) override {
    if (updating)
      outline_->BeginUpdate();
    else
      outline_->EndUpdate();
  }

 private:
  // A line after the last item: its level is one more than its leading
  // tabs or blanks, at most one deeper than the item before it.
  void Append(const std::string& line) {
    size_t blanks = 0;
    while (blanks < line.size() && (line[blanks] == '\t' || line[blanks] == ' ')) ++blanks;
    const int count = Count();
    TOutlineNode* parent = count ? outline_->Items(count) : outline_->RootNode();
    const int level = int(std::min<size_t>(blanks + 1, size_t(parent->Level() + 1)));
    while (parent->Level() >= level) parent = parent->Parent();
    outline_->AddChild(parent->Index(), line.substr(blanks));
  }
  template <class F>
  void Edit(int index, F change) {
    if (index < 0 || index >= Count()) ListIndexError(index);
    std::vector<std::string> lines;
    for (int i = 0; i < Count(); ++i) lines.push_back(Get(i));
    change(lines);
    BeginUpdate();
    try {
      outline_->Clear();
      for (const std::string& l : lines) Append(l);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }

  TCustomOutline* outline_;
};

const TClassInfo& TOutlineStrings::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TOutlineStrings>("TOutlineStrings", &TStrings::StaticClassInfo()).Build();
  return info;
}

// ---------------------------------------------------------------------------
// TOutlineNode

TOutlineNode::TOutlineNode(TCustomOutline* outline, TOutlineNode* parent, std::string text)
    : outline_(outline), parent_(parent), text_(std::move(text)) {}

TOutlineNode::~TOutlineNode() = default;

void TOutlineNode::SetText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  outline_->LooksChanged();
}

int TOutlineNode::Level() const {
  int level = 0;
  for (const TOutlineNode* p = parent_; p; p = p->parent_) ++level;
  return level;
}

int TOutlineNode::Index() const {
  if (!outline_->indexValid_) outline_->RebuildIndex();
  return index_;
}

bool TOutlineNode::IsVisible() const {
  for (const TOutlineNode* p = parent_; p && p->parent_; p = p->parent_)
    if (!p->expanded_) return false;
  return parent_ != nullptr;
}

void TOutlineNode::SetExpanded(bool value) {
  if (value == expanded_ || !parent_) return;
  if (value)
    outline_->Expand(Index());
  else
    outline_->Collapse(Index());
}

void TOutlineNode::FullExpand() {
  if (parent_) SetExpanded(true);
  // Expanding may have added children (a listing): walk them afterwards.
  for (size_t i = 0; i < children_.size(); ++i) children_[i]->FullExpand();
}

void TOutlineNode::FullCollapse() {
  for (auto& child : children_) child->FullCollapse();
  if (parent_) SetExpanded(false);
}

int TOutlineNode::PositionOf(const TOutlineNode* child) const {
  for (size_t i = 0; i < children_.size(); ++i)
    if (children_[i].get() == child) return int(i);
  return -1;
}

int TOutlineNode::GetFirstChild() const {
  return children_.empty() ? kInvalidOutlineIndex : children_.front()->Index();
}
int TOutlineNode::GetLastChild() const { return children_.empty() ? kInvalidOutlineIndex : children_.back()->Index(); }

int TOutlineNode::GetNextChild(int child) const {
  const int i = PositionOf(outline_->Items(child));
  return (i < 0 || size_t(i) + 1 >= children_.size()) ? kInvalidOutlineIndex : children_[size_t(i) + 1]->Index();
}

int TOutlineNode::GetPrevChild(int child) const {
  const int i = PositionOf(outline_->Items(child));
  return i <= 0 ? kInvalidOutlineIndex : children_[size_t(i) - 1]->Index();
}

std::string TOutlineNode::FullPath() const {
  if (!parent_) return std::string();
  if (!parent_->parent_) return text_;
  return parent_->FullPath() + outline_->ItemSeparator() + text_;
}

// ---------------------------------------------------------------------------
// TCustomOutline: class information

const TClassInfo& TCustomOutline::StaticClassInfo() {
  using C = TCustomOutline;
  static const TClassInfo info =
      ClassBuilder<C>("TCustomOutline", &TCustomControl::StaticClassInfo())
          .Enum("BorderStyle", EditBorderStyleEnumInfo(), &C::BorderStyle, &C::SetBorderStyle, ebsSingle)
          .Protected()
          .Integer("ItemHeight", &C::ItemHeight, &C::SetItemHeight)
          .Protected()
          .String("ItemSeparator", &C::ItemSeparator, &C::SetItemSeparator)
          .Protected()
          .Object("Lines", &TStrings::StaticClassInfo, &C::Lines, &C::SetLines)
          .Protected()
          .Set("Options", OutlineOptionEnumInfo(), &C::Options, &C::SetOptions, 3)
          .Protected()
          .Enum("OutlineStyle", OutlineStyleEnumInfo(), &C::OutlineStyle, &C::SetOutlineStyle, osTreePictureText)
          .Protected()
          .Object("PictureClosed", &TBitmap::StaticClassInfo, &C::PictureClosed, &C::SetPictureClosed)
          .StoredWhen([](const C* o) { return o->PictureStored(obClose); })
          .Protected()
          .Object("PictureLeaf", &TBitmap::StaticClassInfo, &C::PictureLeaf, &C::SetPictureLeaf)
          .StoredWhen([](const C* o) { return o->PictureStored(obLeaf); })
          .Protected()
          .Object("PictureMinus", &TBitmap::StaticClassInfo, &C::PictureMinus, &C::SetPictureMinus)
          .StoredWhen([](const C* o) { return o->PictureStored(obMinus); })
          .Protected()
          .Object("PictureOpen", &TBitmap::StaticClassInfo, &C::PictureOpen, &C::SetPictureOpen)
          .StoredWhen([](const C* o) { return o->PictureStored(obOpen); })
          .Protected()
          .Object("PicturePlus", &TBitmap::StaticClassInfo, &C::PicturePlus, &C::SetPicturePlus)
          .StoredWhen([](const C* o) { return o->PictureStored(obPlus); })
          .Protected()
          .Enum("ScrollBars", ScrollStyleEnumInfo(), &C::ScrollBars, &C::SetScrollBars, ssBoth)
          .Protected()
          .Enum("Style", OutlineTypeEnumInfo(), &C::Style, &C::SetStyle, otStandard)
          .Protected()
          .Event("OnCollapse", &C::OnCollapse)
          .Protected()
          .Event("OnDrawItem", &C::OnDrawItem)
          .Protected()
          .Event("OnExpand", &C::OnExpand)
          .Protected()
          .Build();
  return info;
}

void TCustomOutline::DefineProperties(TFiler& filer) {
  TCustomControl::DefineProperties(filer);
  // The designer stores the items' data beside the lines. Nothing here uses
  // it (the lines carry the texts); the bytes are kept to be written back.
  filer.DefineProperty(
      "Data",
      [this](const TFormNode& v) {
        if (v.type != TValueType::vaBinary) throw EReadError("Invalid property value");
        storedData_ = v.bytes;
      },
      [this] { return TFormNode::Binary(storedData_); }, !storedData_.empty());
}

// ---------------------------------------------------------------------------
// TCustomOutline: items

TCustomOutline::TCustomOutline(TComponent* owner)
    : TCustomControl(owner),
      root_(std::make_unique<TOutlineNode>(this, nullptr, std::string())),
      lines_(std::make_unique<TOutlineStrings>(this)) {
  root_->expanded_ = true;
  // Selection happens on the press; a release does not click again.
  SetControlStyle(ControlStyle() & ~csClickEvents);
  EnsureOutlinePictureResources();
  static const char* const kDefaultPictures[5] = {
      "OutlinePlus", "OutlineMinus", "OutlineOpen", "OutlineClosed", "OutlineLeaf"};
  for (size_t i = 0; i < pictures_.size(); ++i) {
    pictures_[i] = std::make_unique<TBitmap>();
    pictures_[i]->LoadFromResourceName(kDefaultPictures[i]);
    pictures_[i]->OnChange = [this, i] {
      pictureChanged_[i] = true;
      LooksChanged();
    };
  }
  MarkPicturesAsDefault();
  SetTabStop(true);
  SetBounds(Left(), Top(), 121, 97);
  SetColor(clWindow);
  SetParentColor(false);
}

TCustomOutline::~TCustomOutline() = default;

void TCustomOutline::RebuildIndex() const {
  items_.clear();
  std::vector<TOutlineNode*> stack{root_.get()};
  while (!stack.empty()) {
    TOutlineNode* node = stack.back();
    stack.pop_back();
    node->index_ = int(items_.size());
    items_.push_back(node);
    for (auto it = node->children_.rbegin(); it != node->children_.rend(); ++it) stack.push_back(it->get());
  }
  indexValid_ = true;
}

void TCustomOutline::ItemsChanged() {
  indexValid_ = false;
  rowsValid_ = false;
  contentWidth_ = -1;
  if (updateCount_ == 0) Invalidate();
}

int TCustomOutline::ItemCount() const {
  if (!indexValid_) RebuildIndex();
  return int(items_.size()) - 1;
}

TOutlineNode* TCustomOutline::Items(int index) const {
  if (!indexValid_) RebuildIndex();
  if (index < 0 || size_t(index) >= items_.size()) throw EOutlineError(SOutlineIndexError);
  return items_[size_t(index)];
}

TOutlineNode* TCustomOutline::NewNode(TOutlineNode* parent, const std::string& text, int position) {
  auto node = std::make_unique<TOutlineNode>(this, parent, text);
  TOutlineNode* raw = node.get();
  parent->children_.insert(parent->children_.begin() + position, std::move(node));
  ItemsChanged();
  return raw;
}

int TCustomOutline::Add(int index, const std::string& text) {
  TOutlineNode* parent = index == 0 ? root_.get() : Items(index)->parent_;
  return NewNode(parent, text, parent->ChildCount())->Index();
}

int TCustomOutline::AddChild(int index, const std::string& text) {
  TOutlineNode* parent = Items(index);
  return NewNode(parent, text, parent->ChildCount())->Index();
}

int TCustomOutline::Insert(int index, const std::string& text) {
  if (index == 0) return Add(0, text);
  TOutlineNode* before = Items(index);
  return NewNode(before->parent_, text, before->parent_->PositionOf(before))->Index();
}

namespace {
// The number of items below a node.
int DescendantCount(const TOutlineNode* node) {
  int n = node->ChildCount();
  for (int i = 0; i < node->ChildCount(); ++i) n += DescendantCount(node->Child(i));
  return n;
}
}  // namespace

void TCustomOutline::Delete(int index) {
  if (index == 0) throw EOutlineError(SOutlineIndexError);
  TOutlineNode* node = Items(index);
  // A selection inside the removed subtree goes.
  const int selected = SelectedItem();
  if (selected >= index && selected <= index + DescendantCount(node)) selectedNode_ = nullptr;
  TOutlineNode* parent = node->parent_;
  parent->children_.erase(parent->children_.begin() + parent->PositionOf(node));
  ItemsChanged();
  ClampTopRow();
}

void TCustomOutline::Clear() {
  root_->children_.clear();
  selectedNode_ = nullptr;
  topRow_ = 0;
  ItemsChanged();
}

int TCustomOutline::GetNextChild(int index) const {
  const TOutlineNode* node = Items(index);
  return node->parent_ ? node->parent_->GetNextChild(index) : kInvalidOutlineIndex;
}

int TCustomOutline::GetPrevChild(int index) const {
  const TOutlineNode* node = Items(index);
  return node->parent_ ? node->parent_->GetPrevChild(index) : kInvalidOutlineIndex;
}

void TCustomOutline::FullExpand() { root_->FullExpand(); }
void TCustomOutline::FullCollapse() { root_->FullCollapse(); }

void TCustomOutline::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Invalidate();
}

TStrings* TCustomOutline::Lines() const { return lines_.get(); }

void TCustomOutline::SetLines(TStrings* lines) {
  if (lines) lines_->Assign(*lines);
}

void TCustomOutline::SetSelectedItem(int index) {
  TOutlineNode* node = Items(index);
  if (index != 0) {
    // Every ancestor must be open for the item to have a row.
    std::vector<TOutlineNode*> ancestors;
    for (TOutlineNode* p = node->parent_; p && p->parent_; p = p->parent_) ancestors.push_back(p);
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) (*it)->SetExpanded(true);
    index = node->Index();  // expanding may have renumbered
  }
  selectedNode_ = index ? node : nullptr;
  if (index) ScrollIntoView(index);
  Invalidate();
}

void TCustomOutline::RaiseChange(TMethod& event, TOutlineChangeEvent& proc, int index) {
  if (proc)
    proc(this, index);
  else if (event)
    event.code(this);
}

void TCustomOutline::Expand(int index) {
  TOutlineNode* node = Items(index);
  node->expanded_ = true;
  rowsValid_ = false;
  RaiseChange(OnExpand, OnExpandProc, index);
  Invalidate();
}

void TCustomOutline::Collapse(int index) {
  TOutlineNode* node = Items(index);
  node->expanded_ = false;
  rowsValid_ = false;
  // A selection inside the closed subtree moves up to the closed item.
  const int selected = SelectedItem();
  if (selected > index && selected <= index + DescendantCount(node)) selectedNode_ = node;
  ClampTopRow();
  RaiseChange(OnCollapse, OnCollapseProc, index);
  Invalidate();
}

// ---------------------------------------------------------------------------
// TCustomOutline: looks

void TCustomOutline::LooksChanged() {
  contentWidth_ = -1;
  ClampTopRow();
  Invalidate();
}

void TCustomOutline::SetOutlineStyle(TOutlineStyle v) {
  if (v == outlineStyle_) return;
  outlineStyle_ = v;
  LooksChanged();
}
void TCustomOutline::SetOptions(TOutlineOptions v) {
  if (v == options_) return;
  options_ = v;
  LooksChanged();
}
void TCustomOutline::SetItemHeight(int v) {
  if (v == itemHeight_ || v <= 0) return;
  itemHeight_ = v;
  LooksChanged();
}
void TCustomOutline::SetBorderStyle(TEditBorderStyle v) {
  if (v == borderStyle_) return;
  borderStyle_ = v;
  LooksChanged();
}
void TCustomOutline::SetScrollBars(TScrollStyle v) {
  if (v == scrollBars_) return;
  scrollBars_ = v;
  LooksChanged();
}
void TCustomOutline::SetStyle(TOutlineType v) {
  if (v == style_) return;
  style_ = v;
  Invalidate();
}
void TCustomOutline::SetPicture(TOutlineBitmap slot, TBitmap* value) {
  if (value) pictures_[slot]->Assign(*value);
}

// ---------------------------------------------------------------------------
// TCustomOutline: rows and scrolling

TOutlineMetrics TCustomOutline::Metrics() const {
  TOutlineMetrics m;
  m.style = outlineStyle_;
  m.options = options_;
  m.itemHeight = itemHeight_;
  m.plusMinus = {pictures_[obPlus]->Width(), pictures_[obPlus]->Height()};
  m.picture = {pictures_[obClose]->Width(), pictures_[obClose]->Height()};
  return m;
}

// ---------------------------------------------------------------------------
// TCustomOutline: keyboard and mouse

void TCustomOutline::WMSize(TWMSize& msg) {
  TCustomControl::WMSize(msg);
  ClampTopRow();
}

void TCustomOutline::CMFontChanged(TMessage& msg) {
  TCustomControl::CMFontChanged(msg);
  LooksChanged();
}

void TCustomOutline::MoveSelection(int row) {
  const auto& rows = VisibleItems();
  if (rows.empty()) return;
  row = std::max(0, std::min(row, int(rows.size()) - 1));
  SetSelectedItem(rows[size_t(row)]);
  Click();
}

void TCustomOutline::KeyDown(Word& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  const int row = selectedNode_ ? RowOf(SelectedItem()) : -1;
  const int last = int(VisibleItems().size()) - 1;
  TOutlineNode* node = selectedNode_;
  switch (key) {
    case VK_UP: MoveSelection(row < 0 ? 0 : row - 1); break;
    case VK_DOWN: MoveSelection(row + 1); break;
    case VK_HOME: MoveSelection(0); break;
    case VK_END: MoveSelection(last); break;
    case VK_PRIOR: MoveSelection(row - RowsPerPage()); break;
    case VK_NEXT: MoveSelection(std::max(row, 0) + RowsPerPage()); break;
    case VK_LEFT:
      if (node && node->Expanded() && node->HasItems())
        node->Collapse();
      else if (node && node->Level() > 1)
        MoveSelection(RowOf(node->Parent()->Index()));
      break;
    case VK_RIGHT:
      if (node && !node->Expanded())
        node->Expand();
      else if (node && node->HasItems())
        MoveSelection(row + 1);
      break;
    default: return;
  }
  key = 0;
}

void TCustomOutline::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  TOutlineNode* node = selectedNode_;
  if (!node || (key != '+' && key != '-' && key != '*')) return;
  if (key == '+')
    node->Expand();
  else if (key == '-')
    node->Collapse();
  else
    node->FullExpand();
  ScrollIntoView(SelectedItem());
  key = 0;
}

void TCustomOutline::ToggleItem(int index) {
  if (index <= 0) return;
  TOutlineNode* node = Items(index);
  node->SetExpanded(!node->Expanded());
}

void TCustomOutline::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && CanFocus() && !Focused()) SetFocus();
  if (button == mbLeft && InShift(shift, ssDouble)) {
    DblClick();
  } else if (button == mbLeft && !ClickScrollBar(x, y)) {
    if (const int index = GetItemAt(x, y)) {
      const TRect row = GetItemRect(index);
      TRect box = OutlineRowLayout(Metrics(), Items(index)->Level()).button;
      OffsetRect(box, row.Left, row.Top);
      InflateRect(box, 1, 1);  // a little slack around a small box
      if (!box.IsEmpty() && box.Contains({x, y}) && outlineStyle_ != osText && outlineStyle_ != osPictureText) {
        ToggleItem(index);
      } else {
        SetSelectedItem(index);
        Click();
      }
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomOutline::DblClick() {
  TCustomControl::DblClick();
  ToggleItem(SelectedItem());
}

// ---------------------------------------------------------------------------
// TCustomOutline: the tree command's view

void TCustomOutline::ReportContent(TContentReport& report) const {
  std::string json = "[";
  const int count = ItemCount();
  const TFont& font = *Font();
  for (int i = 1; i <= count; ++i) {
    const TOutlineNode* node = Items(i);
    const std::string text = font.Decode(DisplayText(*node)).toStdString();
    json += (i > 1 ? ", " : "") + std::string("{\"text\": ") + TContentReport::JsonString(text) + ", \"level\": " +
            std::to_string(node->Level()) + ", \"expanded\": " + (node->Expanded() ? "true" : "false") + "}";
  }
  json += "]";
  report.Add("items", std::move(json));
  report.AddInteger("selected", SelectedItem());
}
