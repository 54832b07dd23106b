#include "core/EngineState.h"

#include "core/Paths.h"

namespace korvath {

EngineState& State() {
    static EngineState state;
    return state;
}

DisplayState& Display() { return State().display; }
Capabilities& Caps() { return State().caps; }
FrameTiming& Timing() { return State().timing; }
ViewState& View() { return State().view; }
LogState& Log() { return State().log; }
ConsoleState& ConsoleData() { return State().console; }
LoadingScreen& Loading() { return State().loading; }
LightingState& Lighting() { return State().lighting; }
std::string& EnginePath() { return State().enginePath; }

}  // namespace korvath
