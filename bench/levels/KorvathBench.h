#pragma once
// Korvath brought up the same way by every benchmark program: a window of the
// given size, the intro run on a fast tick (it is not what is measured), and
// neither fade nor loading screen, as the other engine draws none.
#include <korvath/Korvath.h>

#include <string>

namespace levelbench {

class KorvathBench {
public:
    // False when the engine could not start.
    bool Start(int width, int height, const std::string& path = "");
    korvath::Engine& engine() { return engine_; }

private:
    korvath::Window window_;
    korvath::Engine engine_;
};

}  // namespace levelbench
