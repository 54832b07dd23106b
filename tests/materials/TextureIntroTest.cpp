#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include "korvath/Engine.h"
#include "korvath/Window.h"
#include "platform/Video.h"
#include "support/TestSupport.h"

using namespace korvath;
using namespace korvath::test;

namespace {

// A clock moving 5 ms per reading that keeps the picture the intro has drawn
// when each moment of interest has passed.
class CapturingClock : public platform::Clock {
public:
    explicit CapturingClock(std::vector<uint32_t> moments) : moments_(std::move(moments)) {}
    void Sleep(uint32_t milliseconds) override { now_ += milliseconds; }
    uint32_t Milliseconds() override {
        now_ += 5;
        if (next_ < moments_.size() && now_ - kStart >= moments_[next_]) {
            frames.push_back(ReadPixels(0, 0, 640, 480));
            // The window shows no alpha; the pictures should not either.
            for (size_t i = 3; i < frames.back().size(); i += 4) frames.back()[i] = 255;
            ++next_;
        }
        return now_;
    }
    std::vector<std::vector<uint8_t>> frames;

private:
    static constexpr uint32_t kStart = 100000;
    uint32_t now_ = kStart;
    std::vector<uint32_t> moments_;
    size_t next_ = 0;
};

// Mean of one channel over the 100 x 100 square around the centre of the screen.
double CentreMean(const std::vector<uint8_t>& frame, int channel) {
    double sum = 0;
    for (int y = 190; y < 290; ++y)
        for (int x = 270; x < 370; ++x) sum += frame[(y * 640 + x) * 4 + channel];
    return sum / 10000;
}

}  // namespace

// The logo fades in (0 to 0.5 s), its glow fades in under it (to 1.5 s), the
// picture cross-fades into the title (to 2 s), which stays for 4 s.
TEST(Intro, EveryPhaseShowsItsPictures) {
    const std::vector<uint32_t> moments = {150, 480, 900, 1480, 1750, 4000};
    CapturingClock clock(moments);
    platform::RequestOffscreen();
    platform::SetClock(&clock);
    {
        Window window;
        const int32_t handle = window.Load(640, 480);
        Engine engine;
        ASSERT_TRUE(engine.Initialize(handle, 640, 480, 32));
        ASSERT_EQ(clock.frames.size(), moments.size());
    }
    platform::SetClock(nullptr);

    const char* const names[] = {"logo-fading-in", "logo", "glow-fading-in", "glow", "cross-fade", "title"};
    for (size_t i = 0; i < clock.frames.size(); ++i) {
        const std::string path = ProcessDirectory() + "/intro-" + names[i] + ".png";
        stbi_flip_vertically_on_write(1);
        EXPECT_TRUE(stbi_write_png(path.c_str(), 640, 480, 4, clock.frames[i].data(), 640 * 4));
        std::printf("intro frame: %s\n", path.c_str());
    }
    double red[6];
    for (size_t i = 0; i < 6; ++i) red[i] = CentreMean(clock.frames[i], 0);
    EXPECT_GT(red[0], 1.0);          // the logo is appearing
    EXPECT_GT(red[1], red[0] * 1.5);  // and brighter once faded in
    EXPECT_GT(red[3], red[1] * 1.2);  // the glow adds to it
    EXPECT_NE(clock.frames[5], clock.frames[3]);  // the title replaced the emblem
}
