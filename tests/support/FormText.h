// A form read from form text, for tests that write their forms inline.
#pragma once

#include <memory>
#include <string>

class TForm;

// Converts `text` to a form resource and reads a new form from it, as the
// framework reads a form unit's description. The classes the text names
// must be registered first.
std::unique_ptr<TForm> FormFromResourceText(const std::string& text);
