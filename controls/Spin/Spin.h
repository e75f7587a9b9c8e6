// The spin controls: TSpinButton (with its TTimerSpeedButton halves) and
// TSpinEdit.
#pragma once

#include "Spin/SpinButton.h"
#include "Spin/SpinEdit.h"
