// A corpus MDL drawn on the offscreen context with its palette skin: the pose
// half-way between two frames against one drawn a triangle at a time from the
// file's own bytes, texture coordinates taken per triangle across the seam.
// Pictures land beside the log.
#include <cstring>

#include "core/ConsoleState.h"
#include "core/FrameTiming.h"
#include "core/Matrix.h"
#include "core/ViewState.h"
#include "korvath/Camera.h"
#include "korvath/MDL.h"
#include "materials/Materials.h"
#include "models/MdlWriter.h"
#include "models/ModelTestSupport.h"
#include "models/VertexNormals.h"
#include "platform/Files.h"
#include "platform/GL.h"

namespace korvath::test {
namespace {

constexpr int kSize = 256;

int Differing(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int count = 0;
    for (size_t i = 0; i < a.size(); i += 4) count += !std::equal(&a[i], &a[i + 3], &b[i]);
    return count;
}

int Lit(const std::vector<uint8_t>& pixels) {
    int count = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) count += pixels[i] + pixels[i + 1] + pixels[i + 2] > 0;
    return count;
}

// The parts of a one-skin MDL file the reference reads straight from its bytes.
struct RawMdl {
    std::vector<uint8_t> bytes;
    template <typename T>
    T At(size_t offset) const {
        T value;
        std::memcpy(&value, &bytes[offset], sizeof value);
        return value;
    }
    int32_t Field(size_t offset) const { return At<int32_t>(offset); }
    int32_t width() const { return Field(52); }
    int32_t height() const { return Field(56); }
    int32_t vertices() const { return Field(60); }
    int32_t triangles() const { return Field(64); }
    size_t texCoords() const { return 84 + 4 + static_cast<size_t>(width() * height()); }
    size_t triangleTable() const { return texCoords() + 12 * static_cast<size_t>(vertices()); }
    size_t frame(int f) const {
        return triangleTable() + 16 * static_cast<size_t>(triangles()) + static_cast<size_t>(f) * (28 + 4 * vertices());
    }
    VECTOR3 Position(int f, int v) const {
        const size_t at = frame(f) + 28 + 4 * static_cast<size_t>(v);
        const VECTOR3 scale = At<VECTOR3>(8), translate = At<VECTOR3>(20);
        return {bytes[at] * scale.x + translate.x, bytes[at + 1] * scale.y + translate.y,
                bytes[at + 2] * scale.z + translate.z};
    }
};

class MdlRenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        gl_ = std::make_unique<OffscreenEngine>(kSize, kSize);
        ConsoleData().Visible = false;
        platform::ReadWholeFile(CorpusPath("mdl/progs/dog.mdl"), raw_.bytes);
    }
    static void TearDownTestSuite() { gl_.reset(); }
    void SetUp() override {
        ASSERT_TRUE(gl_->initialized());
        Camera().Set3DFieldOfView(60);
        View().CameraPosition = {0, 0, 80};
        View().CameraRotation = {};
        Timing().FrameTime = 0;
        model_.Load(CorpusPath("mdl/progs/dog.mdl"));
        model_.SetPalette(CorpusPath("mdl/gfx/palette.lmp"));
        ASSERT_TRUE(model_.Loaded());
        model_.Rotate(0, 0, 180);  // facing the camera
        Clear();
    }
    static void Clear() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
    static void Save(const std::string& name) { WriteScreenshot(ProcessDirectory() + "/" + name, kSize, kSize); }

    // The pose between frames c and n, one triangle at a time, back-facing
    // triangles moving seam vertices half a skin over.
    void DrawReference(int c, int n, float w) {
        ApplyViewTransform(false);
        ApplyPlacement(model_.Position(), model_.Rotation());
        ApplyScale(model_.Scale());
        SHADER skin = model_.Shader();
        glEnable(GL_TEXTURE_2D);
        ApplyStage(skin.Stages[0]);
        for (int32_t t = 0; t < raw_.triangles(); ++t) {
            const size_t triangle = raw_.triangleTable() + 16 * static_cast<size_t>(t);
            const bool front = raw_.Field(triangle) != 0;
            glBegin(GL_TRIANGLES);
            for (int k = 0; k < 3; ++k) {
                const int32_t v = raw_.Field(triangle + 4 + 4 * static_cast<size_t>(k));
                const size_t st = raw_.texCoords() + 12 * static_cast<size_t>(v);
                const bool shifted = raw_.Field(st) != 0 && !front;
                const VECTOR3 p = raw_.Position(c, v), q = raw_.Position(n, v);
                const VECTOR3& normal = kVertexNormals[raw_.bytes[raw_.frame(c) + 28 + 4 * static_cast<size_t>(v) + 3]];
                glNormal3f(normal.x, normal.y, normal.z);
                glTexCoord2f(static_cast<float>(raw_.Field(st + 4) / double(raw_.width()) + (shifted ? 0.5 : 0)),
                             static_cast<float>(raw_.Field(st + 8) / double(raw_.height())));
                glVertex3f(p.x + w * (q.x - p.x), p.y + w * (q.y - p.y), p.z + w * (q.z - p.z));
            }
            glEnd();
        }
        ResetStage(skin.Stages[0]);
        glDisable(GL_TEXTURE_2D);
    }

    static inline std::unique_ptr<OffscreenEngine> gl_;
    static inline RawMdl raw_;
    MDL model_;
};

TEST_F(MdlRenderTest, HalfWayPoseWithThePaletteSkinMatchesTheFile) {
    model_.SetFrame(10);
    model_.SetVelocity(10);
    Timing().FrameTime = 0.05f;
    model_.Render();  // 10.5, toward 11
    const std::vector<uint8_t> drawn = ReadPixels(0, 0, kSize, kSize);
    Save("mdl-half-way.png");
    EXPECT_EQ(model_.Frame(), 10);
    EXPECT_GT(Lit(drawn), 3000);
    Clear();
    DrawReference(10, 11, 0.5f);
    EXPECT_LE(Differing(drawn, ReadPixels(0, 0, kSize, kSize)), 0);
    Clear();
    DrawReference(10, 10, 0);
    EXPECT_GT(Differing(drawn, ReadPixels(0, 0, kSize, kSize)), 50);  // the pose moved
}

// The corpus models have no seam vertices, so a written one shows the seam: a
// square whose left half faces front and samples the skin's left (red) half,
// whose right half faces back and samples the right (green) half, the seam
// vertices down its middle shared by both.
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
    palette[3] = 255;  // 1 red
    palette[7] = 255;  // 2 green
    MDL model;
    model.Load(WriteModel("seam.mdl", file.Bytes()));
    model.SetPalette(WriteModel("seam.lmp", palette));
    ASSERT_TRUE(model.Loaded());
    model.SetRotation(0, 0, 0);
    View().CameraPosition = {0, 0, 40};
    model.Render(false);
    Save("mdl-seam.png");
    const std::vector<uint8_t> pixels = ReadPixels(0, 0, kSize, kSize);
    int red[2] = {}, green[2] = {};  // left and right of the middle
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const uint8_t* p = &pixels[(static_cast<size_t>(y) * kSize + x) * 4];
            red[x >= kSize / 2] += p[0] > 200 && p[1] < 50;
            green[x >= kSize / 2] += p[1] > 200 && p[0] < 50;
        }
    EXPECT_GT(red[0], 1000);
    EXPECT_GT(green[1], 1000);
    // Unshifted, the right half would sweep from the left half's red to green.
    EXPECT_EQ(red[1], 0);
    EXPECT_EQ(green[0], 0);
}

}  // namespace
}  // namespace korvath::test
