// The content report lives with TComponent, which declares ReportContent;
// controls include it from here as before.
#pragma once

#include "components/ContentReport.h"
