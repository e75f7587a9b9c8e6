// Showing a load: its resource previewed as every entry point previews it,
// and the main window's load command with its two panes.
#pragma once

#include <string>

#include "LoadTypes.h"

// Runs `preview` on the load's resource as every entry point does: an event
// bound to a method the preview lacks stays unassigned with one line in
// `log`, and the pictures decoded meanwhile share one decoding budget, whose
// refusals add one line to `log` after the preview returns.
void PreviewLoadedForm(TFormLoad& load, TStrings& log, const PreviewAction& preview);

// Loads a form file of either encoding through LoadForm (LoadForm.h): shows
// the rewritten text in sourceLines, appends the component log to logLines
// and runs the preview on the binary resource. An inherited form, or one
// holding frames whose forms are found, is previewed with its ancestors and
// frames; their log lines follow the form's own. Exceptions propagate after
// the streams are freed and logLines has left its update state, with the
// panes holding what the load did up to the failure:
//   EFOpenError (file can't be opened), EReadError (fewer than six bytes),
//   EInvalidImage (neither form text nor a valid resource), EStringListError
//   (placeholder open at end of text; sourceLines unchanged), EParserError
//   (rewritten text is malformed; sourceLines already shows it), and whatever
//   the preview raises.
void LoadFormFile(const std::string& path, TStrings& sourceLines, TStrings& logLines, const PreviewAction& preview,
                  const ClassRegisteredFn& isRegistered);

// The same, asking the class registry which classes are registered.
void LoadFormFile(const std::string& path, TStrings& sourceLines, TStrings& logLines, const PreviewAction& preview);
