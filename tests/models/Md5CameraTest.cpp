// Camera tracks read from md5camera text frame by frame, with their names,
// counts and failure lines; a mesh is not needed.
#include "korvath/MD5.h"
#include "models/Md5Writer.h"
#include "models/ModelTestSupport.h"

namespace korvath::test {
namespace {

using Lines = std::vector<std::string>;

class Md5CameraTest : public LoggedEngineTest {
protected:
    static std::string Write(const std::string& name, const std::string& text) {
        return WriteModel(name, {text.begin(), text.end()});
    }
};

TEST_F(Md5CameraTest, TrackReadsFrameByFrame) {
    Md5CameraText text;
    text.FrameRate = 30;
    text.Cuts = {2};
    text.Frames = {{1, 2, 3, 0, 0, 0, 90}, {4, 5, 6, 0.5f, -0.5f, 0.25f, 75.5f}, {7, 8, 9, 0, 1, 0, 60}};
    MD5 model;
    model.LoadCamera(Write("intro.md5camera", text.Text()));
    EXPECT_TRUE(NewLogLines().empty());  // a successful track logs nothing
    ASSERT_EQ(model.Cameras(), 1);
    const MD5_CAMERA camera = model.Camera(0);
    EXPECT_EQ(camera.Name, "intro.md5camera" + std::string(64 - 15, ' '));
    EXPECT_EQ(camera.FrameRate, 30);
    ASSERT_EQ(camera.NumFrames, 3);
    ASSERT_EQ(camera.Frames.size(), 3u);
    for (size_t f = 0; f < 3; ++f) {
        const auto& expected = text.Frames[f];
        const MD5_CAMERA_FRAME& frame = camera.Frames[f];
        // w is left for the host to complete.
        EXPECT_TRUE(FloatsEq({frame.Position.x, frame.Position.z, frame.Orientation.x, frame.Orientation.z, frame.Orientation.w,
                              frame.FieldOfView},
                             {expected[0], expected[2], expected[3], expected[5], 0, expected[6]})) << f;
    }
    model.LoadCamera(Write(std::string(70, 'n') + ".md5camera", text.Text()));
    ASSERT_EQ(model.Cameras(), 2);
    EXPECT_EQ(model.Camera(1).Name, std::string(64, 'n'));
    EXPECT_EQ(model.Camera(2).NumFrames, 0);
}

TEST_F(Md5CameraTest, BadTracksAreNotCounted) {
    Md5CameraText text;
    text.Frames = {{1, 2, 3, 0, 0, 0, 90}, {4, 5, 6, 0, 0, 0, 90}};
    const std::string good = text.Text();
    MD5 model;
    std::string noVersion = good;
    noVersion.erase(0, noVersion.find('\n') + 1);
    model.LoadCamera(Write("bad.md5camera", noVersion));
    EXPECT_EQ(NewLogLines(), (Lines{" * Not A Valid MD5 Camera !", "MD5: Loading Camera Failed...", ""}));
    const std::pair<std::string, std::string> spoils[] = {
        {"numFrames 2", "numFrames 3"}, {"numFrames 2", "numFrames 2147483647"}, {"( 4 5 6 )", "( 4 five 6 )"},
        {"numCuts 0", "numCuts 1"}, {"90\n}", "\n}"}};
    for (const auto& [from, to] : spoils) {
        std::string spoilt = good;
        spoilt.replace(spoilt.find(from), from.size(), to);
        model.LoadCamera(Write("spoilt.md5camera", spoilt));
        EXPECT_EQ(NewLogLines().back(), "") << to;
    }
    EXPECT_EQ(model.Cameras(), 0);
    model.LoadCamera(ProcessDirectory() + "/missing.md5camera");
    model.LoadCamera(Write("good.md5camera", good));
    EXPECT_EQ(model.Cameras(), 1);
}

}  // namespace
}  // namespace korvath::test
