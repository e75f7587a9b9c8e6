// The keys each stock windowed control keeps for itself (its WM_GETDLGCODE
// answer). A key a control does not want goes to the form instead: arrows
// and Tab move the focus, Return and Escape press the default and cancel
// buttons, and a plain character may fire a button's accelerator.
#pragma once

#include <cstdint>
#include <string_view>

class TClassInfo;

// The answer of the class that the table names, or 0 for a class it does
// not name.
uint32_t DialogCodeOfClassName(std::string_view className);

// The answer of the nearest class in cls's ancestry that the table names
// (0 when none does): TWinControl's default WM_GETDLGCODE answer.
uint32_t StockDialogCode(const TClassInfo& cls);
