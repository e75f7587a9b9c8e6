#include "Frames.h"

const TClassInfo& TFrame::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TFrame> b("TFrame", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    b.Publish("AutoSize")
        .BoolField("AutoScroll", true)
        .Object("HorzScrollBar", &TControlScrollBar::StaticClassInfo, &TFrame::HorzScrollBar)
        .Object("VertScrollBar", &TControlScrollBar::StaticClassInfo, &TFrame::VertScrollBar)
        .IntegerField("PixelsPerInch", 96)
        .StoredWhen([](const TFrame*) { return false; })
        .IntegerField("TextHeight", 13)
        .StoredWhen([](const TFrame*) { return false; });
    return b.Build();
  }();
  return info;
}

TFrame::TFrame(TComponent* owner)
    : TCustomControl(owner),
      horz_(std::make_unique<TControlScrollBar>()),
      vert_(std::make_unique<TControlScrollBar>()) {
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
  SetBounds(0, 0, 320, 240);
  SetColor(clBtnFace);
  SetParentColor(true);
  SetTabStop(false);
}
TFrame::~TFrame() = default;
