// Subcommands of tessaly-tool for inherited forms and frames: the chain of
// form files a form inherits from, and the whole resolved form as one text.
#pragma once

#include <string>
#include <vector>

// tessaly-tool ancestors FORM.dfm
int RunAncestorsCommand(const std::vector<std::string>& args);
// tessaly-tool totext --flatten FILE [-o OUT]; args without "--flatten".
int RunFlattenCommand(const std::vector<std::string>& args);
// True when "--flatten" is among args; removes it.
bool TakeFlattenOption(std::vector<std::string>& args);
