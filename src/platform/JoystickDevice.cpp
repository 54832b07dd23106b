#include "platform/JoystickDevice.h"

#include <SDL.h>
#include <algorithm>

namespace korvath::platform {

namespace {

constexpr uint32_t kAxisMax = 65535;

SDL_Joystick*& OpenJoystick() {
    static SDL_Joystick* joystick = nullptr;
    return joystick;
}

// The open first joystick, after letting go of one that is gone; null when none
// is attached.
SDL_Joystick* FirstJoystick() {
    static bool started = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    if (!started) return nullptr;
    SDL_JoystickUpdate();  // also notices devices plugged in or pulled out
    SDL_Joystick*& joystick = OpenJoystick();
    if (joystick && !SDL_JoystickGetAttached(joystick)) {
        SDL_JoystickClose(joystick);
        joystick = nullptr;
    }
    if (!joystick && SDL_NumJoysticks() > 0) joystick = SDL_JoystickOpen(0);
    return joystick;
}

// SDL's signed axis moved onto the service's 0..65535 range.
uint32_t AxisPosition(SDL_Joystick* joystick, int axis) {
    if (axis >= SDL_JoystickNumAxes(joystick)) return 0;
    return static_cast<uint32_t>(SDL_JoystickGetAxis(joystick, axis) + 32768);
}

uint32_t AxisMaximum(SDL_Joystick* joystick, int axis) {
    return axis < SDL_JoystickNumAxes(joystick) ? kAxisMax : 0;
}

uint32_t PovOf(Uint8 hat) {
    switch (hat) {
        case SDL_HAT_UP: return 0;
        case SDL_HAT_RIGHTUP: return 4500;
        case SDL_HAT_RIGHT: return 9000;
        case SDL_HAT_RIGHTDOWN: return 13500;
        case SDL_HAT_DOWN: return 18000;
        case SDL_HAT_LEFTDOWN: return 22500;
        case SDL_HAT_LEFT: return 27000;
        case SDL_HAT_LEFTUP: return 31500;
        default: return kPovCentred;
    }
}

}  // namespace

JoystickReading PollFirstJoystick() {
    JoystickReading reading;
    SDL_Joystick* joystick = FirstJoystick();
    if (!joystick) return reading;
    reading.X = AxisPosition(joystick, 0);
    reading.Y = AxisPosition(joystick, 1);
    reading.Z = AxisPosition(joystick, 2);
    reading.R = AxisPosition(joystick, 3);
    reading.XMax = AxisMaximum(joystick, 0);
    reading.YMax = AxisMaximum(joystick, 1);
    reading.ZMax = AxisMaximum(joystick, 2);
    const int buttons = std::min(SDL_JoystickNumButtons(joystick), 32);
    for (int i = 0; i < buttons; ++i)
        if (SDL_JoystickGetButton(joystick, i)) reading.Buttons |= 1u << i;
    if (SDL_JoystickNumHats(joystick) > 0) reading.POV = PovOf(SDL_JoystickGetHat(joystick, 0));
    return reading;
}

}  // namespace korvath::platform
