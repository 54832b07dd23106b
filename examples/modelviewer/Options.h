#pragma once
// Command-line options of the model viewer.
#include <optional>
#include <string>
#include <vector>

#include "RunOptions.h"

struct ModelViewerOptions : RunOptions {
    std::string model;      // the model file (its extension picks the loader) or player folder
    std::string skin;       // a picture or material for it, or a player's skin name (optional)
    std::string weapon;     // an MD3 weapon for a player's hand (optional)
    std::string animation;  // the animation to start with (optional)
    std::vector<std::string> anims;  // every --anim file, in order: animations of a skeletal model
    bool skeleton = false;           // --skeleton: a skeletal model shows its joints from the start
    std::string palette;    // the colours of an MDL's skins (optional)
};

// Parses argv; on a bad argument (or no --model) returns nothing and fills error.
std::optional<ModelViewerOptions> ParseModelViewerOptions(int argc, char** argv, std::string& error);
