// Every stock component class that form files name, in one include.
#pragma once

#include "ActnList.h"
#include "Buttons.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "Edits.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Frames.h"
#include "Grids.h"
#include "ImgList.h"
#include "Menus.h"
#include "MiscStock.h"
#include "StdCtrls.h"
#include "StockButtons.h"
#include "Timers.h"
