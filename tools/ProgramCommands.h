// Subcommands of tessaly-tool for forms compiled into Windows programs and
// resource files: list them and write them out as form files. They read the
// program with the resource walk alone and need no Qt.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// tessaly-tool forms PROGRAM: one line per form, tab-separated: resource
// name, language (hexadecimal), size in bytes, root class, root name.
int RunFormsCommand(const std::vector<std::string>& args);
// tessaly-tool extract PROGRAM [-o DIR] [--text]: each form as DIR/NAME.dfm,
// binary as stored (behind a form file's resource header) or as form text.
int RunExtractCommand(const std::vector<std::string>& args);
