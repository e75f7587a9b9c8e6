// The directory outline, as far as forms need it today: a framed control
// that accepts every property a form file sets on it.
#pragma once

#include "controls/Controls.h"

enum TTextCase : uint8_t { tcLowerCase, tcUpperCase, tcAsIs };
const TEnumInfo& TextCaseEnumInfo();

class TDirectoryOutline : public TCustomControl {
  TESSALY_CLASS(TDirectoryOutline)

 public:
  explicit TDirectoryOutline(TComponent* owner);

 protected:
  void Paint() override;
};
