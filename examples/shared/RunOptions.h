#pragma once
// The options every example takes: how many frames to run, the screenshot of
// the last one, and the window size; plus number parsing for their own options.
#include <cstdint>
#include <string>

struct RunOptions {
    int32_t frames = 0;      // 0: run until the window closes
    std::string screenshot;  // PNG written after the last frame
    int32_t width = 800, height = 600;
};

enum class OptionMatch { NotMine, Taken, Bad };

// Takes argv[i] (and its value, advancing i) when it is --frames, --screenshot
// or --size; Bad fills error.
OptionMatch ParseRunOption(int argc, char** argv, int& i, RunOptions& options, std::string& error);

bool ToInt(const char* text, int32_t& value);  // 0 .. 1e9
bool ToFloat(const char* text, float& value);
