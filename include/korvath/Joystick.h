#pragma once
// The first joystick: Update polls it once per frame, and the queries answer from
// that poll. Without a joystick every axis reads 0, no button is down and the
// point of view is centred; a joystick plugged in later is picked up by Update.
#include <cstdint>

namespace korvath {

// One bit per button: button n is 2^(n - 1).
enum JOY_CONTROLS : int32_t {
    JOY_BUTTON1 = 1, JOY_BUTTON2 = 2, JOY_BUTTON3 = 4, JOY_BUTTON4 = 8,
    JOY_BUTTON5 = 16, JOY_BUTTON6 = 32, JOY_BUTTON7 = 64, JOY_BUTTON8 = 128,
    JOY_BUTTON9 = 256, JOY_BUTTON10 = 512, JOY_BUTTON11 = 1024, JOY_BUTTON12 = 2048,
    JOY_BUTTON13 = 4096, JOY_BUTTON14 = 8192, JOY_BUTTON15 = 16384, JOY_BUTTON16 = 32768,
    JOY_BUTTON17 = 65536, JOY_BUTTON18 = 131072, JOY_BUTTON19 = 262144, JOY_BUTTON20 = 524288,
    JOY_BUTTON21 = 1048576, JOY_BUTTON22 = 2097152, JOY_BUTTON23 = 4194304, JOY_BUTTON24 = 8388608,
    JOY_BUTTON25 = 16777216, JOY_BUTTON26 = 33554432, JOY_BUTTON27 = 67108864, JOY_BUTTON28 = 134217728,
    JOY_BUTTON29 = 268435456, JOY_BUTTON30 = 536870912, JOY_BUTTON31 = 1073741824,
    JOY_BUTTON32 = INT32_MIN,
};

// The point-of-view angle in hundredths of a degree, plus one.
enum JOY_POV : int32_t {
    JOY_POV_UP = 1,
    JOY_POV_RIGHT_UP = 4501,
    JOY_POV_RIGHT = 9001,
    JOY_POV_RIGHT_DOWN = 13501,
    JOY_POV_DOWN = 18001,
    JOY_POV_LEFT_DOWN = 22501,
    JOY_POV_LEFT = 27001,
    JOY_POV_LEFT_UP = 31501,
};

struct JOY_AXES {
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;
    int32_t r = 0;
};

class Joystick {
public:
    void Update();
    // Each axis's distance from the middle of its range divided by the screen's
    // width (x, z) or height (y, r) in twips: small whole numbers around 0. The
    // rudder is centred with the Z range.
    JOY_AXES Axes() const;
    // True when every button of Control is down.
    bool Button(int32_t Control) const;
    // True when the point of view is at the given angle.
    bool POV(int32_t Button) const;

private:
    uint32_t x_ = 0, y_ = 0, z_ = 0, r_ = 0;
    uint32_t xMax_ = 0, yMax_ = 0, zMax_ = 0;
    uint32_t buttons_ = 0;
    uint32_t pov_ = 65535;  // centred: a missing device points nowhere
};

}  // namespace korvath
