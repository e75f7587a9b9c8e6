// TTouchManager, the Touch sub-object of every control: which gestures the
// control takes and how the tablet treats it. A preview has no touch input,
// so the values are kept and stream back unchanged.
#pragma once

#include "core/Persistent.h"

const TEnumInfo& InteractiveGestureEnumInfo();
const TEnumInfo& InteractiveGestureOptionEnumInfo();
const TEnumInfo& TabletOptionEnumInfo();

class TTouchManager : public TPersistent {
  TESSALY_CLASS(TTouchManager)

 public:
  TTouchManager() = default;
  void Assign(const TPersistent& source) override;
};
