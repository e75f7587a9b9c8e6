// Scrolling windows: a form or scroll box whose children reach past its
// client area shows scroll bars and moves the children by the bars'
// positions, as the original's scrolling windows do.
//
// The geometry is pure (ScrollExtentOf): tests call it without a window.
// TScrollingArea puts the two bars on a control's widget and scrolls.
#pragma once

#include <vector>

#include <QPointer>
#include <QScrollBar>

#include "Controls.h"

class TControlScrollBar;

// Thickness of a system scroll bar.
constexpr int kScrollBarSize = 17;

struct TScrollAxis {
  int range = 0;       // the content's extent along the axis
  bool shown = false;  // the bar is needed and visible
};

struct TScrollExtent {
  TScrollAxis horz, vert;
  int clientWidth = 0, clientHeight = 0;  // what the bars leave
};

// Input of one axis: the scroll bar's Range and Visible, and whether the
// window computes the range from its children (AutoScroll).
struct TScrollAxisSettings {
  int range = 0;
  bool visible = true;
};

// The ranges and bars of a window with the given client size. Children are
// the bounds of its visible, non-aligned children in unscrolled client
// coordinates. With autoScroll the range is how far they reach (or Range
// when that is larger); without it, Range alone. A bar shows when the range
// passes the client extent that the other bar leaves.
TScrollExtent ScrollExtentOf(
    const std::vector<TRect>& children, int clientWidth, int clientHeight, TScrollAxisSettings horz,
    TScrollAxisSettings vert, bool autoScroll);

// The two scroll bars of a scrolling window, children of its widget.
class TScrollingArea {
 public:
  explicit TScrollingArea(TWinControl* owner) : owner_(owner) {}
  ~TScrollingArea();
  TScrollingArea(const TScrollingArea&) = delete;
  TScrollingArea& operator=(const TScrollingArea&) = delete;

  // Recomputes the ranges from the owner's children and shows, hides and
  // places the bars inside clientRect (widget coordinates). True when the
  // room the bars take changed: the owner then aligns its children again.
  bool Update(const TControlScrollBar& horz, const TControlScrollBar& vert, bool autoScroll, TRect clientRect);
  // The room the visible bars take from the client area.
  int ReservedWidth() const { return extent_.vert.shown ? kScrollBarSize : 0; }
  int ReservedHeight() const { return extent_.horz.shown ? kScrollBarSize : 0; }
  TPoint Position() const { return {posX_, posY_}; }
  const TScrollExtent& Extent() const { return extent_; }
  QScrollBar* HorzBar() const { return horzBar_.data(); }
  QScrollBar* VertBar() const { return vertBar_.data(); }
  // Scrolls to a position (clamped to the ranges), moving the children.
  void ScrollTo(int x, int y);
  // Takes the position a form stored for its scroll bars, once it is read:
  // the children stored their bounds as the designer's scrolled view
  // showed them, so they stay where they are and the range is counted
  // from the stored position. The next Update clamps it to the ranges.
  void AdoptStoredPosition(const TControlScrollBar& horz, const TControlScrollBar& vert);

 private:
  QScrollBar* MakeBar(Qt::Orientation orientation);
  void Place(QScrollBar* bar, bool shown, int range, int page, int value, QRect geometry);

  TWinControl* owner_;
  QPointer<QScrollBar> horzBar_, vertBar_;
  TScrollExtent extent_;
  int posX_ = 0, posY_ = 0;
  bool updating_ = false;
};
