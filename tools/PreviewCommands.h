// Subcommands of tessaly-tool that build the preview of a form off-screen:
// the same load as the viewer's load command, then, instead of showing the
// window, an image of it (render) or its control tree as JSON (tree).
#pragma once

#include <string>
#include <vector>

// tessaly-tool render FILE -o OUT.png
int RunRenderCommand(const std::vector<std::string>& args);
// tessaly-tool tree FILE
int RunTreeCommand(const std::vector<std::string>& args);
