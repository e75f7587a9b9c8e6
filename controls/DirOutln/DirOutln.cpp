#include "DirOutln.h"

#include "controls/Bitmap.h"

const TEnumInfo& TextCaseEnumInfo() {
  static const TEnumInfo info{"TTextCase", {"tcLowerCase", "tcUpperCase", "tcAsIs"}};
  return info;
}

namespace {
const TEnumInfo& BorderStyleInfo() {
  static const TEnumInfo info{"TBorderStyle", {"bsNone", "bsSingle"}};
  return info;
}
const TEnumInfo& OutlineOptionInfo() {
  static const TEnumInfo info{"TOutlineOption",
                              {"ooDrawTreeRoot", "ooDrawFocusRect", "ooStretchBitmaps"}};
  return info;
}
const TEnumInfo& ScrollStyleInfo() {
  static const TEnumInfo info{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
  return info;
}
const TEnumInfo& OutlineTypeInfo() {
  static const TEnumInfo info{"TOutlineType", {"otStandard", "otOwnerDraw"}};
  return info;
}
}  // namespace

const TClassInfo& TDirectoryOutline::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TDirectoryOutline>("TDirectoryOutline", &TCustomControl::StaticClassInfo())
          .Publish("TabStop", 1)
          .Publish("Align")
          .Publish("Anchors")
          .EnumField("BorderStyle", BorderStyleInfo(), 1)
          .Publish("Color")
          .Publish("Constraints")
          .Publish("Ctl3D")
          .Publish("DragCursor")
          .Publish("DragKind")
          .Publish("DragMode")
          .Publish("Enabled")
          .Publish("Font")
          .IntegerField("ItemHeight")
          .SetField("Options", OutlineOptionInfo(), 6)
          .Publish("ParentColor", 0)
          .Publish("ParentCtl3D")
          .Publish("ParentFont")
          .Publish("ParentShowHint")
          .Publish("PopupMenu")
          .EnumField("ScrollBars", ScrollStyleInfo(), 3)
          .EnumField("Style", OutlineTypeInfo(), 0)
          .Publish("ShowHint")
          .Publish("TabOrder")
          .EnumField("TextCase", TextCaseEnumInfo(), tcLowerCase)
          .Publish("Visible")
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
          .Publish("OnMouseDown")
          .Publish("OnMouseMove")
          .Publish("OnMouseUp")
          .Publish("OnStartDock")
          .Publish("OnStartDrag")
          .Build();
  return info;
}

TDirectoryOutline::TDirectoryOutline(TComponent* owner) : TCustomControl(owner) {
  SetBounds(Left(), Top(), 121, 97);
  // A constructed outline starts with the focus-rectangle option only.
  TDirectoryOutline::StaticClassInfo().FindProperty("Options")->setOrd(this, 2);
}

void TDirectoryOutline::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(Color());
  canvas->Pen()->SetColor(clBtnShadow);
  canvas->Rectangle(0, 0, Width(), Height());
}
