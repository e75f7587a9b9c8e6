// Tool bar layout: buttons in their stored order, in rows of the button
// size, separators and dividers at their own width, wrapping at the bar's
// edge and after buttons that ask for it.
#include <algorithm>

#include "ComCtrls.h"
#include "ImgList.h"

std::vector<TRect> ToolBarLayout(const std::vector<TToolSlot>& places, int barWidth, int indent, int rowHeight,
                                 bool wrapable) {
  std::vector<TRect> out;
  int x = indent, y = 0;
  bool rowEmpty = true;
  for (const TToolSlot& slot : places) {
    if (!slot.visible) {
      out.push_back(Rect(0, 0, 0, 0));
      continue;
    }
    if (wrapable && !rowEmpty && x + slot.width > barWidth) {
      x = indent;
      y += rowHeight;
      rowEmpty = true;
    }
    out.push_back(Bounds(x, y, slot.width, rowHeight));
    x += slot.width;
    rowEmpty = false;
    if (slot.wrapAfter) {
      x = indent;
      y += rowHeight;
      rowEmpty = true;
    }
  }
  return out;
}

void TToolButton::SetStyle(int v) {
  if (style_ == v) return;
  style_ = v;
  if (auto* bar = dynamic_cast<TToolBar*>(Parent())) bar->ArrangeButtons();
  Invalidate();
}

void TToolButton::SetWrap(bool v) {
  if (wrap_ == v) return;
  wrap_ = v;
  if (auto* bar = dynamic_cast<TToolBar*>(Parent())) bar->ArrangeButtons();
}

TSize TToolBar::ButtonSize() const {
  TSize size{buttonWidth_, buttonHeight_};
  if (!showCaptions_) return size;
  const auto* list = dynamic_cast<const TCustomImageList*>(images_);
  const int imageWidth = list ? list->Width() : 0, imageHeight = list ? list->Height() : 0;
  TCanvas m;
  m.SetFont(*Font());
  int text = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* b = dynamic_cast<TToolButton*>(Controls(i)); b && !b->IsSeparator())
      text = std::max(text, m.TextExtentW(b->DisplayText()).cx);
  const int textHeight = m.TextExtentW(QStringLiteral("Wg")).cy;
  if (list_) {
    size.cx = std::max(size.cx, imageWidth + text + 11);
    size.cy = std::max(size.cy, std::max(imageHeight, textHeight) + 6);
  } else {
    size.cx = std::max(size.cx, std::max(imageWidth, text) + 8);
    size.cy = std::max(size.cy, imageHeight + textHeight + 8);
  }
  return size;
}

void TToolBar::ArrangeButtons() {
  if (arranging_ || HasState(csLoading)) return;
  arranging_ = true;
  // Every unaligned child takes its turn in the child order: tool buttons
  // at the button size (separators at their own width), other controls
  // (edits, combo boxes, placeholders) at their own size.
  std::vector<TControl*> items;
  for (int i = 0; i < ControlCount(); ++i)
    if (Controls(i)->Align() == alNone) items.push_back(Controls(i));
  const TSize size = ButtonSize();
  std::vector<TToolSlot> places;
  for (TControl* c : items) {
    auto* b = dynamic_cast<TToolButton*>(c);
    const int width = !b || b->IsSeparator() ? c->Width() : size.cx;
    places.push_back({width, b && b->Wrap(), c->Visible()});
  }
  const std::vector<TRect> rects = ToolBarLayout(places, ClientWidth(), indent_, size.cy, wrapable_);
  for (size_t i = 0; i < items.size(); ++i) {
    if (!places[i].visible) continue;
    const bool button = dynamic_cast<TToolButton*>(items[i]) != nullptr;
    items[i]->SetBounds(rects[i].Left, rects[i].Top, rects[i].Width(),
                        button ? rects[i].Height() : items[i]->Height());
  }
  arranging_ = false;
  Invalidate();
}

void TToolBar::Loaded() {
  TCustomControl::Loaded();
  ArrangeButtons();
}

void TToolBar::AlignControls(TControl* control, TRect& rect) {
  TCustomControl::AlignControls(control, rect);
  ArrangeButtons();
}
