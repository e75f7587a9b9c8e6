#include "Calendar.h"

namespace {
const TEnumInfo& BorderStyleInfo() {
  static const TEnumInfo info{"TBorderStyle", {"bsNone", "bsSingle"}};
  return info;
}
}  // namespace

const TClassInfo& TCalendar::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCalendar>("TCalendar", &TCustomControl::StaticClassInfo())
          .Publish("Align")
          .Publish("Anchors")
          .EnumField("BorderStyle", BorderStyleInfo(), 1)
          .Publish("Color")
          .Publish("Constraints")
          .Publish("Ctl3D")
          .IntegerField("Day")
          .Publish("DragCursor")
          .Publish("DragKind")
          .Publish("DragMode")
          .Publish("Enabled")
          .Publish("Font")
          .IntegerField("GridLineWidth", 1)
          .IntegerField("Month")
          .Publish("ParentColor", 0)
          .Publish("ParentFont")
          .Publish("ParentShowHint")
          .Publish("PopupMenu")
          .BoolField("ReadOnly", false)
          .Publish("ShowHint")
          .IntegerField("StartOfWeek")
          .Publish("TabOrder")
          .Publish("TabStop", 1)
          .BoolField("UseCurrentDate", true)
          .Publish("Visible")
          .IntegerField("Year")
          .Publish("OnClick")
          .Publish("OnDblClick")
          .Publish("OnDragDrop")
          .Publish("OnDragOver")
          .Publish("OnEndDock")
          .Publish("OnEndDrag")
          .Publish("OnEnter")
          .Publish("OnExit")
          .Publish("OnKeyDown")
          .Publish("OnKeyPress")
          .Publish("OnKeyUp")
          .Publish("OnStartDock")
          .Publish("OnStartDrag")
          .Build();
  return info;
}

TCalendar::TCalendar(TComponent* owner) : TCustomControl(owner) {
  SetBounds(Left(), Top(), 320, 120);
}

void TCalendar::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(Color());
  canvas->Pen()->SetColor(clBtnShadow);
  canvas->Rectangle(0, 0, Width(), Height());
}
