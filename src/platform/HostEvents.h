#pragma once
// The queue of window-system events kept for the host. It is bounded: a host
// that never reads it loses the oldest events, not memory.
#include <cstddef>

#include "korvath/Events.h"

union SDL_Event;

namespace korvath::platform {

constexpr std::size_t kHostEventCapacity = 256;

// Queues the host's copy of an SDL event; events a host has no use for
// (pointer motion, buttons, joystick) are left out.
void QueueHostEvent(const SDL_Event& event);
// The oldest queued event; false when the queue is empty.
bool TakeHostEvent(WINDOW_EVENT& event);
void ClearHostEvents();

}  // namespace korvath::platform
