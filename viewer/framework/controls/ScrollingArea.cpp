#include "ScrollingArea.h"

#include <algorithm>

#include "Forms.h"

namespace {
int Reach(const std::vector<TRect>& children, bool horizontal) {
  int reach = 0;
  for (const TRect& r : children) reach = std::max(reach, horizontal ? r.Right : r.Bottom);
  return reach;
}
}  // namespace

TScrollExtent ScrollExtentOf(
    const std::vector<TRect>& children, int clientWidth, int clientHeight, TScrollAxisSettings horz,
    TScrollAxisSettings vert, bool autoScroll) {
  TScrollExtent e;
  e.horz.range = autoScroll ? std::max(Reach(children, true), horz.range) : horz.range;
  e.vert.range = autoScroll ? std::max(Reach(children, false), vert.range) : vert.range;
  e.horz.range = std::max(0, e.horz.range);
  e.vert.range = std::max(0, e.vert.range);
  // One bar takes room from the other direction: decide twice.
  bool h = false, v = false;
  for (int pass = 0; pass < 2; ++pass) {
    h = horz.visible && e.horz.range > clientWidth - (v ? kScrollBarSize : 0);
    v = vert.visible && e.vert.range > clientHeight - (h ? kScrollBarSize : 0);
  }
  e.horz.shown = h;
  e.vert.shown = v;
  e.clientWidth = std::max(0, clientWidth - (v ? kScrollBarSize : 0));
  e.clientHeight = std::max(0, clientHeight - (h ? kScrollBarSize : 0));
  return e;
}

TScrollingArea::~TScrollingArea() {
  delete horzBar_.data();
  delete vertBar_.data();
}

QScrollBar* TScrollingArea::MakeBar(Qt::Orientation orientation) {
  auto* bar = new QScrollBar(orientation, owner_->WidgetIfAllocated());
  QObject::connect(bar, &QScrollBar::valueChanged, bar, [this, orientation](int value) {
    if (updating_) return;
    if (orientation == Qt::Horizontal)
      ScrollTo(value, posY_);
    else
      ScrollTo(posX_, value);
  });
  return bar;
}

void TScrollingArea::Place(QScrollBar* bar, bool shown, int range, int page, int value, QRect geometry) {
  bar->setVisible(shown);
  if (!shown) return;
  bar->setRange(0, std::max(0, range - page));
  bar->setPageStep(std::max(1, page));
  bar->setSingleStep(8);
  bar->setValue(value);
  bar->setGeometry(geometry);
  bar->raise();
}

bool TScrollingArea::Update(
    const TControlScrollBar& horz, const TControlScrollBar& vert, bool autoScroll, TRect clientRect) {
  if (updating_) return false;
  const int reservedWidth = ReservedWidth(), reservedHeight = ReservedHeight();
  std::vector<TRect> children;
  for (int i = 0; i < owner_->ControlCount(); ++i) {
    const TControl* c = owner_->Controls(i);
    if (!c->Visible() || c->Align() != alNone || !c->WidensScrollRange()) continue;
    // Unscrolled client coordinates: where the child is plus how far the
    // window has scrolled.
    children.push_back(Bounds(c->Left() + posX_, c->Top() + posY_, c->Width(), c->Height()));
  }
  extent_ = ScrollExtentOf(
      children, clientRect.Width(), clientRect.Height(), {horz.Range(), horz.Visible()}, {vert.Range(), vert.Visible()},
      autoScroll);
  // Scroll back what no longer needs scrolling.
  ScrollTo(posX_, posY_);
  const bool roomChanged = reservedWidth != ReservedWidth() || reservedHeight != ReservedHeight();
  if (!owner_->WidgetIfAllocated()) return roomChanged;
  updating_ = true;
  if (!horzBar_ && extent_.horz.shown) horzBar_ = MakeBar(Qt::Horizontal);
  if (!vertBar_ && extent_.vert.shown) vertBar_ = MakeBar(Qt::Vertical);
  const int right = clientRect.Left + extent_.clientWidth, bottom = clientRect.Top + extent_.clientHeight;
  if (horzBar_)
    Place(horzBar_, extent_.horz.shown, extent_.horz.range, extent_.clientWidth, posX_,
          QRect(clientRect.Left, bottom, extent_.clientWidth, kScrollBarSize));
  if (vertBar_)
    Place(vertBar_, extent_.vert.shown, extent_.vert.range, extent_.clientHeight, posY_,
          QRect(right, clientRect.Top, kScrollBarSize, extent_.clientHeight));
  updating_ = false;
  return roomChanged;
}

void TScrollingArea::AdoptStoredPosition(const TControlScrollBar& horz, const TControlScrollBar& vert) {
  posX_ = horz.Position();
  posY_ = vert.Position();
}

void TScrollingArea::ScrollTo(int x, int y) {
  const int maxX = extent_.horz.shown ? std::max(0, extent_.horz.range - extent_.clientWidth) : 0;
  const int maxY = extent_.vert.shown ? std::max(0, extent_.vert.range - extent_.clientHeight) : 0;
  x = std::clamp(x, 0, maxX);
  y = std::clamp(y, 0, maxY);
  const int dx = x - posX_, dy = y - posY_;
  if (dx == 0 && dy == 0) return;
  posX_ = x;
  posY_ = y;
  updating_ = true;
  owner_->DisableAlign();
  for (int i = 0; i < owner_->ControlCount(); ++i) {
    TControl* c = owner_->Controls(i);
    if (c->Align() != alNone) continue;
    c->SetBounds(c->Left() - dx, c->Top() - dy, c->Width(), c->Height());
  }
  owner_->EnableAlign();
  if (horzBar_) horzBar_->setValue(posX_);
  if (vertBar_) vertBar_->setValue(posY_);
  updating_ = false;
  owner_->Invalidate();
}
