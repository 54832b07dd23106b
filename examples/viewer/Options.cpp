#include "Options.h"

#include <cstdio>
#include <cstdlib>

namespace {
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
}  // namespace

std::optional<ViewerOptions> ParseViewerOptions(int argc, char** argv, std::string& error) {
    ViewerOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto needs = [&](int count) {
            if (i + count < argc) return true;
            error = arg + " needs " + std::to_string(count) + " value(s)";
            return false;
        };
        if (arg == "--map") {
            if (!needs(1)) return std::nullopt;
            options.map = argv[++i];
        } else if (arg == "--path") {
            if (!needs(1)) return std::nullopt;
            options.path = argv[++i];
        } else if (arg == "--walk") {
            options.walk = true;
        } else if (arg == "--camera") {
            if (!needs(5)) return std::nullopt;
            for (float& value : options.camera)
                if (!ToFloat(argv[++i], value)) {
                    error = "--camera takes five numbers: x y z pitch yaw";
                    return std::nullopt;
                }
            options.hasCamera = true;
        } else if (arg == "--frames") {
            if (!needs(1) || !ToInt(argv[++i], options.frames)) {
                error = "--frames takes a whole number";
                return std::nullopt;
            }
        } else if (arg == "--screenshot") {
            if (!needs(1)) return std::nullopt;
            options.screenshot = argv[++i];
        } else if (arg == "--size") {
            if (!needs(1) || std::sscanf(argv[++i], "%dx%d", &options.width, &options.height) != 2 ||
                options.width <= 0 || options.height <= 0) {
                error = "--size takes WIDTHxHEIGHT";
                return std::nullopt;
            }
        } else {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    return options;
}
