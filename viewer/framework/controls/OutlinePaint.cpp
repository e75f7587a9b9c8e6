// TCustomOutline's row geometry and painting.
#include <algorithm>

#include "Outline.h"

namespace {

bool IsTreeStyle(TOutlineStyle s) { return s == osTreeText || s == osTreePictureText; }
bool HasPicture(TOutlineStyle s) { return s == osPictureText || s == osPlusMinusPictureText || s == osTreePictureText; }
bool HasPlusMinusPicture(TOutlineStyle s) { return s == osPlusMinusText || s == osPlusMinusPictureText; }

TSize PictureSize(const TOutlineMetrics& m, TSize natural) {
  if (m.options & OutlineOption(ooStretchBitmaps)) return {m.itemHeight, m.itemHeight};
  return natural;
}

// A box of the given size at x, centred in a row of height h.
TRect CentredBox(int x, TSize size, int h) { return Bounds(x, (h - size.cy) / 2, size.cx, size.cy); }

// The size of a tree style's plus/minus box.
constexpr TSize kTreeBox{9, 9};

// Dotted lines of the tree: every other pixel, in step across rows.
void DottedLine(TCanvas& c, int x1, int y1, int x2, int y2) {
  const TColor color = clBtnShadow;
  for (int x = x1; x <= x2; ++x)
    for (int y = y1; y <= y2; ++y)
      if (((x + y) & 1) == 0) c.SetPixel(x, y, color);
}

}  // namespace

int TOutlineMetrics::Indent() const {
  int indent = 16;
  if (HasPicture(style)) indent = std::max(indent, PictureSize(*this, picture).cx);
  if (HasPlusMinusPicture(style)) indent = std::max(indent, PictureSize(*this, plusMinus).cx + 4);
  return indent;
}

TOutlineRowLayout OutlineRowLayout(const TOutlineMetrics& m, int level) {
  TOutlineRowLayout out;
  const int indent = m.Indent();
  int x = (level - 1) * indent;
  if (IsTreeStyle(m.style)) {
    const int column = level - 1 + ((m.options & OutlineOption(ooDrawTreeRoot)) ? 1 : 0);
    x = column * indent;
    if (column >= 1) {
      out.lineX = x - indent + indent / 2;
      out.button = CentredBox(out.lineX - kTreeBox.cx / 2, kTreeBox, m.itemHeight);
    }
  } else if (HasPlusMinusPicture(m.style)) {
    out.button = CentredBox(x, PictureSize(m, m.plusMinus), m.itemHeight);
    x += PictureSize(m, m.plusMinus).cx + 4;
  }
  if (HasPicture(m.style)) {
    const TSize size = PictureSize(m, m.picture);
    out.picture = CentredBox(x, size, m.itemHeight);
    x += size.cx;
  }
  out.textX = x + 2;
  return out;
}

void TCustomOutline::Paint() {
  TCanvas& c = *Canvas();
  c.SetFont(*Font());
  c.Brush()->SetStyle(bsSolid);
  c.Brush()->SetColor(Color());
  c.FillRect(ClientRect());
  PaintBorder(c);
  const TRect area = ItemArea();
  const auto& rows = VisibleItems();
  const int selected = SelectedItem();
  c.SetClipRect(area);
  for (size_t row = size_t(topRow_); row < rows.size(); ++row) {
    const int top = area.Top + (int(row) - topRow_) * itemHeight_;
    if (top >= area.Bottom) break;
    const int index = rows[row];
    TOwnerDrawState state = 0;
    if (index == selected) state |= odSelected | (Focused() ? odFocused : 0);
    DrawItem(c, index, Rect(area.Left - leftOffset_, top, area.Right, top + itemHeight_), state);
  }
  c.ResetClip();
  PaintScrollBars(c);
}

void TCustomOutline::PaintBorder(TCanvas& c) {
  if (BorderStyle() != ebsSingle) return;
  TRect r = ClientRect();
  if (!Ctl3D()) {
    c.Brush()->SetColor(clWindowFrame);
    c.FrameRect(r);
    return;
  }
  Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
  Frame3D(c, r, cl3DDkShadow, clBtnFace, 1);
}

void TCustomOutline::DrawItem(TCanvas& c, int index, const TRect& row, TOwnerDrawState state) {
  if (style_ == otOwnerDraw && (OnDrawItemProc || OnDrawItem)) {
    if (OnDrawItemProc)
      OnDrawItemProc(this, index, row, state);
    else
      OnDrawItem.code(this);
    return;
  }
  const TOutlineNode* node = Items(index);
  const TOutlineMetrics m = Metrics();
  TOutlineRowLayout layout = OutlineRowLayout(m, node->Level());
  OffsetRect(layout.button, row.Left, row.Top);
  OffsetRect(layout.picture, row.Left, row.Top);
  if (layout.lineX >= 0) PaintTreeLines(c, node, row, row.Left + layout.lineX);
  if (!layout.button.IsEmpty()) PaintButton(c, node, layout.button);
  if (!layout.picture.IsEmpty()) PaintPicture(c, *ItemPicture(node), layout.picture);

  const std::string text = DisplayText(*node);
  const int textWidth = c.TextWidth(text);
  const TRect cell = Rect(row.Left + layout.textX, row.Top, row.Left + layout.textX + textWidth + 4, row.Bottom);
  const bool selected = (state & odSelected) != 0;
  c.Brush()->SetStyle(bsSolid);
  c.Brush()->SetColor(selected ? clHighlight : Color());
  c.Font()->SetColor(selected ? clHighlightText : Font()->Color());
  c.TextRect(cell, cell.Left + 2, row.Top + (row.Height() - c.TextHeight(text)) / 2, text);
  if ((state & odFocused) && HasOption(ooDrawFocusRect)) c.DrawFocusRect(cell);
}

void TCustomOutline::PaintTreeLines(TCanvas& c, const TOutlineNode* node, const TRect& row, int lineX) {
  const int indent = Metrics().Indent();
  const int mid = row.Top + row.Height() / 2;
  const bool hasNext = node->Parent()->Child(node->Parent()->ChildCount() - 1) != node;
  const bool firstOfAll = node->Level() == 1 && node->Parent()->Child(0) == node;
  // The item's own connector: down from the row above, across to its content.
  DottedLine(c, lineX, firstOfAll ? mid : row.Top, lineX, hasNext ? row.Bottom - 1 : mid);
  DottedLine(c, lineX, mid, lineX + indent - indent / 2 - 1, mid);
  // Ancestors with later siblings continue their lines through this row.
  int x = lineX;
  for (const TOutlineNode* a = node->Parent(); a && a->Parent(); a = a->Parent()) {
    x -= indent;
    if (x < row.Left) break;
    const TOutlineNode* p = a->Parent();
    if (p->Child(p->ChildCount() - 1) != a) DottedLine(c, x, row.Top, x, row.Bottom - 1);
  }
}

void TCustomOutline::PaintButton(TCanvas& c, const TOutlineNode* node, const TRect& box) {
  if (!node->HasItems()) return;
  if (OutlineStyle() == osPlusMinusText || OutlineStyle() == osPlusMinusPictureText) {
    PaintPicture(c, node->Expanded() ? *PictureMinus() : *PicturePlus(), box);
    return;
  }
  c.Brush()->SetColor(Color());
  c.FillRect(box);
  c.Brush()->SetColor(clBtnShadow);
  c.FrameRect(box);
  const int cx = (box.Left + box.Right) / 2, cy = (box.Top + box.Bottom) / 2;
  c.Brush()->SetColor(clWindowText);
  c.FillRect(Rect(cx - 2, cy, cx + 3, cy + 1));
  if (!node->Expanded()) c.FillRect(Rect(cx, cy - 2, cx + 1, cy + 3));
}

void TCustomOutline::PaintPicture(TCanvas& c, const TBitmap& picture, const TRect& box) {
  if (picture.Empty()) return;
  QImage image = picture.Image();
  const TColor transparent = PixelToColor(image.pixel(0, image.height() - 1));
  if (image.width() != box.Width() || image.height() != box.Height())
    image = image.scaled(box.Width(), box.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  c.DrawTransparent(box.Left, box.Top, image, transparent);
}

const TBitmap* TCustomOutline::ItemPicture(const TOutlineNode* node) const {
  if (!node->HasItems()) return PictureLeaf();
  return node->Expanded() ? PictureOpen() : PictureClosed();
}
