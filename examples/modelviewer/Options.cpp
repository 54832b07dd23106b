#include "Options.h"

std::optional<ModelViewerOptions> ParseModelViewerOptions(int argc, char** argv, std::string& error) {
    ModelViewerOptions options;
    for (int i = 1; i < argc; ++i) {
        const OptionMatch common = ParseRunOption(argc, argv, i, options, error);
        if (common == OptionMatch::Bad) return std::nullopt;
        if (common == OptionMatch::Taken) continue;
        const std::string arg = argv[i];
        if (arg == "--skeleton") {
            options.skeleton = true;
            continue;
        }
        if (arg == "--anim" && i + 1 < argc) {  // repeatable, so not one value
            options.anims.push_back(argv[++i]);
            continue;
        }
        std::string* value = arg == "--model" ? &options.model
                             : arg == "--skin" ? &options.skin
                             : arg == "--animation" ? &options.animation
                             : arg == "--weapon"    ? &options.weapon
                             : arg == "--palette"   ? &options.palette
                                                    : nullptr;
        if (!value) {
            error = "unknown option " + arg;
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            error = arg + " needs a value";
            return std::nullopt;
        }
        *value = argv[++i];
    }
    if (options.model.empty()) {
        error = "--model FILE is needed";
        return std::nullopt;
    }
    return options;
}
