#include "korvath/Joystick.h"

#include <cmath>

#include "platform/Host.h"
#include "platform/JoystickDevice.h"

namespace korvath {

namespace {
// (position - maximum / 2) / extent, to the nearest whole number, halves to even;
// 0 without a screen to measure.
int32_t AxisStep(uint32_t position, uint32_t maximum, int32_t extent) {
    if (extent <= 0) return 0;
    return static_cast<int32_t>(std::nearbyint((position - maximum / 2.0) / extent));
}
}  // namespace

void Joystick::Update() {
    const platform::JoystickReading reading = platform::PollFirstJoystick();
    x_ = reading.X;
    y_ = reading.Y;
    z_ = reading.Z;
    r_ = reading.R;
    xMax_ = reading.XMax;
    yMax_ = reading.YMax;
    zMax_ = reading.ZMax;
    buttons_ = reading.Buttons;
    pov_ = reading.POV;
}

JOY_AXES Joystick::Axes() const {
    // Without a device every quotient is 0/extent; the screen need not be asked.
    if ((x_ | y_ | z_ | r_ | xMax_ | yMax_ | zMax_) == 0) return {};
    int32_t width = 0, height = 0;
    if (!platform::ScreenSizeInTwips(width, height)) return {};
    return {AxisStep(x_, xMax_, width), AxisStep(y_, yMax_, height), AxisStep(z_, zMax_, width),
            AxisStep(r_, zMax_, height)};
}

bool Joystick::Button(int32_t Control) const {
    const uint32_t mask = static_cast<uint32_t>(Control);
    return (buttons_ & mask) == mask;
}

bool Joystick::POV(int32_t Button) const { return static_cast<int64_t>(pov_) + 1 == Button; }

}  // namespace korvath
