// Every stock component class that form files name, in one include.
#pragma once

#include "ActnList.h"
#include "Buttons.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "controls/Edits.h"
#include "ExtCtrls.h"
#include "controls/Forms.h"
#include "Frames.h"
#include "controls/Grids.h"
#include "ImgList.h"
#include "Menus.h"
#include "MiscStock.h"
#include "StdCtrls.h"
#include "StockButtons.h"
#include "StringGrids.h"
#include "Timers.h"
