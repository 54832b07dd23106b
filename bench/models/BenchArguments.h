#pragma once
// The command line every side of the model benchmarks takes:
//   PROGRAM MODEL SKIN FRAMES [screenshot.png]
// (a player benchmark's MODEL is the player folder and SKIN its weapon).
#include <cstdio>
#include <cstdlib>
#include <string>

namespace modelbench {

struct BenchArguments {
    std::string model, skin;
    int frames = 0;
    std::string screenshot;  // empty: none
};

// False, with the usage printed, when argv holds too few arguments.
inline bool ParseBenchArguments(int argc, char** argv, const char* usage, BenchArguments& out) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return false;
    }
    out = {argv[1], argv[2], std::atoi(argv[3]), argc > 4 ? argv[4] : ""};
    return true;
}

}  // namespace modelbench
