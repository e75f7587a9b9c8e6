// The calendar grid, as far as forms need it today: a framed control that
// accepts every property a form file sets on it.
#pragma once

#include "controls/Controls.h"

class TCalendar : public TCustomControl {
  TESSALY_CLASS(TCalendar)

 public:
  explicit TCalendar(TComponent* owner);

 protected:
  void Paint() override;
};
