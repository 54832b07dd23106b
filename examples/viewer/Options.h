#pragma once
// Command-line options of the viewer.
#include <cstdint>
#include <optional>
#include <string>

struct ViewerOptions {
    std::string map = "oa_dm3"; // level name below maps/, without .bsp
    std::string path;           // game data directory (the engine path)
    bool walk = false;          // start on foot instead of flying
    bool hasCamera = false;
    float camera[5] = {};       // x y z pitch yaw
    int32_t frames = 0;         // 0: run until the window closes or "quit"
    std::string screenshot;     // PNG written after the last frame
    int32_t width = 800, height = 600;
};

// Parses argv; on a bad argument returns nothing and fills error.
std::optional<ViewerOptions> ParseViewerOptions(int argc, char** argv, std::string& error);
