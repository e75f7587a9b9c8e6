// TCustomOutline's scrolling: which rows show, the scroll bars that
// ScrollBars allows when the rows do not fit, their parts, painting and
// clicks, and the mouse wheel.
#include <algorithm>

#include <QWheelEvent>

#include "Outline.h"

namespace {

TRect Transposed(const TRect& r) { return Rect(r.Top, r.Left, r.Bottom, r.Right); }

void RaisedBox(TCanvas& c, TRect r) {
  c.Brush()->SetColor(clBtnFace);
  c.FillRect(r);
  Frame3D(c, r, clBtnHighlight, cl3DDkShadow, 1);
  Frame3D(c, r, clBtnFace, clBtnShadow, 1);
}

// A small solid triangle centred in r, pointing up, down, left or right.
void Arrow(TCanvas& c, const TRect& r, int direction) {
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  c.Brush()->SetColor(clWindowText);
  for (int i = 0; i < 4; ++i) {
    switch (direction) {
      case 0: c.FillRect(Rect(cx - i, cy - 2 + i, cx + i + 1, cy - 1 + i)); break;
      case 1: c.FillRect(Rect(cx - i, cy + 1 - i, cx + i + 1, cy + 2 - i)); break;
      case 2: c.FillRect(Rect(cx - 2 + i, cy - i, cx - 1 + i, cy + i + 1)); break;
      default: c.FillRect(Rect(cx + 1 - i, cy - i, cx + 2 - i, cy + i + 1)); break;
    }
  }
}

void PaintBar(TCanvas& c, const TOutlineScrollBar& parts, bool vertical) {
  c.Brush()->SetColor(clScrollBar);
  c.FillRect(parts.track);
  RaisedBox(c, parts.upButton);
  Arrow(c, parts.upButton, vertical ? 0 : 2);
  RaisedBox(c, parts.downButton);
  Arrow(c, parts.downButton, vertical ? 1 : 3);
  if (!parts.thumb.IsEmpty()) RaisedBox(c, parts.thumb);
}

}  // namespace

TOutlineScrollBar OutlineScrollBarParts(const TRect& bar, int rows, int page, int top) {
  TOutlineScrollBar out;
  const int button = std::min(bar.Width(), bar.Height() / 2);
  out.upButton = Rect(bar.Left, bar.Top, bar.Right, bar.Top + button);
  out.downButton = Rect(bar.Left, bar.Bottom - button, bar.Right, bar.Bottom);
  out.track = Rect(bar.Left, out.upButton.Bottom, bar.Right, out.downButton.Top);
  const int length = out.track.Height();
  if (rows <= page || length <= 0) return out;
  const int thumb = std::min(length, std::max(8, int(int64_t(length) * page / rows)));
  const int offset = int(int64_t(length - thumb) * top / std::max(1, rows - page));
  out.thumb = Rect(bar.Left, out.track.Top + offset, bar.Right, out.track.Top + offset + thumb);
  return out;
}

TOutlineScrollBar OutlineHorizontalBarParts(const TRect& bar, int width, int page, int left) {
  TOutlineScrollBar t = OutlineScrollBarParts(Transposed(bar), width, page, left);
  return {Transposed(t.upButton), Transposed(t.downButton), Transposed(t.track), Transposed(t.thumb)};
}

// ---------------------------------------------------------------------------
// Rows

const std::vector<int>& TCustomOutline::VisibleItems() const {
  if (rowsValid_ && indexValid_) return rows_;
  if (!indexValid_) RebuildIndex();
  rows_.clear();
  std::vector<const TOutlineNode*> stack;
  for (auto it = root_->children_.rbegin(); it != root_->children_.rend(); ++it) stack.push_back(it->get());
  while (!stack.empty()) {
    const TOutlineNode* node = stack.back();
    stack.pop_back();
    rows_.push_back(node->index_);
    if (node->expanded_)
      for (auto it = node->children_.rbegin(); it != node->children_.rend(); ++it) stack.push_back(it->get());
  }
  rowsValid_ = true;
  contentWidth_ = -1;
  return rows_;
}

int TCustomOutline::RowOf(int index) const {
  const auto& rows = VisibleItems();
  auto it = std::find(rows.begin(), rows.end(), index);
  return it == rows.end() ? -1 : int(it - rows.begin());
}

int TCustomOutline::ContentWidth() const {
  const auto& rows = VisibleItems();
  if (contentWidth_ >= 0) return contentWidth_;
  if (rows.empty()) return contentWidth_ = 0;
  TCanvas measure;
  measure.SetFont(*Font());
  const TOutlineMetrics m = Metrics();
  int width = 0;
  for (int index : rows) {
    const TOutlineNode* node = items_[size_t(index)];
    width = std::max(width, OutlineRowLayout(m, node->Level()).textX + measure.TextWidth(DisplayText(*node)) + 4);
  }
  contentWidth_ = width;
  return width;
}

// ---------------------------------------------------------------------------
// Bars and the item area

TRect TCustomOutline::InnerRect() const {
  TRect r = ClientRect();
  if (borderStyle_ == ebsSingle) InflateRect(r, Ctl3D() ? -2 : -1, Ctl3D() ? -2 : -1);
  return r;
}

void TCustomOutline::ShownBars(bool& vertical, bool& horizontal) const {
  const TRect inner = InnerRect();
  const bool canV = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
  const bool canH = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
  const int64_t rowsHeight = int64_t(VisibleItems().size()) * itemHeight_;
  vertical = canV && rowsHeight > inner.Height();
  horizontal = canH && ContentWidth() > inner.Width() - (vertical ? kOutlineScrollBarWidth : 0);
  if (horizontal && !vertical) vertical = canV && rowsHeight > inner.Height() - kOutlineScrollBarWidth;
}

bool TCustomOutline::VerticalBarShown() const {
  bool v, h;
  ShownBars(v, h);
  return v;
}

TRect TCustomOutline::ItemArea() const {
  bool v, h;
  ShownBars(v, h);
  TRect r = InnerRect();
  if (v) r.Right = std::max(r.Left, r.Right - kOutlineScrollBarWidth);
  if (h) r.Bottom = std::max(r.Top, r.Bottom - kOutlineScrollBarWidth);
  return r;
}

TRect TCustomOutline::VerticalBarRect() const {
  bool v, h;
  ShownBars(v, h);
  if (!v) return TRect{};
  const TRect r = InnerRect();
  return Rect(std::max(r.Left, r.Right - kOutlineScrollBarWidth), r.Top, r.Right,
              h ? std::max(r.Top, r.Bottom - kOutlineScrollBarWidth) : r.Bottom);
}

TRect TCustomOutline::HorizontalBarRect() const {
  bool v, h;
  ShownBars(v, h);
  if (!h) return TRect{};
  const TRect r = InnerRect();
  return Rect(r.Left, std::max(r.Top, r.Bottom - kOutlineScrollBarWidth),
              v ? std::max(r.Left, r.Right - kOutlineScrollBarWidth) : r.Right, r.Bottom);
}

// ---------------------------------------------------------------------------
// Scroll positions

int TCustomOutline::RowsPerPage() const { return std::max(1, ItemArea().Height() / itemHeight_); }

void TCustomOutline::ClampTopRow() {
  const int rows = int(VisibleItems().size());
  topRow_ = std::max(0, std::min(topRow_, rows - RowsPerPage()));
  leftOffset_ = std::max(0, std::min(leftOffset_, ContentWidth() - ItemArea().Width()));
}

void TCustomOutline::SetTopRow(int row) {
  const int old = topRow_;
  topRow_ = row;
  ClampTopRow();
  if (topRow_ != old) Invalidate();
}

void TCustomOutline::SetLeftOffset(int x) {
  const int old = leftOffset_;
  leftOffset_ = x;
  ClampTopRow();
  if (leftOffset_ != old) Invalidate();
}

void TCustomOutline::ScrollIntoView(int index) {
  const int row = RowOf(index);
  if (row < 0) return;
  if (row < topRow_)
    SetTopRow(row);
  else if (row >= topRow_ + RowsPerPage())
    SetTopRow(row - RowsPerPage() + 1);
}

int TCustomOutline::GetItemAt(int x, int y) const {
  const TRect area = ItemArea();
  if (!area.Contains({x, y})) return 0;
  const size_t row = size_t(topRow_ + (y - area.Top) / itemHeight_);
  const auto& rows = VisibleItems();
  return row < rows.size() ? rows[row] : 0;
}

TRect TCustomOutline::GetItemRect(int index) const {
  const int row = RowOf(index);
  if (row < topRow_) return TRect{};
  const TRect area = ItemArea();
  const int top = area.Top + (row - topRow_) * itemHeight_;
  if (top >= area.Bottom) return TRect{};
  return Rect(area.Left - leftOffset_, top, area.Right, top + itemHeight_);
}

// ---------------------------------------------------------------------------
// Painting and input

void TCustomOutline::PaintScrollBars(TCanvas& c) {
  const TRect vbar = VerticalBarRect();
  if (!vbar.IsEmpty())
    PaintBar(c, OutlineScrollBarParts(vbar, int(VisibleItems().size()), RowsPerPage(), topRow_), true);
  const TRect hbar = HorizontalBarRect();
  if (!hbar.IsEmpty())
    PaintBar(c, OutlineHorizontalBarParts(hbar, ContentWidth(), ItemArea().Width(), leftOffset_), false);
  if (!vbar.IsEmpty() && !hbar.IsEmpty()) {
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(Rect(vbar.Left, hbar.Top, vbar.Right, hbar.Bottom));
  }
}

bool TCustomOutline::ClickScrollBar(int x, int y) {
  const TPoint p{x, y};
  const TRect vbar = VerticalBarRect();
  if (vbar.Contains(p)) {
    const int page = RowsPerPage();
    const auto parts = OutlineScrollBarParts(vbar, int(VisibleItems().size()), page, topRow_);
    if (parts.upButton.Contains(p))
      SetTopRow(topRow_ - 1);
    else if (parts.downButton.Contains(p))
      SetTopRow(topRow_ + 1);
    else if (y < parts.thumb.Top)
      SetTopRow(topRow_ - page);
    else if (y >= parts.thumb.Bottom)
      SetTopRow(topRow_ + page);
    return true;
  }
  const TRect hbar = HorizontalBarRect();
  if (hbar.Contains(p)) {
    const int page = ItemArea().Width();
    const auto parts = OutlineHorizontalBarParts(hbar, ContentWidth(), page, leftOffset_);
    if (parts.upButton.Contains(p))
      SetLeftOffset(leftOffset_ - kOutlineScrollBarWidth);
    else if (parts.downButton.Contains(p))
      SetLeftOffset(leftOffset_ + kOutlineScrollBarWidth);
    else if (x < parts.thumb.Left)
      SetLeftOffset(leftOffset_ - page);
    else if (x >= parts.thumb.Right)
      SetLeftOffset(leftOffset_ + page);
    return true;
  }
  return InnerRect().Contains(p) && !ItemArea().Contains(p);  // the corner between the bars
}

bool TCustomOutline::WidgetEvent(QEvent* event) {
  if (event->type() == QEvent::Wheel) {
    // Three rows per notch of the wheel.
    SetTopRow(topRow_ - static_cast<QWheelEvent*>(event)->angleDelta().y() / 40);
    return true;
  }
  return TCustomControl::WidgetEvent(event);
}
