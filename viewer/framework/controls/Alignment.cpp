#include "Controls.h"
#include "TouchManager.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <unordered_map>
#include <utility>

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWidget>

#include "ClassicLook.h"
#include "DialogCodes.h"
#include "Forms.h"
#include "core/Ascii.h"
#include "core/Exceptions.h"
#include "core/FormNode.h"
#include "core/SysUtils.h"

#include "ControlsDetail.h"

using namespace controls_detail;

// ---------------------------------------------------------------------------
// TWinControl: alignment, anchors and the tab list

void TWinControl::DisableAlign() { ++alignLevel_; }
void TWinControl::EnableAlign() {
  if (alignLevel_ > 0 && --alignLevel_ == 0 && (controlState_ & csAlignmentNeeded)) Realign();
}

void TWinControl::Realign(TControl* control) {
  if (alignLevel_ > 0 || HasState(csLoading) || (controlState_ & csAligning)) {
    controlState_ |= csAlignmentNeeded;
    return;
  }
  controlState_ &= ~csAlignmentNeeded;
  controlState_ |= csAligning;
  try {
    TRect r = GetClientRect();
    AlignControls(control, r);
  } catch (...) {
    controlState_ &= ~csAligning;
    throw;
  }
  controlState_ &= ~csAligning;
}

void TWinControl::AdjustClientRect(TRect& rect) {
  rect.Left += padding_->Left();
  rect.Top += padding_->Top();
  rect.Right -= padding_->Right();
  rect.Bottom -= padding_->Bottom();
}

void TWinControl::ApplyAnchors(TControl* c, const TRect& client) {
  const auto& r = c->anchorRules_;
  if (!r.valid || c->anchors_ == kDefaultAnchors) return;
  const int pw = client.Width(), ph = client.Height();
  const bool L = c->anchors_ & (1u << akLeft), R = c->anchors_ & (1u << akRight);
  const bool T = c->anchors_ & (1u << akTop), B = c->anchors_ & (1u << akBottom);
  int left = r.left, top = r.top, width = r.width, height = r.height;
  if (R) {
    if (L)
      width = r.width + (pw - r.parentWidth);
    else
      left = r.left + (pw - r.parentWidth);
  } else if (!L && r.parentWidth > 0) {
    left = MulDiv(r.left + r.width / 2, pw, r.parentWidth) - r.width / 2;
  }
  if (B) {
    if (T)
      height = r.height + (ph - r.parentHeight);
    else
      top = r.top + (ph - r.parentHeight);
  } else if (!T && r.parentHeight > 0) {
    top = MulDiv(r.top + r.height / 2, ph, r.parentHeight) - r.height / 2;
  }
  c->SetBoundsFromLayout(left, top, width, height);
}

void TWinControl::DoAlign(TAlign align, TControl* control, TRect& rect) {
  std::vector<TControl*> list;
  for (TControl* c : controls_)
    if (c->align_ == align && (c->Visible() || HasState(csDesigning))) list.push_back(c);
  // Order as the original: by position, the control being placed first
  // among equals.
  auto key = [align](const TControl* c) {
    switch (align) {
      case alTop: return c->top_;
      case alBottom: return -(c->top_ + c->height_);
      case alLeft: return c->left_;
      case alRight: return -(c->left_ + c->width_);
      default: return 0;
    }
  };
  std::stable_sort(list.begin(), list.end(), [&](const TControl* a, const TControl* b) {
    const int ka = key(a), kb = key(b);
    if (ka != kb) return ka < kb;
    return a == control && b != control;
  });
  for (TControl* c : list) {
    const bool m = c->alignWithMargins_;
    const int ml = m ? c->margins_->Left() : 0, mt = m ? c->margins_->Top() : 0;
    const int mr = m ? c->margins_->Right() : 0, mb = m ? c->margins_->Bottom() : 0;
    int left = rect.Left + ml, top = rect.Top + mt;
    int width = rect.Width() - ml - mr, height = rect.Height() - mt - mb;
    switch (align) {
      case alTop: height = c->height_; break;
      case alBottom:
        height = c->height_;
        top = rect.Bottom - mb - height;
        break;
      case alLeft: width = c->width_; break;
      case alRight:
        width = c->width_;
        left = rect.Right - mr - width;
        break;
      case alCustom: continue;
      default: break;
    }
    c->SetBoundsFromLayout(left, top, width, height);
    // The control may have refused the size (constraints, SetBounds
    // overrides): consume what it took.
    switch (align) {
      case alTop: rect.Top += c->height_ + mt + mb; break;
      case alBottom: rect.Bottom -= c->height_ + mt + mb; break;
      case alLeft: rect.Left += c->width_ + ml + mr; break;
      case alRight: rect.Right -= c->width_ + ml + mr; break;
      default: break;
    }
  }
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
  const TRect client = GetClientRect();
  for (TControl* c : controls_)
    if (c->align_ == alNone) ApplyAnchors(c, client);
  AdjustClientRect(rect);
  DoAlign(alTop, control, rect);
  DoAlign(alBottom, control, rect);
  DoAlign(alLeft, control, rect);
  DoAlign(alRight, control, rect);
  DoAlign(alClient, control, rect);
  DoAlign(alCustom, control, rect);
}

void TWinControl::WMSize(TWMSize& msg) {
  Realign();
  TControl::WMSize(msg);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TControl* c : controls_)
    if (c->Owner() == root) proc(c);
}

void TWinControl::ChangeScale(int m, int d) {
  if (m == d) return;
  DisableAlign();
  try {
    TControl::ChangeScale(m, d);
    for (TControl* c : std::vector<TControl*>(controls_)) c->ChangeScale(m, d);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TWinControl::FixupTabList() {
  const size_t n = tabList_.size();
  std::vector<TWinControl*> placed(n, nullptr);
  std::vector<TWinControl*> rest;
  for (TWinControl* w : tabList_) {
    const int j = w->requestedTabOrder_;
    if (j >= 0 && size_t(j) < n && !placed[size_t(j)])
      placed[size_t(j)] = w;
    else
      rest.push_back(w);
  }
  size_t k = 0;
  for (auto& slot : placed)
    if (!slot && k < rest.size()) slot = rest[k++];
  tabList_ = placed;
}

void TWinControl::Loaded() {
  TControl::Loaded();
  FixupTabList();
  if (controlState_ & csAlignmentNeeded) Realign();
}
