#include "platform/Events.h"

#include <SDL.h>

#include "platform/HostEvents.h"
#include "platform/KeyTable.h"
#include "platform/Video.h"
#include "platform/Pointer.h"

namespace korvath::platform {

namespace {
bool g_closeRequested = false;
}

void PumpMessages() {
    if (!VideoStarted()) return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        QueueHostEvent(event);
        switch (event.type) {
            case SDL_KEYDOWN:
                // Auto-repeat is not a new press: a held key is "down", not "pressed again".
                if (!event.key.repeat) Keys().Press(VirtualKeyOfScancode(event.key.keysym.scancode));
                break;
            case SDL_KEYUP:
                Keys().Release(VirtualKeyOfScancode(event.key.keysym.scancode));
                break;
            case SDL_MOUSEMOTION:
                NotePointerMotion(event.motion.windowID, event.motion.x, event.motion.y);
                break;
            case SDL_MOUSEBUTTONDOWN:
                Keys().Press(VirtualKeyOfButton(event.button.button));
                break;
            case SDL_MOUSEBUTTONUP:
                Keys().Release(VirtualKeyOfButton(event.button.button));
                break;
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_CLOSE) g_closeRequested = true;
                if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) Keys().ReleaseAll();
                break;
            case SDL_QUIT:
                g_closeRequested = true;
                break;
            default:
                break;
        }
    }
}

bool CloseRequested() { return g_closeRequested; }
void ClearCloseRequest() { g_closeRequested = false; }

}  // namespace korvath::platform
