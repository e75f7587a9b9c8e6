// Shared by the stock control tests: the class list, its registration and
// form loading helpers.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../mainwindow/CorpusFiles.h"
#include "controls/Forms.h"

// The stock class names a form file may use, in registration order.
const std::vector<std::string>& StockClassNames();
// Registers every stock class and a placeholder class "TUnknown" (once).
void RegisterStockClassesForTests();
// The text of a 400 x 300 form in the usual font holding body (component
// objects, indented two spaces, lines ending in CR LF).
std::string FormTextWith(const std::string& body);
// A corpus file's form text, converted from the binary form when it is one.
std::string CorpusFormText(const std::filesystem::path& file);
// A form read from form text (lines joined with CR LF).
std::unique_ptr<TForm> LoadFormText(const std::string& text);
// A component of the form by name, as class T (nullptr when absent or of
// another class).
template <class T>
T* FindIn(TForm& form, const char* name) {
  return dynamic_cast<T*>(form.FindComponent(name));
}
// A Delphi-style quoted string of `utf8` encoded in `codePage`.
std::string Quoted(const char* utf8, const char* codePage);
