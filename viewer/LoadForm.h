// The one load of a form file. The main window's load command, and the
// tool's rewrite, render, tree, ancestors and totext --flatten, all go
// through LoadForm, so that they read the same files, log the same lines and
// build the same resource.
//
// A load reads the form file, rewrites its text (rewrite.h) and builds the
// binary form resource the preview streams. An inherited form ("inherited"
// root) is read with its ancestors and a frame ("inline" header) with the
// frame's own form (Ancestors.h); the units that name those live in the
// form's project, found by its project file. Nothing outside it is read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Streams.h"
#include "core/Strings.h"
#include "streaming/FormSource.h"
#include "rewrite.h"

// One file a load read.
struct TFormFileRead {
  enum Role { frForm, frAncestor, frFrame };
  std::string path;  // as opened
  Role role = frForm;
};

// What one load produces. The members are filled as the load goes, so that
// after a failure they hold what was done up to it.
struct TFormLoad {
  // The rewritten text of the form itself; valid once `rewritten` is set.
  TStringList source;
  bool rewritten = false;
  // The component log, then one line per ancestor or frame form read.
  TStringList log;
  // The binary form resource of the resolved form, at position 0.
  TMemoryStream resource;
  // Every form file read, the form first, then its ancestors and frames'
  // forms in the order they were read, each once.
  std::vector<TFormFileRead> files;
  // The log line of an ancestor that was not found (empty when none was
  // missing); the form is then read without it.
  std::string missingAncestor;
};

// Loads `path`: reads it (ReadFormSource), converts a binary form to text,
// rewrites it with `isRegistered` deciding which classes stay, resolves its
// ancestors and frames, and builds the resource. Raises the framework's
// exceptions: EFOpenError (cannot be read), EReadError (fewer than six
// bytes; a loop or too deep a chain; a failure in an ancestor or frame
// form, naming that file), EInvalidImage (neither form text nor a binary
// form), EStringListError (placeholder open at the end; `source` not set),
// EParserError (the rewritten text is malformed; `source` is set).
void LoadForm(const std::string& path, TFormLoad& load, const ClassRegisteredFn& isRegistered);

// Runs `preview` on the load's resource as every entry point does: an event
// bound to a method the preview lacks stays unassigned with one line in
// `log`, and the pictures decoded meanwhile share one decoding budget, whose
// refusals add one line to `log` after the preview returns.
void PreviewLoadedForm(TFormLoad& load, TStrings& log, const PreviewAction& preview);
