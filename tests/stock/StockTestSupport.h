// Shared by the stock control tests: the class list, its registration and
// form loading helpers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/Forms.h"

// The stock class names a form file may use, in registration order.
const std::vector<std::string>& StockClassNames();
// Registers every stock class and a placeholder class "TUnknown" (once).
void RegisterStockClassesForTests();
// A form read from form text (lines joined with CR LF).
std::unique_ptr<TForm> LoadFormText(const std::string& text);
