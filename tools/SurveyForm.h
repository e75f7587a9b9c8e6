// tessaly-tool-preview survey-form FILE OUTDIR: every result a survey keeps
// for one form, from one load. A survey runs it as a child process per form,
// so that a form that hangs or crashes the preview costs only its child.
//
// OUTDIR (which must exist) receives:
//   result.tsv     "key<TAB>value" lines: status (ok or failed), width and
//                  height of the client area, error (the load's message),
//                  note (why there is no image of a loaded form)
//   rewritten.txt  the form text as the viewer rewrites it (when it got that far)
//   log.txt        the component log
//   tree.json      the preview's control tree, as `tree` writes it
//   preview.png    the client area, full size; thumb.png, at most 240 x 180
// A form that does not load still exits 0: its failure is a result. Exit 1
// means the results could not be written, 2 a usage error.
#pragma once

#include <string>
#include <vector>

int RunSurveyFormCommand(const std::vector<std::string>& args);
