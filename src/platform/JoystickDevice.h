#pragma once
// The first joystick of the system, read the way the multimedia joystick service
// reports it: positions on 0..65535 axes, the maxima of X, Y and Z, button bits
// and a point-of-view angle in hundredths of a degree.
#include <cstdint>

namespace korvath::platform {

constexpr uint32_t kPovCentred = 65535;

struct JoystickReading {
    uint32_t X = 0, Y = 0, Z = 0, R = 0;
    uint32_t XMax = 0, YMax = 0, ZMax = 0;  // 65535 for an axis the device has, else 0
    uint32_t Buttons = 0;                   // bit n - 1 for button n, up to 32
    uint32_t POV = kPovCentred;
};

// Polls the first joystick, opening one that was plugged in since the last poll
// and letting go of one that was pulled out. No device gives a reading of all
// zeros with a centred point of view.
JoystickReading PollFirstJoystick();

}  // namespace korvath::platform
