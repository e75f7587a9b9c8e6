// Where a tab set's tabs go. The tabs run along one edge of the control
// from StartMargin on, each as long as its text plus padding, and meet a
// base line on the side facing the pages: tabs at the bottom hang down from
// a line along the top edge, tabs at the top stand on a line along the
// bottom edge, tabs on the left or right stack down beside a line on the
// opposite edge.
#pragma once

#include <vector>

#include "controls/Graphics.h"

// Scoped: the page controls' tab positions share the identifiers.
enum class TTabSetPosition { tpTop, tpBottom, tpLeft, tpRight };

struct TTabSetLayout {
  TRect baseLine;           // the line the tabs meet
  std::vector<TRect> tabs;  // one per tab, in order (the selected one reaches the line)
};

// textSizes: each tab's text extent; selected: the selected tab or -1.
TTabSetLayout LayOutTabSet(
    const std::vector<TSize>& textSizes, int selected, TTabSetPosition position, int width, int height,
    int startMargin);
