#include <gtest/gtest.h>

#include <SDL.h>

#include <cmath>

#include "korvath/Joystick.h"
#include "platform/Host.h"

using namespace korvath;

namespace {

// A joystick made by SDL itself: four axes, 32 buttons and one hat, attached and
// detached by the test like a device plugged in and pulled out.
class VirtualJoystick {
public:
    VirtualJoystick() {
        SDL_InitSubSystem(SDL_INIT_JOYSTICK);
        index_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 4, 32, 1);
        handle_ = index_ >= 0 ? SDL_JoystickOpen(index_) : nullptr;
    }
    ~VirtualJoystick() {
        Detach();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    bool Ready() const { return handle_ != nullptr; }
    void Axis(int axis, Sint16 value) { SDL_JoystickSetVirtualAxis(handle_, axis, value); }
    void Button(int button, bool down) { SDL_JoystickSetVirtualButton(handle_, button, down ? 1 : 0); }
    void Hat(Uint8 value) { SDL_JoystickSetVirtualHat(handle_, 0, value); }
    void Detach() {
        if (!handle_) return;
        SDL_JoystickClose(handle_);
        SDL_JoystickDetachVirtual(index_);
        handle_ = nullptr;
    }

private:
    int index_ = -1;
    SDL_Joystick* handle_ = nullptr;
};

void ExpectNoDevice(const Joystick& joystick, const char* when) {
    const JOY_AXES a = joystick.Axes();
    EXPECT_EQ(a.x, 0) << when;
    EXPECT_EQ(a.y, 0) << when;
    EXPECT_EQ(a.z, 0) << when;
    EXPECT_EQ(a.r, 0) << when;
    EXPECT_FALSE(joystick.Button(JOY_BUTTON1)) << when;
    for (int32_t pov : {JOY_POV_UP, JOY_POV_RIGHT, JOY_POV_DOWN, JOY_POV_LEFT})
        EXPECT_FALSE(joystick.POV(pov)) << when << ": POV " << pov;
}

TEST(Joystick, NoDeviceBeforeTheFirstUpdateAndWithoutAJoystick) {
    Joystick joystick;
    ExpectNoDevice(joystick, "before Update");
    joystick.Update();
    ExpectNoDevice(joystick, "no joystick attached");
}

TEST(Joystick, AxesAreScaledByTheScreenInTwips) {
    VirtualJoystick device;
    ASSERT_TRUE(device.Ready()) << SDL_GetError();
    int32_t width = 0, height = 0;
    ASSERT_TRUE(platform::ScreenSizeInTwips(width, height));

    Joystick joystick;
    const struct {
        Sint16 x, y, z, r;
    } cases[] = {{32767, -32768, 0, 32767}, {-32768, 32767, 32767, -32768}, {0, 0, 0, 0}, {-1, -1, -1, -1}};
    for (const auto& c : cases) {
        device.Axis(0, c.x);
        device.Axis(1, c.y);
        device.Axis(2, c.z);
        device.Axis(3, c.r);
        joystick.Update();
        // Positions on 0..65535 around the middle of the range, per twip of screen.
        auto step = [](Sint16 v, int32_t extent) {
            return static_cast<int32_t>(std::nearbyint((v + 32768 - 32767.5) / extent));
        };
        const JOY_AXES a = joystick.Axes();
        EXPECT_EQ(a.x, step(c.x, width)) << c.x;
        EXPECT_EQ(a.y, step(c.y, height)) << c.y;
        EXPECT_EQ(a.z, step(c.z, width)) << c.z;
        EXPECT_EQ(a.r, step(c.r, height)) << c.r;
    }
    if (width == 1024 * 15 && height == 768 * 15) {
        device.Axis(0, 32767);
        device.Axis(1, -32768);
        joystick.Update();
        EXPECT_EQ(joystick.Axes().x, 2);
        EXPECT_EQ(joystick.Axes().y, -3);
    }
}

TEST(Joystick, ButtonsNeedEveryBitOfTheMask) {
    VirtualJoystick device;
    ASSERT_TRUE(device.Ready()) << SDL_GetError();
    Joystick joystick;
    device.Button(0, true);
    device.Button(31, true);
    joystick.Update();
    EXPECT_TRUE(joystick.Button(JOY_BUTTON1));
    EXPECT_TRUE(joystick.Button(JOY_BUTTON32));
    EXPECT_TRUE(joystick.Button(JOY_BUTTON1 | JOY_BUTTON32));
    EXPECT_FALSE(joystick.Button(JOY_BUTTON2));
    EXPECT_FALSE(joystick.Button(JOY_BUTTON1 + JOY_BUTTON2));
    device.Button(1, true);
    joystick.Update();
    EXPECT_TRUE(joystick.Button(JOY_BUTTON1 + JOY_BUTTON2));
    device.Button(0, false);
    joystick.Update();
    EXPECT_FALSE(joystick.Button(JOY_BUTTON1));
    EXPECT_TRUE(joystick.Button(JOY_BUTTON2));
}

TEST(Joystick, TheHatAnswersOnePointOfView) {
    VirtualJoystick device;
    ASSERT_TRUE(device.Ready()) << SDL_GetError();
    const struct {
        Uint8 hat;
        int32_t pov;  // 0: none
    } cases[] = {{SDL_HAT_UP, JOY_POV_UP},       {SDL_HAT_RIGHTUP, JOY_POV_RIGHT_UP},
                 {SDL_HAT_RIGHT, JOY_POV_RIGHT}, {SDL_HAT_RIGHTDOWN, JOY_POV_RIGHT_DOWN},
                 {SDL_HAT_DOWN, JOY_POV_DOWN},   {SDL_HAT_LEFTDOWN, JOY_POV_LEFT_DOWN},
                 {SDL_HAT_LEFT, JOY_POV_LEFT},   {SDL_HAT_LEFTUP, JOY_POV_LEFT_UP},
                 {SDL_HAT_CENTERED, 0}};
    const int32_t all[] = {JOY_POV_UP,   JOY_POV_RIGHT_UP,  JOY_POV_RIGHT, JOY_POV_RIGHT_DOWN,
                           JOY_POV_DOWN, JOY_POV_LEFT_DOWN, JOY_POV_LEFT,  JOY_POV_LEFT_UP};
    Joystick joystick;
    for (const auto& c : cases) {
        device.Hat(c.hat);
        joystick.Update();
        for (int32_t pov : all) EXPECT_EQ(joystick.POV(pov), pov == c.pov) << "hat " << int(c.hat) << ", " << pov;
    }
}

TEST(Joystick, PluggingInAndPullingOutWhileRunning) {
    Joystick joystick;
    joystick.Update();
    ExpectNoDevice(joystick, "before plugging in");
    {
        VirtualJoystick device;
        ASSERT_TRUE(device.Ready()) << SDL_GetError();
        device.Button(2, true);
        device.Hat(SDL_HAT_LEFT);
        device.Axis(0, 32767);
        joystick.Update();
        EXPECT_TRUE(joystick.Button(JOY_BUTTON3));
        EXPECT_TRUE(joystick.POV(JOY_POV_LEFT));
        EXPECT_GT(joystick.Axes().x, 0);

        device.Detach();
        joystick.Update();
        ExpectNoDevice(joystick, "pulled out");
    }
    VirtualJoystick again;
    ASSERT_TRUE(again.Ready()) << SDL_GetError();
    again.Button(0, true);
    joystick.Update();
    EXPECT_TRUE(joystick.Button(JOY_BUTTON1)) << "plugged in again";
}

}  // namespace
