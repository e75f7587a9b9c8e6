#include "ControlsDetail.h"

#include <cstdint>
#include <string>

#include <QString>

#include "core/Ascii.h"
#include "core/SysUtils.h"

// ---------------------------------------------------------------------------
// Accelerators, and the translation of platform keys and modifiers

bool IsAccel(Word vk, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return Word(uint8_t(AsciiUpper(caption[i + 1]))) == Word(uint8_t(AsciiUpper(char(vk))));
  }
  return false;
}

QString CaptionToMnemonicText(const std::string& caption, const char* codePage) {
  return DecodeFormStringIn(caption, codePage);
}

QString CaptionToMnemonicText(const std::string& caption, const TFont& font) { return font.Decode(caption); }

QString StripAccelText(const std::string& caption, const TFont& font) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return font.Decode(out);
}

Word QtKeyToVirtualKey(int key, const QString& text) {
  (void)text;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return Word(key);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return Word(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return Word(VK_F1 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Select: return VK_SELECT;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Execute: return VK_EXECUTE;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Meta: return VK_LWIN;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Plus:
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    // Shifted digits on a US keyboard.
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    default: return 0;
  }
}

Word controls_detail::KeypadVirtualKey(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return Word(VK_NUMPAD0 + (key - Qt::Key_0));
  switch (key) {
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Plus: return VK_ADD;
    case Qt::Key_Minus: return VK_SUBTRACT;
    case Qt::Key_Period: return VK_DECIMAL;
    case Qt::Key_Slash: return VK_DIVIDE;
    default: return 0;
  }
}

TShiftState ShiftStateOfModifiers(int mods, int buttons) {
  TShiftState s = 0;
  if (mods & Qt::ShiftModifier) s |= ShiftOf(ssShift);
  if (mods & Qt::AltModifier) s |= ShiftOf(ssAlt);
  if (mods & Qt::ControlModifier) s |= ShiftOf(ssCtrl);
  if (buttons & Qt::LeftButton) s |= ShiftOf(ssLeft);
  if (buttons & Qt::RightButton) s |= ShiftOf(ssRight);
  if (buttons & Qt::MiddleButton) s |= ShiftOf(ssMiddle);
  return s;
}

TShiftState controls_detail::ShiftOfKeys(uint32_t keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ShiftOf(ssShift);
  if (keys & MK_CONTROL) s |= ShiftOf(ssCtrl);
  if (keys & MK_ALT) s |= ShiftOf(ssAlt);
  if (keys & MK_LBUTTON) s |= ShiftOf(ssLeft);
  if (keys & MK_RBUTTON) s |= ShiftOf(ssRight);
  if (keys & MK_MBUTTON) s |= ShiftOf(ssMiddle);
  return s;
}
