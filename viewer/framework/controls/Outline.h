// The outline: TCustomOutline, an owner-drawn tree of text items, and its
// items, TOutlineNode.
//
// Items are addressed by index. Index 0 is the invisible parent of the
// top-level items; the items themselves are numbered from 1 in tree order
// (a parent, then its whole subtree, then its next sibling), so inserting
// or deleting an item renumbers every item after it. A node pointer stays
// valid until its item is deleted.
//
// Expanding and collapsing go through the virtual Expand(index) and
// Collapse(index), which descendants override (a directory outline lists a
// folder on its first expansion); setting a node's Expanded calls them.
//
// Lines is a string-list view of the items: one line per item, its level
// given by leading tabs (one per level below the top). Reading it from a
// form rebuilds the items; blanks count as tabs when read.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "ClassicDrawing.h"
#include "Controls.h"
#include "Edits.h"
#include "core/Exceptions.h"
#include "core/Strings.h"

class TCustomOutline;

class EOutlineError : public Exception {
 public:
  explicit EOutlineError(const std::string& message) : Exception(message) {}
};

enum TOutlineStyle : uint8_t {
  osText,
  osPlusMinusText,
  osPictureText,
  osPlusMinusPictureText,
  osTreeText,
  osTreePictureText
};
enum TOutlineOption : uint8_t { ooDrawTreeRoot, ooDrawFocusRect, ooStretchBitmaps };
using TOutlineOptions = uint8_t;  // bit n for TOutlineOption n
constexpr TOutlineOptions OutlineOption(TOutlineOption o) { return TOutlineOptions(1u << o); }
enum TOutlineType : uint8_t { otStandard, otOwnerDraw };
// The five picture slots, in slot order.
enum TOutlineBitmap : uint8_t { obPlus, obMinus, obOpen, obClose, obLeaf };

const TEnumInfo& OutlineStyleEnumInfo();
const TEnumInfo& OutlineOptionEnumInfo();
const TEnumInfo& OutlineTypeEnumInfo();

// What an owner-drawn item is: bit 0 selected, bit 4 focused.
using TOwnerDrawState = uint16_t;
inline constexpr TOwnerDrawState odSelected = 0x01;
inline constexpr TOwnerDrawState odFocused = 0x10;

// Typed handlers, called instead of the TMethod of the same event when set.
using TOutlineChangeEvent = std::function<void(TPersistent* sender, int index)>;
using TDrawItemEvent = std::function<void(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state)>;

inline constexpr int kInvalidOutlineIndex = -1;
inline constexpr const char* SOutlineIndexError = "Invalid outline index";

class TOutlineNode {
  friend class TCustomOutline;

 public:
  TOutlineNode(TCustomOutline* outline, TOutlineNode* parent, std::string text);
  ~TOutlineNode();
  TOutlineNode(const TOutlineNode&) = delete;
  TOutlineNode& operator=(const TOutlineNode&) = delete;

  TCustomOutline* Outline() const { return outline_; }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  void* Data() const { return data_; }
  void SetData(void* data) { data_ = data; }
  // 1 for a top-level item, 0 for the invisible parent.
  int Level() const;
  TOutlineNode* Parent() const { return parent_; }
  bool HasItems() const { return !children_.empty(); }
  int ChildCount() const { return static_cast<int>(children_.size()); }
  TOutlineNode* Child(int i) const { return children_.at(size_t(i)).get(); }
  // This item's index in tree order.
  int Index() const;
  // Every ancestor is expanded (the item has a row).
  bool IsVisible() const;

  bool Expanded() const { return expanded_; }
  // Changing the state goes through the outline's Expand or Collapse.
  void SetExpanded(bool value);
  void Expand() { SetExpanded(true); }
  void Collapse() { SetExpanded(false); }
  // This item and every item below it.
  void FullExpand();
  void FullCollapse();

  // Item indexes of children, kInvalidOutlineIndex when there is none.
  int GetFirstChild() const;
  int GetLastChild() const;
  int GetNextChild(int child) const;
  int GetPrevChild(int child) const;

  // The texts from the top-level ancestor down to this item, joined by the
  // outline's ItemSeparator.
  std::string FullPath() const;

 private:
  int PositionOf(const TOutlineNode* child) const;

  TCustomOutline* outline_;
  TOutlineNode* parent_;
  std::string text_;
  void* data_ = nullptr;
  bool expanded_ = false;
  int index_ = 0;  // valid while the outline's index cache is
  std::vector<std::unique_ptr<TOutlineNode>> children_;
};

// Where the parts of one row go, in the row's coordinates (x from the item
// area's left edge, y from the row's top).
struct TOutlineRowLayout {
  int lineX = -1;  // the item's connector column (tree styles), -1 for none
  TRect button;    // the plus/minus box or picture; empty for none
  TRect picture;   // the open/closed/leaf picture; empty for none
  int textX = 0;
};

struct TOutlineMetrics {
  TOutlineStyle style = osTreePictureText;
  TOutlineOptions options = 0;
  int itemHeight = 16;
  TSize plusMinus{9, 9};  // the plus/minus pictures (their box in tree styles)
  TSize picture{16, 16};  // the open/closed/leaf pictures
  // Horizontal distance between two levels.
  int Indent() const;
};

// The layout of a row for an item of the given level (1 = top level).
TOutlineRowLayout OutlineRowLayout(const TOutlineMetrics& m, int level);

// The vertical scroll bar: its width, and its parts inside the bar's
// rectangle for a list of rows of which page show from row top.
inline constexpr int kOutlineScrollBarWidth = 16;
struct TOutlineScrollBar {
  TRect upButton, downButton, track, thumb;
};
TOutlineScrollBar OutlineScrollBarParts(const TRect& bar, int rows, int page, int top);
// The same for a horizontal bar: content width pixels, page of them shown
// from left (the "up" button is the left one).
TOutlineScrollBar OutlineHorizontalBarParts(const TRect& bar, int width, int page, int left);

class TOutlineStrings;

class TCustomOutline : public TCustomControl {
  TESSALY_CLASS(TCustomOutline)
  friend class TOutlineNode;
  friend class TOutlineStrings;

 public:
  explicit TCustomOutline(TComponent* owner);
  ~TCustomOutline() override;

  // --- items
  // A new item after the last sibling of item index (index 0: a new
  // top-level item). Returns its index.
  int Add(int index, const std::string& text);
  // A new last child of item index (0: a new top-level item).
  int AddChild(int index, const std::string& text);
  // A new sibling placed immediately before item index (0: as Add).
  int Insert(int index, const std::string& text);
  // Removes the item with its subtree.
  void Delete(int index);
  void Clear();
  int ItemCount() const;
  // Raises EOutlineError for an index outside 0..ItemCount().
  TOutlineNode* Items(int index) const;
  TOutlineNode* RootNode() const { return root_.get(); }
  int GetFirstChild(int index) const { return Items(index)->GetFirstChild(); }
  int GetLastChild(int index) const { return Items(index)->GetLastChild(); }
  // The next or previous sibling of item index, kInvalidOutlineIndex for none.
  int GetNextChild(int index) const;
  int GetPrevChild(int index) const;
  std::string GetFullPath(int index) const { return Items(index)->FullPath(); }
  void FullExpand();
  void FullCollapse();

  // The selected item, 0 for none. Selecting expands the item's ancestors
  // and scrolls it into view.
  int SelectedItem() const { return selectedNode_ ? selectedNode_->Index() : 0; }
  void SetSelectedItem(int index);
  int GetSelectedItem() const { return SelectedItem(); }

  const std::string& ItemSeparator() const { return itemSeparator_; }
  void SetItemSeparator(const std::string& s) { itemSeparator_ = s; }
  TStrings* Lines() const;
  void SetLines(TStrings* lines);

  // Stops repainting until the matching EndUpdate.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();

  // Expanding and collapsing: the base sets the item's state, raises
  // OnExpand or OnCollapse and repaints.
  virtual void Expand(int index);
  virtual void Collapse(int index);

  // --- looks
  TOutlineStyle OutlineStyle() const { return outlineStyle_; }
  void SetOutlineStyle(TOutlineStyle v);
  TOutlineOptions Options() const { return options_; }
  void SetOptions(TOutlineOptions v);
  bool HasOption(TOutlineOption o) const { return (options_ & OutlineOption(o)) != 0; }
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int v);
  TEditBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TEditBorderStyle v);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle v);
  TOutlineType Style() const { return style_; }
  void SetStyle(TOutlineType v);
  TBitmap* Picture(TOutlineBitmap slot) const { return pictures_[slot].get(); }
  void SetPicture(TOutlineBitmap slot, TBitmap* value);
  TBitmap* PicturePlus() const { return Picture(obPlus); }
  TBitmap* PictureMinus() const { return Picture(obMinus); }
  TBitmap* PictureOpen() const { return Picture(obOpen); }
  TBitmap* PictureClosed() const { return Picture(obClose); }
  TBitmap* PictureLeaf() const { return Picture(obLeaf); }
  void SetPicturePlus(TBitmap* v) { SetPicture(obPlus, v); }
  void SetPictureMinus(TBitmap* v) { SetPicture(obMinus, v); }
  void SetPictureOpen(TBitmap* v) { SetPicture(obOpen, v); }
  void SetPictureClosed(TBitmap* v) { SetPicture(obClose, v); }
  void SetPictureLeaf(TBitmap* v) { SetPicture(obLeaf, v); }
  // A picture is streamed once it differs from what the constructor gave.
  bool PictureStored(TOutlineBitmap slot) const { return pictureChanged_[slot]; }

  // --- geometry (client coordinates)
  // The item whose row contains y, 0 for none.
  int GetItemAt(int x, int y) const;
  // The rectangle of the item's row, empty when it has none on screen.
  TRect GetItemRect(int index) const;
  // Where the rows are drawn: the client area inside the border and beside
  // the scroll bar.
  TRect ItemArea() const;
  TOutlineMetrics Metrics() const;
  int TopRow() const { return topRow_; }
  void SetTopRow(int row);
  // How far the rows are scrolled to the left, in pixels.
  int LeftOffset() const { return leftOffset_; }
  void SetLeftOffset(int x);
  // The width the widest visible row needs.
  int ContentWidth() const;
  // The item indexes that have rows, in display order.
  const std::vector<int>& VisibleItems() const;
  // The scroll bars show when ScrollBars allows them and the rows do not
  // fit; empty rectangles when they do not show.
  bool VerticalBarShown() const;
  TRect VerticalBarRect() const;
  TRect HorizontalBarRect() const;
  bool WidgetEvent(QEvent* event) override;

  void ReportContent(TContentReport& report) const override;

  TMethod OnExpand, OnCollapse, OnDrawItem;
  TOutlineChangeEvent OnExpandProc, OnCollapseProc;
  TDrawItemEvent OnDrawItemProc;

 protected:
  // Reads the items' data the designer stores as "Data" (kept, not used).
  void DefineProperties(TFiler& filer) override;
  void Paint() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClick() override;
  void WMSize(TWMSize& msg) override;
  void CMFontChanged(TMessage& msg) override;
  // Items changed: indexes and rows are recomputed on next use.
  void ItemsChanged();
  // Widths or sizes of rows changed: measure again, repaint.
  void LooksChanged();
  // Forgets picture changes so far (constructors call it after setting up
  // their pictures).
  void MarkPicturesAsDefault() { pictureChanged_.fill(false); }
  void DrawItem(TCanvas& canvas, int index, const TRect& row, TOwnerDrawState state);
  // The item's text as shown (a form string, decoded by the font's
  // character set); descendants whose texts come from elsewhere mark them.
  virtual std::string DisplayText(const TOutlineNode& node) const { return node.Text(); }

 private:
  void RebuildIndex() const;
  TOutlineNode* NewNode(TOutlineNode* parent, const std::string& text, int position);
  void MoveSelection(int row);
  int RowOf(int index) const;
  int RowsPerPage() const;
  void ScrollIntoView(int index);
  void ClampTopRow();
  void ToggleItem(int index);
  bool ClickScrollBar(int x, int y);
  void PaintBorder(TCanvas& canvas);
  void PaintScrollBars(TCanvas& canvas);
  TRect InnerRect() const;
  void ShownBars(bool& vertical, bool& horizontal) const;
  void PaintTreeLines(TCanvas& canvas, const TOutlineNode* node, const TRect& row, int lineX);
  void PaintButton(TCanvas& canvas, const TOutlineNode* node, const TRect& box);
  void PaintPicture(TCanvas& canvas, const TBitmap& picture, const TRect& box);
  const TBitmap* ItemPicture(const TOutlineNode* node) const;
  void RaiseChange(TMethod& event, TOutlineChangeEvent& proc, int index);

  std::unique_ptr<TOutlineNode> root_;
  mutable std::vector<TOutlineNode*> items_;  // index order; [0] the root
  mutable std::vector<int> rows_;             // visible items in row order
  mutable bool indexValid_ = false;
  mutable bool rowsValid_ = false;
  mutable int contentWidth_ = -1;  // -1 until measured
  std::unique_ptr<TOutlineStrings> lines_;
  TOutlineNode* selectedNode_ = nullptr;  // one of the items, or none
  int topRow_ = 0;
  int leftOffset_ = 0;
  int updateCount_ = 0;
  std::string itemSeparator_ = "\\";
  TOutlineStyle outlineStyle_ = osTreePictureText;
  TOutlineOptions options_ = OutlineOption(ooDrawTreeRoot) | OutlineOption(ooDrawFocusRect);
  int itemHeight_ = 16;
  TEditBorderStyle borderStyle_ = ebsSingle;
  TScrollStyle scrollBars_ = ssBoth;
  TOutlineType style_ = otStandard;
  std::array<std::unique_ptr<TBitmap>, 5> pictures_;
  std::array<bool, 5> pictureChanged_{};
  std::string storedData_;  // the streamed "Data", as read
};
