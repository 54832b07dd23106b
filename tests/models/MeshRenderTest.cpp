// A two-part Mesh built by hand, drawn offscreen; the picture lands beside the log.
#include "korvath/Mesh.h"
#include "materials/Materials.h"
#include "materials/Texture.h"
#include "models/ModelTestSupport.h"
#include "support/RenderFixture.h"

namespace korvath::test {
namespace {

SHADER Coloured(uint8_t r, uint8_t g, uint8_t b) {
    SHADER material;
    material.Stages.resize(1);
    material.Stages[0].Textures[0] = CreateTexture(GL_RGB, IMAGE{{r, g, b}, 1, 1});
    return material;
}

using MeshRenderTest = RenderTest<128>;

TEST_F(MeshRenderTest, TwoPartsDrawWithTheirOwnMaterials) {
    View().CameraPosition = {0, 0, 40};
    SHADER red = Coloured(255, 0, 0), blue = Coloured(0, 0, 255);
    Mesh built;
    // Part 0: a square of two triangles, wound opposite ways, left of the middle.
    for (const auto& [x, y] : {std::pair{-16.0f, -8.0f}, {-2.0f, -8.0f}, {-2.0f, 8.0f}, {-16.0f, 8.0f}})
        built.SetVertex(0, x, y, 0, 0.5f, 0.5f);
    built.SetTriangle(0, 1, 2, 3);
    built.SetTriangle(0, 1, 4, 3);
    // Part 1: the same square right of the middle, a fan without triangles.
    for (const auto& [x, y] : {std::pair{2.0f, -8.0f}, {16.0f, -8.0f}, {16.0f, 8.0f}, {2.0f, 8.0f}})
        built.SetVertex(1, x, y, 0, 0.5f, 0.5f);
    built.SetShader(0, red);
    built.SetShader(1, blue);
    const auto colour = [](const Picture& picture, int x, int y) {
        const uint8_t* p = picture.At(x, y);
        return std::vector<int>{p[0], p[1], p[2]};
    };
    const std::vector<int> kRed{255, 0, 0}, kBlue{0, 0, 255}, kBlack{0, 0, 0};

    // Built by hand, the mesh draws up to the last part a file named: part 0.
    Timing().FrameVertices = 0;
    built.Render();
    Picture pixels = Take();
    EXPECT_EQ(Timing().FrameVertices, 6);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(colour(pixels, 50, 50), kRed);  // the triangle wound one way
    EXPECT_EQ(colour(pixels, 25, 80), kRed);  // and the other
    EXPECT_EQ(colour(pixels, 88, 64), kBlack);

    // Saved and loaded again, the file names both parts.
    ASSERT_TRUE(built.Save("two-parts.mesh"));
    Mesh loaded;
    loaded.Load("two-parts.mesh");
    loaded.SetShader(0, red);
    loaded.SetShader(1, blue);
    Clear();
    Timing().FrameVertices = 0;
    loaded.Render();
    Save("mesh-two-parts.png");
    pixels = Take();
    EXPECT_EQ(Timing().FrameVertices, 6);  // the fan adds nothing
    EXPECT_EQ(colour(pixels, 50, 50), kRed);
    EXPECT_EQ(colour(pixels, 25, 80), kRed);
    EXPECT_EQ(colour(pixels, 88, 64), kBlue);
    EXPECT_EQ(colour(pixels, 64, 64), kBlack);
    // The materials are the test's: the meshes let go of them first.
    built.SetShader(0, {});
    loaded.SetShader(0, {});
    FreeMaterial(red);
    FreeMaterial(blue);
}

}  // namespace
}  // namespace korvath::test
