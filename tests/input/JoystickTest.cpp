#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "korvath/Joystick.h"
#include "platform/Host.h"

using namespace korvath;

namespace {

// A joystick made by SDL itself (four axes, 32 buttons, one hat), attached and
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
    SDL_Joystick* operator*() const { return handle_; }
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

const int32_t kAllPovs[] = {JOY_POV_UP,   JOY_POV_RIGHT_UP,  JOY_POV_RIGHT, JOY_POV_RIGHT_DOWN,
                            JOY_POV_DOWN, JOY_POV_LEFT_DOWN, JOY_POV_LEFT,  JOY_POV_LEFT_UP};

// Zero axes, no button, and a point of view that is no direction (a missing
// device must not look like a hat held up).
void ExpectNoDevice(const Joystick& joystick, const char* when) {
    const JOY_AXES a = joystick.Axes();
    EXPECT_TRUE(a.x == 0 && a.y == 0 && a.z == 0 && a.r == 0) << when;
    EXPECT_FALSE(joystick.Button(JOY_BUTTON1)) << when;
    for (int32_t pov : kAllPovs) EXPECT_FALSE(joystick.POV(pov)) << when << ": POV " << pov;
}

TEST(Joystick, AxesAreScaledByTheScreenInTwips) {
    int32_t width = 0, height = 0;
    ASSERT_TRUE(platform::ScreenSizeInTwips(width, height));
    ASSERT_EQ(std::pair(width, height), std::pair(1024 * 15, 768 * 15)) << "the offscreen driver's desktop";
    VirtualJoystick device;
    ASSERT_TRUE(*device) << SDL_GetError();
    // SDL's -32768..32767 is 0..65535 around 32767.5; x and z per screen width,
    // y and the rudder (centred on the Z range) per screen height.
    const struct {
        Sint16 value;
        int32_t across, along;
    } cases[] = {{32767, 2, 3}, {-32768, -2, -3}, {0, 0, 0}, {24000, 2, 2}, {-10000, -1, -1}};
    Joystick joystick;
    for (const auto& c : cases) {
        for (int axis = 0; axis < 4; ++axis) SDL_JoystickSetVirtualAxis(*device, axis, c.value);
        joystick.Update();
        const JOY_AXES a = joystick.Axes();
        EXPECT_EQ((std::vector<int32_t>{a.x, a.y, a.z, a.r}), (std::vector<int32_t>{c.across, c.along, c.across, c.along})) << c.value;
    }
}

TEST(Joystick, ButtonsNeedEveryBitAndTheHatAnswersOneDirection) {
    VirtualJoystick device;
    ASSERT_TRUE(*device) << SDL_GetError();
    Joystick joystick;
    SDL_JoystickSetVirtualButton(*device, 0, 1);
    SDL_JoystickSetVirtualButton(*device, 31, 1);
    joystick.Update();
    EXPECT_TRUE(joystick.Button(JOY_BUTTON1 | JOY_BUTTON32));
    EXPECT_FALSE(joystick.Button(JOY_BUTTON1 + JOY_BUTTON2));
    SDL_JoystickSetVirtualButton(*device, 1, 1);
    joystick.Update();
    EXPECT_TRUE(joystick.Button(JOY_BUTTON1 + JOY_BUTTON2));

    const Uint8 hats[] = {SDL_HAT_UP,   SDL_HAT_RIGHTUP,  SDL_HAT_RIGHT, SDL_HAT_RIGHTDOWN,
                          SDL_HAT_DOWN, SDL_HAT_LEFTDOWN, SDL_HAT_LEFT,  SDL_HAT_LEFTUP, SDL_HAT_CENTERED};
    for (size_t h = 0; h < std::size(hats); ++h) {
        SDL_JoystickSetVirtualHat(*device, 0, hats[h]);
        joystick.Update();
        for (size_t p = 0; p < std::size(kAllPovs); ++p)
            EXPECT_EQ(joystick.POV(kAllPovs[p]), p == h) << "hat " << int(hats[h]) << ", POV " << kAllPovs[p];
    }
}

TEST(Joystick, NoDeviceThenPluggedInPulledOutAndPluggedInAgain) {
    Joystick joystick;
    ExpectNoDevice(joystick, "before Update");
    joystick.Update();
    ExpectNoDevice(joystick, "nothing attached");
    {
        VirtualJoystick device;
        ASSERT_TRUE(*device) << SDL_GetError();
        SDL_JoystickSetVirtualButton(*device, 2, 1);
        SDL_JoystickSetVirtualHat(*device, 0, SDL_HAT_LEFT);
        SDL_JoystickSetVirtualAxis(*device, 0, 32767);
        joystick.Update();
        EXPECT_TRUE(joystick.Button(JOY_BUTTON3) && joystick.POV(JOY_POV_LEFT) && joystick.Axes().x > 0);
        device.Detach();
        joystick.Update();
        ExpectNoDevice(joystick, "pulled out");
    }
    VirtualJoystick again;
    ASSERT_TRUE(*again) << SDL_GetError();
    SDL_JoystickSetVirtualButton(*again, 0, 1);
    joystick.Update();
    EXPECT_TRUE(joystick.Button(JOY_BUTTON1)) << "plugged in again";
}

}  // namespace
