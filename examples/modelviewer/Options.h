#pragma once
// Command-line options of the model viewer.
#include <optional>
#include <string>

#include "RunOptions.h"

struct ModelViewerOptions : RunOptions {
    std::string model;      // the model file; its extension picks the loader
    std::string skin;       // a picture or material for it (optional)
    std::string animation;  // the animation to start with (optional)
};

// Parses argv; on a bad argument (or no --model) returns nothing and fills error.
std::optional<ModelViewerOptions> ParseModelViewerOptions(int argc, char** argv, std::string& error);
