// The arithmetic and geometry of the spin controls, as pure functions that
// tests can call without a window. The controls in SpinButton.h and
// SpinEdit.h apply them; nothing here touches a widget.
#pragma once

#include <cstdint>

#include "controls/Graphics.h"

namespace spin {

// Narrowest width a spin button accepts; there is no minimum height.
inline constexpr int kMinButtonWidth = 15;

// Where the two halves of a spin button of a proposed size go.
struct TButtonPair {
  int32_t Width = 0;  // the proposed width, widened to kMinButtonWidth
  TRect Upper;        // (0, 0) .. (Width, Height div 2)
  TRect Lower;        // overlaps Upper by one pixel, ends at Height
};
// Height is taken as given, even when 0 or negative; the upper half is
// Height div 2 (truncating toward zero) and the lower half the rest plus
// the one overlapping pixel.
TButtonPair LayOutButtonPair(int32_t width, int32_t height);

// The dotted focus mark of a button of that size: inset by 3 on every side,
// moved one pixel right and down while the button is pressed.
TRect FocusMarkRect(int32_t width, int32_t height, bool pressed);

// The bounds rule of a spin edit: equal bounds mean "unbounded"; otherwise
// the lower bound is tested first, so with min above max every value below
// min becomes min and every other value becomes max.
int32_t ClampValue(int32_t value, int32_t minValue, int32_t maxValue);

// One up (+increment) or down (-increment) step from value, computed in 64
// bits and held to the 32-bit range: a step past either end stops at that
// end instead of wrapping around to the other.
int32_t StepValue(int32_t value, int32_t increment, bool up);

// Whether a typed character may enter a spin edit: signs, digits, the
// decimal separator and control characters other than carriage return;
// with the editor disabled only control characters other than backspace.
bool AcceptsSpinChar(char key, char decimalSeparator, bool editorEnabled);

// The lowest a spin edit may be: from the cell height of its font, the
// screen font's cell height and the border height.
int32_t MinimumEditHeight(int32_t fontHeight, int32_t screenFontHeight, int32_t borderHeight);

// The embedded spin button's bounds in an edit of outer size width x height
// (new-style 3-D border: inside the sunken frame; flat: flush right).
TRect EmbeddedButtonBounds(int32_t editWidth, int32_t editHeight, int32_t buttonWidth, bool threeD);

// The edit's text area: stops 2 pixels short of the embedded button.
TRect EditTextArea(int32_t clientWidth, int32_t clientHeight, int32_t buttonWidth);

}  // namespace spin
