// Opening the forms compiled into a Windows program or resource file from
// the main window: the user picks one of its forms, which then loads as a
// form file does. Files can also be dropped on a window.
#pragma once

#include <functional>
#include <string>
#include <vector>

class TCustomForm;

// What a chosen file opens as: the file itself when it is not a program; for
// a program or resource file, "FILE:NAME" of its only form, or of the one
// the user picks from a list when it holds several; empty when the user
// cancels. Raises EInvalidImage ("FILE: ...") for a program that holds no
// forms, is packed or is malformed, and EFOpenError when it cannot be read.
std::string ChooseFormToOpen(const std::string& path);

// Answers the choice without a dialog when set (tests): receives the list
// as shown ("NAME  TClass Name") and returns the index picked, or -1.
extern std::function<int(const std::vector<std::string>& items)> PickProgramFormHook;

// Makes the window accept files dropped on it: each dropped local file is
// handed to open; what open raises is shown as the application shows
// exceptions.
void AcceptDroppedFiles(TCustomForm& form, std::function<void(const std::string& path)> open);
