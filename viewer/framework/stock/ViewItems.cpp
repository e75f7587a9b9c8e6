#include "ViewItems.h"

#include <cstdint>
#include <functional>

#include "core/Exceptions.h"
#include "core/FormStrings.h"

namespace {

// A bounds-checked little-endian reader over the stored bytes; every read
// past the end raises EReadError.
class ItemCursor {
 public:
  explicit ItemCursor(std::string_view data) : data_(data) {}
  size_t Position() const { return at_; }
  size_t Left() const { return data_.size() - at_; }
  bool AtEnd() const { return at_ == data_.size(); }

  void Need(size_t n) const {
    if (n > Left()) throw EReadError("Item data ends early at byte " + std::to_string(at_));
  }
  uint8_t Byte() {
    Need(1);
    return uint8_t(data_[at_++]);
  }
  int32_t Int() {
    Need(4);
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(uint8_t(data_[at_ + size_t(i)])) << (8 * i);
    at_ += 4;
    return int32_t(v);
  }
  void Skip(size_t n) {
    Need(n);
    at_ += n;
  }
  // A length byte and that many 8-bit characters, or UTF-16 characters.
  std::string Text(bool wide) {
    const size_t length = Byte();
    const size_t bytes = wide ? length * 2 : length;
    Need(bytes);
    const std::string_view raw = data_.substr(at_, bytes);
    at_ += bytes;
    return wide ? FormStringFromUtf16(raw) : std::string(raw);
  }

 private:
  std::string_view data_;
  size_t at_ = 0;
};

// A count that the remaining bytes could hold, at `minBytes` each.
int32_t CheckedCount(int32_t count, const ItemCursor& in, size_t minBytes) {
  if (count < 0 || size_t(count) > in.Left() / minBytes)
    throw EReadError("Invalid item count " + std::to_string(count));
  return count;
}

// The optional fields of a layout that no header announces.
struct TreeLayout {
  bool versionByte = false;
  bool enabledAndExpanded = false;  // an enabled flag and an expanded image index
};

void ReadTreeNode(ItemCursor& in, bool wide, const TreeLayout& layout, int level, std::vector<TTreeItemRecord>& out) {
  if (level > 1000) throw EReadError("Tree items nest too deeply");
  const int32_t size = in.Int();
  const size_t start = in.Position();
  TTreeItemRecord r;
  r.level = level;
  r.imageIndex = in.Int();
  r.selectedIndex = in.Int();
  r.stateIndex = in.Int();
  r.overlayIndex = in.Int();
  in.Skip(4);  // data pointer
  const int32_t children = CheckedCount(in.Int(), in, 5);
  if (layout.enabledAndExpanded) in.Skip(5);
  r.text = in.Text(wide);
  if (size < 0 || in.Position() - start != size_t(size)) throw EReadError("Tree item record size does not match");
  out.push_back(std::move(r));
  for (int32_t i = 0; i < children; ++i) ReadTreeNode(in, wide, layout, level + 1, out);
}

std::vector<TTreeItemRecord> ReadTree(std::string_view data, bool wide, const TreeLayout& layout) {
  ItemCursor in(data);
  if (layout.versionByte) in.Byte();
  std::vector<TTreeItemRecord> out;
  const int32_t roots = CheckedCount(in.Int(), in, 5);
  for (int32_t i = 0; i < roots; ++i) ReadTreeNode(in, wide, layout, 0, out);
  if (!in.AtEnd()) throw EReadError("Tree items leave bytes over");
  return out;
}

struct ListLayout {
  bool versionByte = false;
  bool groupId = false;
};

std::vector<TListItemRecord> ReadList(std::string_view data, bool wide, const ListLayout& layout) {
  ItemCursor in(data);
  if (layout.versionByte) in.Byte();
  in.Int();  // the writer's size total, which versions count differently
  const int32_t count = CheckedCount(in.Int(), in, 21);
  std::vector<TListItemRecord> out;
  size_t subItemTotal = 0;
  for (int32_t i = 0; i < count; ++i) {
    TListItemRecord r;
    r.imageIndex = in.Int();
    r.stateIndex = in.Int();
    r.overlayIndex = in.Int();
    const int32_t subItems = CheckedCount(in.Int(), in, 1);
    if (layout.groupId) in.Skip(4);
    in.Skip(4);  // data pointer
    r.caption = in.Text(wide);
    for (int32_t j = 0; j < subItems; ++j) r.subItems.push_back(in.Text(wide));
    subItemTotal += size_t(subItems);
    out.push_back(std::move(r));
  }
  // Sub-item images follow all items when the writer stored them.
  if (!in.AtEnd() && in.Left() == subItemTotal * 4) {
    for (auto& r : out)
      for (size_t j = 0; j < r.subItems.size(); ++j) r.subItemImages.push_back(in.Int());
  }
  if (!in.AtEnd()) throw EReadError("List items leave bytes over");
  return out;
}

// The first candidate layout that explains all of the data; EReadError
// from the last candidate when none does.
template <class Record, class Layout>
std::vector<Record> FirstThatFits(
    std::string_view data, bool wide, const std::vector<Layout>& layouts,
    std::vector<Record> (*read)(std::string_view, bool, const Layout&)) {
  for (size_t i = 0; i + 1 < layouts.size(); ++i) {
    try {
      return read(data, wide, layouts[i]);
    } catch (const EReadError&) {}
  }
  return read(data, wide, layouts.back());
}

}  // namespace

std::vector<TTreeItemRecord> DecodeTreeItems(std::string_view data, bool wide) {
  if (data.empty()) return {};
  const std::vector<TreeLayout> layouts =
      wide ? std::vector<TreeLayout>{{false, false}, {true, false}, {false, true}, {true, true}}
           : std::vector<TreeLayout>{{false, false}};
  return FirstThatFits(data, wide, layouts, &ReadTree);
}

std::vector<TListItemRecord> DecodeListItems(std::string_view data, bool wide) {
  if (data.empty()) return {};
  const std::vector<ListLayout> layouts =
      wide ? std::vector<ListLayout>{{true, true}, {true, false}, {false, true}, {false, false}}
           : std::vector<ListLayout>{{false, false}};
  return FirstThatFits(data, wide, layouts, &ReadList);
}
