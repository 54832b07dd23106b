// What one screen of pixels costs the rasteriser, whatever draws them: a
// 640 x 480 view covered once by 3,200 small triangles (about the size of a
// level's faces on screen), as depth only, with one texture, and with a texture
// times a lightmap made the way the engine makes them (mipmapped, trilinear).
// A level frame pays at least its depth pass plus one textured screen; this is
// the floor under the level benchmark's frame times on a software rasteriser.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "BenchSupport.h"
#include "core/ExtTable.h"
#include "materials/Texture.h"
#include "platform/GL.h"

namespace {

using namespace korvath;

constexpr int kCells = 40;  // per side: 2 x 40 x 40 triangles

struct Vertex {
    float x, y, z, s, t, u, v;
};

// Two triangles per cell over the whole view; the image repeats 8 times across
// (minified, as on a wall seen from a few metres), the lightmap once (magnified).
std::vector<Vertex> Grid() {
    std::vector<Vertex> vertices;
    for (int j = 0; j < kCells; ++j) {
        for (int i = 0; i < kCells; ++i) {
            const float x0 = -1 + 2.0f * i / kCells, x1 = -1 + 2.0f * (i + 1) / kCells;
            const float y0 = -1 + 2.0f * j / kCells, y1 = -1 + 2.0f * (j + 1) / kCells;
            for (const auto& [x, y] : {std::pair{x0, y0}, {x1, y0}, {x1, y1}, {x0, y0}, {x1, y1}, {x0, y1}})
                vertices.push_back({x, y, 0.5f, 4 * (x + 1), 4 * (y + 1), (x + 1) / 2, (y + 1) / 2});
        }
    }
    return vertices;
}

int32_t NoiseTexture(int32_t side) {
    IMAGE image;
    image.Width = image.Height = side;
    image.Pixels.resize(static_cast<size_t>(side) * side * 3);
    for (uint8_t& c : image.Pixels) c = static_cast<uint8_t>(std::rand());
    return CreateTexture(GL_RGB, image);
}

// units: 0 depth only, 1 the image, 2 the image times the lightmap.
void BM_ScreenFill(benchmark::State& state) {
    if (!bench::SharedEngine().initialized()) {
        state.SkipWithError("no GL context");
        return;
    }
    const int units = static_cast<int>(state.range(0));
    const GLExtFunctions& ext = GLExt();
    const std::vector<Vertex> grid = Grid();
    const GLuint image = static_cast<GLuint>(NoiseTexture(512)), lightmap = static_cast<GLuint>(NoiseTexture(128));

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(Vertex), &grid[0].x);
    for (int u = 0; u < 2; ++u) {
        ext.glActiveTextureARB(GL_TEXTURE0_ARB + u);
        ext.glClientActiveTextureARB(GL_TEXTURE0_ARB + u);
        glBindTexture(GL_TEXTURE_2D, u == 0 ? image : lightmap);
        if (u < units) {
            glEnable(GL_TEXTURE_2D);
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), u == 0 ? &grid[0].s : &grid[0].u);
        }
    }
    if (units == 0) glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);

    for (auto _ : state) {
        glClear(GL_DEPTH_BUFFER_BIT);
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(grid.size()));
        glFinish();
    }

    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    for (int u = 1; u >= 0; --u) {
        ext.glActiveTextureARB(GL_TEXTURE0_ARB + u);
        ext.glClientActiveTextureARB(GL_TEXTURE0_ARB + u);
        glDisable(GL_TEXTURE_2D);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glEnable(GL_CULL_FACE);
    glDeleteTextures(1, &image);
    glDeleteTextures(1, &lightmap);
}
// The rasteriser's threads do the work: wall-clock time per screen is what counts.
BENCHMARK(BM_ScreenFill)->ArgName("units")->Arg(0)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
