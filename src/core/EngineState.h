#pragma once
// The one engine-wide state every object of the library shares, made of one piece
// per concern. Code includes the header of the piece it touches and reaches it
// through that piece's accessor; only start-up, teardown and tests handle the
// whole.
#include <string>

#include "core/Capabilities.h"
#include "core/ConsoleState.h"
#include "core/Display.h"
#include "core/FrameTiming.h"
#include "core/Lighting.h"
#include "core/LoadingScreen.h"
#include "core/Log.h"
#include "core/ViewState.h"

namespace korvath {

struct EngineState {
    DisplayState display;
    Capabilities caps;
    FrameTiming timing;
    ViewState view;
    LogState log;
    ConsoleState console;
    LoadingScreen loading;
    LightingState lighting;
    std::string enginePath;
};

EngineState& State();

}  // namespace korvath
