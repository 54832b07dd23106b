#include "Options.h"

std::optional<ViewerOptions> ParseViewerOptions(int argc, char** argv, std::string& error) {
    ViewerOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto needs = [&](int count) {
            if (i + count < argc) return true;
            error = arg + " needs " + std::to_string(count) + " value(s)";
            return false;
        };
        const OptionMatch common = ParseRunOption(argc, argv, i, options, error);
        if (common == OptionMatch::Bad) return std::nullopt;
        if (common == OptionMatch::Taken) continue;
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
        } else if (arg == "--fov") {
            if (!needs(1)) return std::nullopt;
            if (!ToFloat(argv[++i], options.fov) || !(options.fov > 0 && options.fov < 180)) {
                error = "--fov takes degrees between 0 and 180";
                return std::nullopt;
            }
        } else {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    return options;
}
