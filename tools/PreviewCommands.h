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

class TControl;
// The control tree of a built preview as `tree` writes it (JSON, one node
// per control, the root's other components in "components").
std::string PreviewTreeJson(TControl* root);
// The largest client area, in pixels on each side, that render draws.
int MaxRenderSide();
// Raises the stack limit that painting very wide forms needs (see render).
void AllowDeepPreviewPainting();
