#pragma once
// Command-line options of the viewer.
#include <optional>
#include <string>

#include "RunOptions.h"

struct ViewerOptions : RunOptions {
    std::string map = "oa_dm3"; // level name below maps/, without .bsp
    std::string path;           // game data directory (the engine path)
    bool walk = false;          // start on foot instead of flying
    bool hasCamera = false;
    float camera[5] = {};       // x y z pitch yaw
    float fov = 0;              // horizontal field of view in degrees; 0 keeps the engine's
};

// Parses argv; on a bad argument returns nothing and fills error.
std::optional<ViewerOptions> ParseViewerOptions(int argc, char** argv, std::string& error);
