// The one load of a form file. The main window's load command, and the
// tool's rewrite, render, tree, ancestors and totext --flatten, all go
// through LoadForm (LoadPreview.h shows its result), so that they read the same files, log the same lines and
// build the same resource.
//
// A load reads the form file, rewrites its text (rewrite.h) and builds the
// binary form resource the preview streams. An inherited form ("inherited"
// root) is read with its ancestors and a frame ("inline" header) with the
// frame's own form (Ancestors.h); the units that name those live in the
// form's project, found by its project file. Nothing outside it is read.
#pragma once

#include <string>

#include "LoadTypes.h"

// Loads `path`: reads it (ReadFormSource), converts a binary form to text,
// rewrites it with `isRegistered` deciding which classes stay, resolves its
// ancestors and frames, and builds the resource. Raises the framework's
// exceptions: EFOpenError (cannot be read), EReadError (fewer than six
// bytes; a loop or too deep a chain; a failure in an ancestor or frame
// form, naming that file), EInvalidImage (neither form text nor a binary
// form), EStringListError (placeholder open at the end; `source` not set),
// EParserError (the rewritten text is malformed; `source` is set).
void LoadForm(const std::string& path, TFormLoad& load, const ClassRegisteredFn& isRegistered);
