// tessaly-tool images FORM [-o DIR] [--list]: the pictures a form stores,
// written as files (see FormPictures.h); with --list, only what would be
// written. Runs in the preview program, since decoding needs Qt's images.
#pragma once

#include <string>
#include <vector>

int RunImagesCommand(const std::vector<std::string>& args);
