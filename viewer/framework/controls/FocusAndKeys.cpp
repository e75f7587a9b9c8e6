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
// TWinControl: focus, the keyboard and dialog keys

// --- focus

int TWinControl::TabOrder() const {
  if (!parent_) return requestedTabOrder_ >= 0 ? 0 : -1;
  const auto& l = parent_->tabList_;
  auto it = std::find(l.begin(), l.end(), this);
  return it == l.end() ? -1 : int(it - l.begin());
}

void TWinControl::SetTabOrder(int order) {
  requestedTabOrder_ = order;
  if (!parent_ || HasState(csLoading) || parent_->HasState(csLoading)) return;
  auto& l = parent_->tabList_;
  l.erase(std::remove(l.begin(), l.end(), this), l.end());
  const size_t pos = (order < 0 || size_t(order) > l.size()) ? l.size() : size_t(order);
  l.insert(l.begin() + std::ptrdiff_t(pos), this);
}

void TWinControl::SetTabStop(bool v) {
  if (tabStop_ == v) return;
  tabStop_ = v;
  Perform(CM_TABSTOPCHANGED);
}

std::vector<TWinControl*> TWinControl::TabList() const { return tabList_; }

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* w : tabList_) {
    list.push_back(w);
    w->GetTabOrderList(list);
  }
}

bool TWinControl::CanFocus() const {
  TCustomForm* form = GetParentForm(this);
  if (!form) return Visible() && Enabled();
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return g_focused == this; }

// Moves the keyboard focus: WM_KILLFOCUS to the old control, WM_SETFOCUS to
// the new one, whose handler tells its form (CM_EXIT, CM_ENTER).
static void MoveFocus(TWinControl* target, bool fromPlatform) {
  TWinControl* old = g_focused;
  if (old == target) return;
  g_focused = target;
  if (old) old->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(target));
  if (target) {
    target->Perform(WM_SETFOCUS, reinterpret_cast<WPARAM>(old));
    if (!fromPlatform && g_focused == target && target->HandleAllocated())
      target->Handle()->setFocus(Qt::OtherFocusReason);
  }
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  HandleNeeded();
  MoveFocus(this, false);
}

void TWinControl::HandleQtFocusIn() {
  if (g_focused != this && CanFocus()) MoveFocus(this, true);
}

TWinControl* TWinControl::FindNextControl(
    TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int n = int(list.size());
  int i = int(std::find(list.begin(), list.end(), current) - list.begin());
  if (i >= n) i = goForward ? n - 1 : 0;
  const int start = i;
  do {
    i = goForward ? (i + 1) % n : (i + n - 1) % n;
    TWinControl* c = list[size_t(i)];
    if (c != current && c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter.code(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit.code(this);
}

// --- keyboard

bool TWinControl::DoKeyDown(TWMKey& msg) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyDown(msg)) return true;
  Word key = msg.CharCode;
  TShiftState shift = g_keyShift;
  if (!HasStyle(csNoStdEvents)) KeyDown(key, shift);
  msg.CharCode = key;
  return key == 0;
}
bool TWinControl::DoKeyPress(TWMKey& msg) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(msg)) return true;
  char ch = char(msg.CharCode);
  if (!HasStyle(csNoStdEvents)) KeyPress(ch);
  msg.CharCode = Word(uint8_t(ch));
  return ch == 0;
}
bool TWinControl::DoKeyUp(TWMKey& msg) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyUp(msg)) return true;
  Word key = msg.CharCode;
  if (!HasStyle(csNoStdEvents)) KeyUp(key, g_keyShift);
  msg.CharCode = key;
  return key == 0;
}

void TWinControl::KeyDown(Word& key, TShiftState shift) {
  if (OnKeyDownProc)
    OnKeyDownProc(this, key, shift);
  else if (OnKeyDown)
    OnKeyDown.code(this);
}
void TWinControl::KeyPress(char& key) {
  if (OnKeyPressProc)
    OnKeyPressProc(this, key);
  else if (OnKeyPress)
    OnKeyPress.code(this);
}
void TWinControl::KeyUp(Word& key, TShiftState shift) {
  if (OnKeyUpProc)
    OnKeyUpProc(this, key, shift);
  else if (OnKeyUp)
    OnKeyUp.code(this);
}

void TWinControl::WMKeyDown(TWMKey& msg) {
  if (DoKeyDown(msg)) msg.Result = 1;
}
void TWinControl::WMKeyUp(TWMKey& msg) {
  if (DoKeyUp(msg)) msg.Result = 1;
}
void TWinControl::WMChar(TWMKey& msg) {
  if (DoKeyPress(msg)) msg.Result = 1;
}
void TWinControl::WMSysKeyDown(TWMKey& msg) {
  if (DoKeyDown(msg)) msg.Result = 1;
}
void TWinControl::WMSysKeyUp(TWMKey& msg) {
  if (DoKeyUp(msg)) msg.Result = 1;
}
void TWinControl::WMSysChar(TWMKey& msg) { (void)msg; }

bool TWinControl::DialogKeyStage(TWMKey& msg) {
  if (HasState(csDesigning)) return false;
  if (Perform(CM_CHILDKEY, msg.CharCode, reinterpret_cast<LPARAM>(this)) != 0) return true;
  uint32_t mask = 0;
  switch (msg.CharCode) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask == 0) return false;
  if (Perform(CM_WANTSPECIALKEY, msg.CharCode) != 0) return false;
  if (Perform(WM_GETDLGCODE) & mask) return false;
  TWinControl* top = GetParentForm(this);
  if (!top) {
    top = this;
    while (top->Parent()) top = top->Parent();
  }
  return top->Perform(CM_DIALOGKEY, msg.CharCode, msg.KeyData) != 0;
}

bool TWinControl::DialogCharStage(TWMKey& msg) {
  if (HasState(csDesigning)) return false;
  const bool alt = (msg.KeyData & kKeyDataAltDown) != 0;
  if (!alt && (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS)) return false;
  TWinControl* top = GetParentForm(this);
  if (!top) {
    top = this;
    while (top->Parent()) top = top->Parent();
  }
  return top->Perform(CM_DIALOGCHAR, msg.CharCode, msg.KeyData) != 0;
}

bool TWinControl::HandleQtKeyPress(QKeyEvent* e) {
  const int mods = int(e->modifiers());
  const bool alt = (mods & Qt::AltModifier) != 0;
  Word vk = (mods & Qt::KeypadModifier) ? KeypadVirtualKey(e->key()) : 0;
  if (!vk) vk = QtKeyToVirtualKey(e->key(), e->text());
  const TShiftState savedShift = g_keyShift;
  g_keyShift = ShiftStateOfModifiers(mods);
  struct Restore {
    TShiftState s;
    ~Restore() { g_keyShift = s; }
  } restore{savedShift};
  TWMKey m;
  m.KeyData = alt ? kKeyDataAltDown : 0;
  if (vk) {
    if (e->key() == Qt::Key_Backtab) g_keyShift |= ShiftOf(ssShift);
    m.Msg = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    m.CharCode = vk;
    if (DialogKeyStage(m)) return true;
    if (Perform(m.Msg, m.CharCode, m.KeyData) != 0) return true;
  }
  const QString text = e->text();
  if (text.isEmpty() || text[0].unicode() == 0x7F) return false;
  if (vk == VK_TAB) return false;
  const std::string bytes = EncodeCodePage(text.left(1), Font()->CodePage());
  if (bytes.empty()) return false;
  m.Msg = alt ? WM_SYSCHAR : WM_CHAR;
  m.CharCode = Word(uint8_t(bytes[0]));
  if (DialogCharStage(m)) return true;
  TMessage cm{m.Msg, m.CharCode, m.KeyData, 0};
  WndProc(cm);
  if (cm.Result != 0) return true;
  // A handler that changed the character: a native widget gets the new one.
  if (!ownWidget_ && widget_ && Word(cm.WParam) != m.CharCode && !g_resendingKey) {
    char ch = char(cm.WParam);
    QKeyEvent replaced(e->type(), e->key(), e->modifiers(), Font()->Decode(std::string(1, ch)));
    g_resendingKey = true;
    QCoreApplication::sendEvent(widget_.data(), &replaced);
    g_resendingKey = false;
    return true;
  }
  return false;
}

bool TWinControl::HandleQtKeyRelease(QKeyEvent* e) {
  const int mods = int(e->modifiers());
  Word vk = (mods & Qt::KeypadModifier) ? KeypadVirtualKey(e->key()) : 0;
  if (!vk) vk = QtKeyToVirtualKey(e->key(), e->text());
  if (!vk) return false;
  const TShiftState savedShift = g_keyShift;
  g_keyShift = ShiftStateOfModifiers(mods);
  const bool alt = (mods & Qt::AltModifier) != 0;
  LRESULT r = Perform(alt ? WM_SYSKEYUP : WM_KEYUP, vk, alt ? kKeyDataAltDown : 0);
  g_keyShift = savedShift;
  return r != 0;
}
