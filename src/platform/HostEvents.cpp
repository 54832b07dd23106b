#include "platform/HostEvents.h"

#include <SDL.h>

#include <cstring>
#include <deque>

#include "platform/KeyTable.h"

namespace korvath::platform {

namespace {

std::deque<WINDOW_EVENT>& Queue() {
    static std::deque<WINDOW_EVENT> queue;
    return queue;
}

int32_t WindowEventType(Uint8 event) {
    switch (event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED: return EVENT_RESIZED;
        case SDL_WINDOWEVENT_FOCUS_GAINED: return EVENT_FOCUS_GAINED;
        case SDL_WINDOWEVENT_FOCUS_LOST: return EVENT_FOCUS_LOST;
        case SDL_WINDOWEVENT_MINIMIZED: return EVENT_MINIMIZED;
        case SDL_WINDOWEVENT_RESTORED: return EVENT_RESTORED;
        case SDL_WINDOWEVENT_ENTER: return EVENT_MOUSE_ENTER;
        case SDL_WINDOWEVENT_LEAVE: return EVENT_MOUSE_LEAVE;
        case SDL_WINDOWEVENT_CLOSE: return EVENT_CLOSE;
        default: return EVENT_NONE;  // RESIZED is followed by SIZE_CHANGED: one record is enough
    }
}

// The host's record of an SDL event; Type stays EVENT_NONE for events it does not get.
WINDOW_EVENT RecordOf(const SDL_Event& event) {
    WINDOW_EVENT record;
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            record.Type = event.type == SDL_KEYDOWN ? EVENT_KEY_DOWN : EVENT_KEY_UP;
            record.Window = static_cast<int32_t>(event.key.windowID);
            record.Key = VirtualKeyOfScancode(event.key.keysym.scancode);
            record.Repeat = event.key.repeat != 0;
            break;
        case SDL_TEXTINPUT:
            record.Type = EVENT_TEXT_INPUT;
            record.Window = static_cast<int32_t>(event.text.windowID);
            // SDL's text is NUL-terminated within its 32 bytes; copy no further
            // than that even if a pushed event is not.
            std::memcpy(record.Text, event.text.text, sizeof record.Text - 1);
            record.Text[sizeof record.Text - 1] = '\0';
            break;
        case SDL_MOUSEWHEEL: {
            const int32_t sign = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
            record.Type = EVENT_MOUSE_WHEEL;
            record.Window = static_cast<int32_t>(event.wheel.windowID);
            record.X = sign * event.wheel.x;
            record.Y = sign * event.wheel.y;
            break;
        }
        case SDL_WINDOWEVENT:
            record.Type = WindowEventType(event.window.event);
            record.Window = static_cast<int32_t>(event.window.windowID);
            if (record.Type == EVENT_RESIZED) {
                record.X = event.window.data1;
                record.Y = event.window.data2;
            }
            break;
        case SDL_QUIT:
            record.Type = EVENT_CLOSE;
            break;
        default:
            break;
    }
    return record;
}

}  // namespace

void QueueHostEvent(const SDL_Event& event) {
    const WINDOW_EVENT record = RecordOf(event);
    if (record.Type == EVENT_NONE) return;
    std::deque<WINDOW_EVENT>& queue = Queue();
    if (queue.size() >= kHostEventCapacity) queue.pop_front();
    queue.push_back(record);
}

bool TakeHostEvent(WINDOW_EVENT& event) {
    std::deque<WINDOW_EVENT>& queue = Queue();
    if (queue.empty()) return false;
    event = queue.front();
    queue.pop_front();
    return true;
}

void ClearHostEvents() { Queue().clear(); }

}  // namespace korvath::platform
