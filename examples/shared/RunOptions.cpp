#include "RunOptions.h"

#include <cstdio>
#include <cstdlib>

bool ToInt(const char* text, int32_t& value) {
    char* end = nullptr;
    long parsed = std::strtol(text, &end, 10);
    if (!end || *end != '\0' || parsed < 0 || parsed > 1000000000) return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

bool ToFloat(const char* text, float& value) {
    char* end = nullptr;
    value = std::strtof(text, &end);
    return end && *end == '\0';
}

OptionMatch ParseRunOption(int argc, char** argv, int& i, RunOptions& options, std::string& error) {
    const std::string arg = argv[i];
    if (arg != "--frames" && arg != "--screenshot" && arg != "--size") return OptionMatch::NotMine;
    if (i + 1 >= argc) {
        error = arg + " needs a value";
        return OptionMatch::Bad;
    }
    const char* value = argv[++i];
    if (arg == "--frames" && !ToInt(value, options.frames)) {
        error = "--frames takes a whole number";
        return OptionMatch::Bad;
    }
    if (arg == "--screenshot") options.screenshot = value;
    if (arg == "--size" && (std::sscanf(value, "%dx%d", &options.width, &options.height) != 2 ||
                            options.width <= 0 || options.height <= 0)) {
        error = "--size takes WIDTHxHEIGHT";
        return OptionMatch::Bad;
    }
    return OptionMatch::Taken;
}
