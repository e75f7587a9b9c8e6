#include "Spin/SpinRules.h"

#include <algorithm>
#include <limits>

namespace spin {

TButtonPair LayOutButtonPair(int32_t width, int32_t height) {
  TButtonPair pair;
  pair.Width = std::max(width, int32_t(kMinButtonWidth));
  const int32_t upper = height / 2;  // C++ division truncates toward zero
  pair.Upper = Bounds(0, 0, pair.Width, upper);
  pair.Lower = Bounds(0, upper - 1, pair.Width, height - upper + 1);
  return pair;
}

TRect FocusMarkRect(int32_t width, int32_t height, bool pressed) {
  const int32_t shift = pressed ? 1 : 0;
  return Rect(3 + shift, 3 + shift, width - 3 + shift, height - 3 + shift);
}

int32_t ClampValue(int32_t value, int32_t minValue, int32_t maxValue) {
  if (minValue == maxValue) return value;
  if (value < minValue) return minValue;
  if (value > maxValue) return maxValue;
  return value;
}

int32_t StepValue(int32_t value, int32_t increment, bool up) {
  const int64_t next = up ? int64_t(value) + increment : int64_t(value) - increment;
  return int32_t(std::clamp<int64_t>(next, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

bool AcceptsSpinChar(char key, char decimalSeparator, bool editorEnabled) {
  const unsigned char code = static_cast<unsigned char>(key);
  bool accepted =
      key == '+' || key == '-' || (key >= '0' && key <= '9') || key == decimalSeparator || (code < 32 && code != 13);
  if (accepted && !editorEnabled && (code >= 32 || code == 8)) accepted = false;
  return accepted;
}

int32_t MinimumEditHeight(int32_t fontHeight, int32_t screenFontHeight, int32_t borderHeight) {
  const int32_t smaller = std::min(fontHeight, screenFontHeight);
  return fontHeight + smaller / 4 + 4 * borderHeight + 2;
}

TRect EmbeddedButtonBounds(int32_t editWidth, int32_t editHeight, int32_t buttonWidth, bool threeD) {
  if (threeD) return Bounds(editWidth - buttonWidth - 5, 0, buttonWidth, editHeight - 5);
  return Bounds(editWidth - buttonWidth, 1, buttonWidth, editHeight - 3);
}

TRect EditTextArea(int32_t clientWidth, int32_t clientHeight, int32_t buttonWidth) {
  return Rect(0, 0, clientWidth - buttonWidth - 2, clientHeight + 1);
}

}  // namespace spin
