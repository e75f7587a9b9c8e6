#include "TabSetLayout.h"

namespace {
// Padding around a tab's text along the edge, and the overlap of neighbours.
constexpr int kTabPadding = 12;
constexpr int kOverlap = 2;
// How far the unselected tabs stand back from the base line, and how far
// every tab stops short of the far edge.
constexpr int kStandBack = 2;
}  // namespace

TTabSetLayout LayOutTabSet(
    const std::vector<TSize>& textSizes, int selected, TTabSetPosition position, int width, int height,
    int startMargin) {
  TTabSetLayout layout;
  const bool vertical = position == TTabSetPosition::tpLeft || position == TTabSetPosition::tpRight;
  switch (position) {
    case TTabSetPosition::tpBottom: layout.baseLine = Rect(0, 0, width, 1); break;
    case TTabSetPosition::tpTop: layout.baseLine = Rect(0, height - 1, width, height); break;
    case TTabSetPosition::tpLeft: layout.baseLine = Rect(width - 1, 0, width, height); break;
    case TTabSetPosition::tpRight: layout.baseLine = Rect(0, 0, 1, height); break;
  }
  int along = startMargin;
  for (size_t i = 0; i < textSizes.size(); ++i) {
    const bool sel = int(i) == selected;
    const int length = (vertical ? textSizes[i].cy : textSizes[i].cx) + kTabPadding;
    const int nearEdge = sel ? 0 : kStandBack;  // distance from the base line
    TRect r;
    switch (position) {
      case TTabSetPosition::tpBottom: r = Rect(along, nearEdge, along + length, height - kStandBack); break;
      case TTabSetPosition::tpTop: r = Rect(along, kStandBack, along + length, height - nearEdge); break;
      case TTabSetPosition::tpLeft: r = Rect(kStandBack, along, width - nearEdge, along + length); break;
      case TTabSetPosition::tpRight: r = Rect(nearEdge, along, width - kStandBack, along + length); break;
    }
    layout.tabs.push_back(r);
    along += length - kOverlap;
  }
  return layout;
}
