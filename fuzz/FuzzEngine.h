#pragma once
// The engine the GL-drawing harnesses share: a window and an engine on the
// offscreen driver, made once per process, with the intro ended at once.
#include <korvath/Korvath.h>

#include <cstdint>
#include <string>

#include "core/ConsoleState.h"
#include "platform/Clock.h"
#include "platform/Video.h"

namespace fuzzsupport {

// The intro waits on the tick; a tick that runs fast ends it at once.
class FastClock : public korvath::platform::Clock {
public:
    uint32_t Milliseconds() override { return now_ += 40; }
    void Sleep(uint32_t milliseconds) override { now_ += milliseconds; }

private:
    uint32_t now_ = 100000;
};

inline void StartEngine(int width, int height, const std::string& path) {
    korvath::platform::RequestOffscreen();
    static FastClock clock;
    korvath::platform::SetClock(&clock);
    static korvath::Window window;
    static korvath::Engine engine;
    if (!path.empty()) engine.SetPath(path);
    engine.Initialize(window.Load(width, height), width, height, 32);
    korvath::platform::SetClock(nullptr);
    // With the console down every status line a loader reports repaints the
    // whole console, which grows by the log lines of every input: that repaint,
    // not the reader, took over four fifths of each run.
    korvath::ConsoleData().Visible = false;
}

}  // namespace fuzzsupport
