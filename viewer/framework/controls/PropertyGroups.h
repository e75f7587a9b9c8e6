// The property groups every control publishes (PublishControl,
// PublishLooks, PublishWindowed, PublishBevels), so that each class's table
// lists only what is its own. Each adds, at the class's place in the
// property order, properties that TControl and TWinControl declare
// protected.
#pragma once

#include <cstdint>
#include <optional>

#include "core/Persistent.h"

namespace groups {

// What every visible control publishes (graphic and windowed).
template <class C>
ClassBuilder<C>& PublishControl(ClassBuilder<C>& b) {
  return b.Publish("Align")
      .Publish("AlignWithMargins")
      .Publish("Anchors")
      .Publish("BiDiMode")
      .Publish("Constraints")
      .Publish("CustomHint")
      .Publish("DragCursor")
      .Publish("DragKind")
      .Publish("DragMode")
      .Publish("Enabled")
      .Publish("Margins")
      .Publish("ParentBiDiMode")
      .Publish("ParentCustomHint")
      .Publish("ParentShowHint")
      .Publish("PopupMenu")
      .Publish("ShowHint")
      .Publish("StyleElements")
      .Publish("StyleName")
      .Publish("Touch")
      .Publish("Visible")
      .Publish("OnCanResize")
      .Publish("OnClick")
      .Publish("OnConstrainedResize")
      .Publish("OnContextPopup")
      .Publish("OnDblClick")
      .Publish("OnDragDrop")
      .Publish("OnDragOver")
      .Publish("OnEndDock")
      .Publish("OnEndDrag")
      .Publish("OnGesture")
      .Publish("OnMouseActivate")
      .Publish("OnMouseDown")
      .Publish("OnMouseEnter")
      .Publish("OnMouseLeave")
      .Publish("OnMouseMove")
      .Publish("OnMouseUp")
      .Publish("OnMouseWheel")
      .Publish("OnMouseWheelDown")
      .Publish("OnMouseWheelUp")
      .Publish("OnResize")
      .Publish("OnStartDock")
      .Publish("OnStartDrag");
}

// Colour and font.
template <class C>
ClassBuilder<C>& PublishLooks(ClassBuilder<C>& b, std::optional<int64_t> colorDefault = {}) {
  if (colorDefault)
    b.Publish("Color", colorDefault);
  else
    b.Publish("Color");
  return b.Publish("Font").Publish("ParentColor").Publish("ParentFont").Publish("Ctl3D").Publish("ParentCtl3D");
}

// TabStop's default as a class publishes it: TWinControl's (False), or True
// for the controls that take the focus by default and so store TabStop
// only when it is False.
enum class TabStop { DefaultFalse, DefaultTrue };

// What windowed controls add.
template <class C>
ClassBuilder<C>& PublishWindowed(ClassBuilder<C>& b, TabStop tabStop = TabStop::DefaultFalse) {
  if (tabStop == TabStop::DefaultTrue)
    b.Publish("TabStop", 1);
  else
    b.Publish("TabStop");
  return b.Publish("TabOrder")
      .Publish("BevelEdges")
      .Publish("BevelKind")
      .Publish("DockSite")
      .Publish("DoubleBuffered")
      .Publish("ImeMode")
      .Publish("ImeName")
      .Publish("Padding")
      .Publish("ParentBackground")
      .Publish("ParentDoubleBuffered")
      .Publish("UseDockManager")
      .Publish("OnAlignInsertBefore")
      .Publish("OnAlignPosition")
      .Publish("OnDockDrop")
      .Publish("OnDockOver")
      .Publish("OnEnter")
      .Publish("OnExit")
      .Publish("OnGetSiteInfo")
      .Publish("OnKeyDown")
      .Publish("OnKeyPress")
      .Publish("OnKeyUp")
      .Publish("OnUnDock");
}

// The bevel properties of TWinControl, for controls that only accept them.
template <class C>
ClassBuilder<C>& PublishBevels(ClassBuilder<C>& b) {
  return b.Publish("BevelInner").Publish("BevelOuter").Publish("BevelWidth");
}

}  // namespace groups
