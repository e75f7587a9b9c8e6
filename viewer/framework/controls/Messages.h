// Message identifiers, virtual-key codes, dialog codes and the message
// records that controls receive.
//
// Controls talk to each other and to the platform layer in messages, as the
// form files' original framework did: a TMessage carries an id and two
// parameters, and TControl::Dispatch unpacks it into the typed record of its
// id and calls the dedicated virtual handler (WMSize, CMEnter, ...). See
// Controls.h for the handlers and how to override them.
#pragma once

#include <cstdint>

using Word = uint16_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

struct TMessage {
  uint32_t Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

inline LPARAM MakeLParam(uint16_t lo, uint16_t hi) {
  return static_cast<LPARAM>(static_cast<uint32_t>(lo) | (static_cast<uint32_t>(hi) << 16));
}
inline uint16_t LoWord(uintptr_t v) { return static_cast<uint16_t>(v & 0xFFFF); }
inline uint16_t HiWord(uintptr_t v) { return static_cast<uint16_t>((v >> 16) & 0xFFFF); }

// Window messages.
enum : uint32_t {
  WM_NULL = 0x0000,
  WM_CREATE = 0x0001,
  WM_DESTROY = 0x0002,
  WM_MOVE = 0x0003,
  WM_SIZE = 0x0005,
  WM_ACTIVATE = 0x0006,
  WM_SETFOCUS = 0x0007,
  WM_KILLFOCUS = 0x0008,
  WM_ENABLE = 0x000A,
  WM_SETTEXT = 0x000C,
  WM_GETTEXT = 0x000D,
  WM_PAINT = 0x000F,
  WM_CLOSE = 0x0010,
  WM_ERASEBKGND = 0x0014,
  WM_SHOWWINDOW = 0x0018,
  WM_CANCELMODE = 0x001F,
  WM_SETCURSOR = 0x0020,
  WM_GETDLGCODE = 0x0087,
  WM_KEYDOWN = 0x0100,
  WM_KEYUP = 0x0101,
  WM_CHAR = 0x0102,
  WM_SYSKEYDOWN = 0x0104,
  WM_SYSKEYUP = 0x0105,
  WM_SYSCHAR = 0x0106,
  WM_TIMER = 0x0113,
  WM_HSCROLL = 0x0114,
  WM_VSCROLL = 0x0115,
  WM_MOUSEMOVE = 0x0200,
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
  WM_RBUTTONDBLCLK = 0x0206,
  WM_MBUTTONDOWN = 0x0207,
  WM_MBUTTONUP = 0x0208,
  WM_MBUTTONDBLCLK = 0x0209,
  WM_MOUSEWHEEL = 0x020A,
  WM_CUT = 0x0300,
  WM_COPY = 0x0301,
  WM_PASTE = 0x0302,
  WM_CLEAR = 0x0303,
  WM_UNDO = 0x0304,
  WM_USER = 0x0400,
};

// Control messages: notifications between the framework's own controls.
enum : uint32_t {
  CM_BASE = 0xB000,
  CM_ACTIVATE = CM_BASE + 0,
  CM_DEACTIVATE = CM_BASE + 1,
  CM_ENABLEDCHANGED = CM_BASE + 11,
  CM_COLORCHANGED = CM_BASE + 12,
  CM_FONTCHANGED = CM_BASE + 13,
  CM_CURSORCHANGED = CM_BASE + 14,
  CM_CTL3DCHANGED = CM_BASE + 15,
  CM_PARENTCTL3DCHANGED = CM_BASE + 16,
  CM_TEXTCHANGED = CM_BASE + 17,
  CM_MOUSEENTER = CM_BASE + 18,
  CM_MOUSELEAVE = CM_BASE + 19,
  CM_MENUCHANGED = CM_BASE + 20,
  CM_APPKEYDOWN = CM_BASE + 21,
  CM_BUTTONPRESSED = CM_BASE + 24,
  CM_SHOWINGCHANGED = CM_BASE + 25,
  CM_ENTER = CM_BASE + 26,
  CM_EXIT = CM_BASE + 27,
  CM_DESIGNHITTEST = CM_BASE + 28,
  CM_ICONCHANGED = CM_BASE + 29,
  CM_WANTSPECIALKEY = CM_BASE + 30,
  CM_PARENTFONTCHANGED = CM_BASE + 31,
  CM_PARENTCOLORCHANGED = CM_BASE + 32,
  CM_VISIBLECHANGED = CM_BASE + 33,
  CM_DIALOGKEY = CM_BASE + 34,
  CM_DIALOGCHAR = CM_BASE + 35,
  CM_FOCUSCHANGED = CM_BASE + 36,
  CM_PARENTSHOWHINTCHANGED = CM_BASE + 37,
  CM_HINTSHOW = CM_BASE + 38,
  CM_CHILDKEY = CM_BASE + 44,
  CM_CONTROLLISTCHANGE = CM_BASE + 46,
  CM_TABSTOPCHANGED = CM_BASE + 48,
  CM_CANCELMODE = CM_BASE + 49,
  CM_SYSCOLORCHANGE = CM_BASE + 51,
};

// Virtual-key codes.
enum : Word {
  VK_LBUTTON = 0x01,
  VK_RBUTTON = 0x02,
  VK_CANCEL = 0x03,
  VK_MBUTTON = 0x04,
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_CLEAR = 0x0C,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_MENU = 0x12,
  VK_PAUSE = 0x13,
  VK_CAPITAL = 0x14,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,
  VK_NEXT = 0x22,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_SELECT = 0x29,
  VK_PRINT = 0x2A,
  VK_EXECUTE = 0x2B,
  VK_SNAPSHOT = 0x2C,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
  VK_HELP = 0x2F,
  // '0'..'9' are 0x30..0x39 and 'A'..'Z' 0x41..0x5A.
  VK_LWIN = 0x5B,
  VK_RWIN = 0x5C,
  VK_APPS = 0x5D,
  VK_NUMPAD0 = 0x60,
  VK_NUMPAD9 = 0x69,
  VK_MULTIPLY = 0x6A,
  VK_ADD = 0x6B,
  VK_SEPARATOR = 0x6C,
  VK_SUBTRACT = 0x6D,
  VK_DECIMAL = 0x6E,
  VK_DIVIDE = 0x6F,
  VK_F1 = 0x70,
  VK_F2 = 0x71,
  VK_F3 = 0x72,
  VK_F4 = 0x73,
  VK_F5 = 0x74,
  VK_F6 = 0x75,
  VK_F7 = 0x76,
  VK_F8 = 0x77,
  VK_F9 = 0x78,
  VK_F10 = 0x79,
  VK_F11 = 0x7A,
  VK_F12 = 0x7B,
  VK_F24 = 0x87,
  VK_NUMLOCK = 0x90,
  VK_SCROLL = 0x91,
  VK_OEM_1 = 0xBA,       // ';:'
  VK_OEM_PLUS = 0xBB,    // '=+'
  VK_OEM_COMMA = 0xBC,   // ',<'
  VK_OEM_MINUS = 0xBD,   // '-_'
  VK_OEM_PERIOD = 0xBE,  // '.>'
  VK_OEM_2 = 0xBF,       // '/?'
  VK_OEM_3 = 0xC0,       // '`~'
  VK_OEM_4 = 0xDB,       // '[{'
  VK_OEM_5 = 0xDC,       // '\|'
  VK_OEM_6 = 0xDD,       // ']}'
  VK_OEM_7 = 0xDE,       // quote
};

// WM_GETDLGCODE answers: which keys a control wants for itself instead of
// the form's dialog navigation.
enum : uint32_t {
  DLGC_WANTARROWS = 0x0001,
  DLGC_WANTTAB = 0x0002,
  DLGC_WANTALLKEYS = 0x0004,
  DLGC_WANTMESSAGE = 0x0004,
  DLGC_HASSETSEL = 0x0008,
  DLGC_DEFPUSHBUTTON = 0x0010,
  DLGC_UNDEFPUSHBUTTON = 0x0020,
  DLGC_RADIOBUTTON = 0x0040,
  DLGC_WANTCHARS = 0x0080,
  DLGC_STATIC = 0x0100,
  DLGC_BUTTON = 0x2000,
};

// WM_SIZE kinds.
enum : uint32_t { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

// Message beep kinds (MessageBeep).
enum : uint32_t {
  MB_OK = 0x00000000,
  MB_ICONHAND = 0x00000010,
  MB_ICONQUESTION = 0x00000020,
  MB_ICONEXCLAMATION = 0x00000030,
  MB_ICONASTERISK = 0x00000040,
  MB_ICONSTOP = 0x00000010,
};

// Key-state bits in a mouse message's WParam.
enum : uint32_t {
  MK_LBUTTON = 0x0001,
  MK_RBUTTON = 0x0002,
  MK_SHIFT = 0x0004,
  MK_CONTROL = 0x0008,
  MK_MBUTTON = 0x0010,
  MK_ALT = 0x0020,  // this framework's own bit: the Alt key was down
};

// Typed message records. Dispatch fills one from a TMessage, calls the
// handler, and copies Result back.

struct TWMSize {
  uint32_t Msg = WM_SIZE;
  uint32_t SizeType = SIZE_RESTORED;
  uint16_t Width = 0;   // new client width
  uint16_t Height = 0;  // new client height
  LRESULT Result = 0;
};

class TWinControl;

struct TWMSetFocus {
  uint32_t Msg = WM_SETFOCUS;
  TWinControl* FocusedWnd = nullptr;  // the control that lost the focus
  LRESULT Result = 0;
};

struct TWMKillFocus {
  uint32_t Msg = WM_KILLFOCUS;
  TWinControl* FocusedWnd = nullptr;  // the control that receives the focus
  LRESULT Result = 0;
};

// WM_KEYDOWN, WM_KEYUP, WM_CHAR and their WM_SYS... twins, CM_DIALOGKEY,
// CM_DIALOGCHAR, CM_WANTSPECIALKEY, CM_CHILDKEY. KeyData's bit 29 is set
// while Alt is down.
struct TWMKey {
  uint32_t Msg = 0;
  Word CharCode = 0;
  int32_t KeyData = 0;
  LRESULT Result = 0;
};
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMChar = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;

inline constexpr int32_t kKeyDataAltDown = 0x20000000;

// Mouse messages; XPos/YPos in the receiving control's client coordinates.
struct TWMMouse {
  uint32_t Msg = 0;
  uint32_t Keys = 0;  // MK_ bits
  int16_t XPos = 0;
  int16_t YPos = 0;
  LRESULT Result = 0;
};

// Messages without parameters of their own: WM_GETDLGCODE, WM_PASTE,
// WM_CUT, WM_COPY, WM_CLEAR, WM_UNDO, CM_ENTER, CM_EXIT.
struct TWMNoParams {
  uint32_t Msg = 0;
  LRESULT Result = 0;
};
using TWMGetDlgCode = TWMNoParams;
using TCMEnter = TWMNoParams;
using TCMExit = TWMNoParams;
