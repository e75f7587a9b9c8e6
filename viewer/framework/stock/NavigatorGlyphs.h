// The data-aware navigator's buttons: where each visible button goes and
// the glyph it shows (our own drawings: arrows for moving, plus and minus
// for inserting and deleting, a caret for editing, a tick for posting, a
// cross for cancelling, a circular arrow for refreshing, and the tick and
// cross over a bar for applying and cancelling cached updates).
#pragma once

#include <cstdint>
#include <vector>

#include "controls/Canvas.h"

// The navigator's buttons in ordinal order (nbFirst ... nbCancelUpdates).
constexpr int kNavigatorButtonCount = 12;

struct TNavigatorButton {
  int kind;    // the button's ordinal
  TRect rect;  // its cell
};

// The visible buttons (bit n of `visible` for ordinal n) share the length
// of the control, side by side or stacked; the remainder of an uneven
// division goes to the first buttons, one pixel each.
std::vector<TNavigatorButton> NavigatorButtons(int64_t visible, int width, int height, bool vertical);

// Draws the glyph of button `kind` centred in `cell`: solid in the text
// colour when enabled, embossed grey when not.
void DrawNavigatorGlyph(TCanvas& canvas, int kind, const TRect& cell, bool enabled);
