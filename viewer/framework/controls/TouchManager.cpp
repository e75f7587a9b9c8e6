#include "TouchManager.h"

#include "components/Component.h"

const TEnumInfo& InteractiveGestureEnumInfo() {
  static const TEnumInfo e{"TInteractiveGesture", {"igZoom", "igPan", "igRotate", "igTwoFingerTap", "igPressAndTap"}};
  return e;
}
const TEnumInfo& InteractiveGestureOptionEnumInfo() {
  static const TEnumInfo e{
      "TInteractiveGestureOption",
      {"igoPanSingleFingerHorizontal", "igoPanSingleFingerVertical", "igoPanInertia", "igoPanGutter",
       "igoParentPassthrough"}};
  return e;
}
const TEnumInfo& TabletOptionEnumInfo() {
  static const TEnumInfo e{
      "TTabletOption",
      {"toPressAndHold", "toPenTapFeedback", "toPenBarrelFeedback", "toTouchUIForceOn", "toTouchUIForceOff",
       "toTouchSwitch", "toFlicks", "toSmoothScrolling", "toFlickFallbackKeys"}};
  return e;
}

const TClassInfo& TTouchManager::StaticClassInfo() {
  // The gesture manager is another component; a preview has no gestures, so
  // the reference is accepted and let go.
  static const TClassInfo info =
      ClassBuilder<TTouchManager>("TTouchManager", &TPersistent::StaticClassInfo())
          .IgnoredReference("GestureManager", &TComponent::StaticClassInfo)
          .SetField("InteractiveGestures", InteractiveGestureEnumInfo(), 0x12)  // igPan, igPressAndTap
          .SetField("InteractiveGestureOptions", InteractiveGestureOptionEnumInfo(), 0x1F)
          .BoolField("ParentTabletOptions", true)
          .SetField("TabletOptions", TabletOptionEnumInfo(), 0x01)  // toPressAndHold
          .Build();
  return info;
}

void TTouchManager::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TTouchManager*>(&source)) {
    CopyFieldsFrom(*s);
    return;
  }
  TPersistent::Assign(source);
}
