// MDL models drawn offscreen against a triangle-at-a-time reference; pictures land beside the log.
#include "core/Matrix.h"
#include "korvath/MDL.h"
#include "materials/Materials.h"
#include "models/MdlFile.h"
#include "models/MdlWriter.h"
#include "models/KeyframeReference.h"
#include "models/ModelTestSupport.h"
#include "platform/Files.h"
#include "support/RenderFixture.h"

namespace korvath::test {
namespace {

class MdlRenderTest : public RenderTest<256> {
protected:
    static void SetUpTestSuite() {
        RenderTest::SetUpTestSuite();
        std::vector<uint8_t> bytes;
        platform::ReadWholeFile(CorpusPath("mdl/progs/dog.mdl"), bytes);
        ReadMdl(bytes, file_);
    }
    void SetUp() override {
        RenderTest::SetUp();
        View().CameraPosition = {0, 0, 80};
        model_.Load(CorpusPath("mdl/progs/dog.mdl"));
        model_.SetPalette(CorpusPath("mdl/gfx/palette.lmp"));
        ASSERT_TRUE(model_.Loaded());
        model_.Rotate(0, 0, 180);  // facing the camera
    }
    void DrawReference(int c, int n, float w) {
        SHADER skin = model_.Shader();
        DrawKeyframeReference(file_.Mesh, model_, skin.Stages[0], c, n, w);
    }

    static inline MdlModel file_;
    MDL model_;
};

TEST_F(MdlRenderTest, HalfWayPoseWithThePaletteSkinMatchesTheFile) {
    model_.SetFrame(10);
    model_.SetVelocity(10);
    Timing().FrameTime = 0.05f;
    model_.Render();  // 10.5, toward 11
    const Picture drawn = Take();
    Save("mdl-half-way.png");
    EXPECT_EQ(model_.Frame(), 10);
    EXPECT_GT(drawn.Lit(), 3000);
    Clear();
    DrawReference(10, 11, 0.5f);
    EXPECT_LE(drawn.Differing(Take()), 0);
    Clear();
    DrawReference(10, 10, 0);
    EXPECT_GT(drawn.Differing(Take()), 50);  // the pose moved
}

// The corpus models have no seam vertices: a written square's front-facing left half samples
// the skin's left (red) half, its back-facing right half the right (green) half.
TEST_F(MdlRenderTest, BackFacingTrianglesSampleTheBackHalfOfTheSkin) {
    MdlFile file;
    file.SkinWidth = 16;
    file.SkinHeight = 4;
    std::vector<uint8_t> skin(64);
    for (size_t i = 0; i < skin.size(); ++i) skin[i] = i % 16 < 8 ? 1 : 2;
    file.Skins = {{0, {skin}}};
    file.Translate = {-20, -10, 0};
    // Seam 0 and 4 in the middle, 1 and 2 on the right, 3 and 5 on the left.
    file.TexCoords = {{1, 6, 4}, {0, 14, 4}, {0, 14, 0}, {0, 0, 4}, {1, 6, 0}, {0, 0, 0}};
    // Wound clockwise, as Quake models are and the engine keeps.
    file.Triangles = {{1, 3, 4, 0}, {1, 3, 5, 4}, {0, 0, 2, 1}, {0, 0, 4, 2}};
    file.Frames = {{0, {{"still1", {{20, 0, 0, 5}, {40, 0, 0, 5}, {40, 20, 0, 5}, {0, 0, 0, 5}, {20, 20, 0, 5},
                                    {0, 20, 0, 5}}}}}};
    std::vector<uint8_t> palette(768);
    palette[3] = palette[7] = 255;  // 1 red, 2 green
    MDL model;
    model.Load(WriteModel("seam.mdl", file.Bytes()));
    model.SetPalette(WriteModel("seam.lmp", palette));
    ASSERT_TRUE(model.Loaded());
    model.SetRotation(0, 0, 0);
    View().CameraPosition = {0, 0, 40};
    model.Render(false);
    Save("mdl-seam.png");
    const Picture picture = Take();
    int red[2] = {}, green[2] = {};  // left and right of the middle
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const uint8_t* p = picture.At(x, y);
            red[x >= kSize / 2] += p[0] > 200 && p[1] < 50;
            green[x >= kSize / 2] += p[1] > 200 && p[0] < 50;
        }
    EXPECT_TRUE(red[0] > 1000 && green[1] > 1000) << red[0] << " " << green[1];
    // Unshifted, the right half would sweep from the left half's red to green.
    EXPECT_EQ(red[1] + green[0], 0);
}

}  // namespace
}  // namespace korvath::test
