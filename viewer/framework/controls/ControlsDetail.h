#pragma once
// What the units of TControl and TWinControl share without publishing it:
// the focus, capture and key state of the running program, the translation
// of platform input, and the widgets that carry windowed controls.
#include <unordered_map>

#include <QObject>
#include <QWidget>

#include "Controls.h"

class QEvent;
class QPaintEvent;

namespace controls_detail {

extern TWinControl* g_focused;
extern TControl* g_capture;
extern TShiftState g_keyShift;  // shift state of the key being processed
extern bool g_resendingKey;
// Where in the client area the buffer of the next PaintHandler starts: the
// painting widget sets it for the part a paint event exposes.
extern TPoint exposedOrigin;

// The virtual key of a key on the numeric keypad, or 0.
Word KeypadVirtualKey(int key);
// The shift state of the MK_* flags a mouse message carries.
TShiftState ShiftOfKeys(uint32_t keys);
Qt::CursorShape QtCursorOf(TCursor c);

// Delivers a platform event to its control. An exception raised by a
// handler (a click that loads a bad file, say) must not unwind through Qt's
// event loop: it goes to the application's handler, which shows the message,
// and the program carries on.
bool DispatchGuarded(TWinControl* control, QEvent* e);

// The widget of a windowed control that draws itself.
class TControlWidget : public QWidget {
 public:
  TControlWidget(TWinControl* control, QWidget* parent, Qt::WindowFlags flags);
  void Detach() { control_ = nullptr; }
  TWinControl* Control() const { return control_; }

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  TWinControl* control_;
};

// Routes the events of wrapped native widgets to their controls.
class NativeEventFilter : public QObject {
 public:
  static NativeEventFilter& Instance();
  void Add(QWidget* w, TWinControl* c) { map_[w] = c; }
  void Remove(QWidget* w) { map_.erase(w); }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  // Every event of every wrapped widget looks itself up here.
  std::unordered_map<QObject*, TWinControl*> map_;
};

}  // namespace controls_detail
