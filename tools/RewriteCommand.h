// tessaly-tool rewrite: a form as the viewer loads it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// `tessaly-tool rewrite FILE`; args are the operands after "rewrite". Loads
// FILE as the viewer does, with a preview that converts the resource back to
// text as a check. Writes the source pane's lines to out (LF line ends) and the
// log lines to err; on failure also the exception's message, and returns 1.
// Classes count as registered when they are among kStandardFormClassNames.
// Returns 2 for a wrong number of operands.
int RunRewriteCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunRewriteCommand(const std::vector<std::string>& args);
