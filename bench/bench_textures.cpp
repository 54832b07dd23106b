// Level loads are dominated by image decoding and mipmap building: this loads
// every image the corpus level uses, as the level loader does, and reports
// images and megapixels per second.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/Capabilities.h"
#include "core/EngineState.h"
#include "materials/Texture.h"
#include "platform/GL.h"

namespace {

using namespace korvath;

struct LevelImage {
    std::string path;
    int64_t pixels = 0;
};

// Every image below the level's textures/ and gfx/ directories.
std::vector<LevelImage> LevelImages() {
    std::vector<LevelImage> images;
    for (const char* dir : {"q3/textures", "q3/gfx"})
        for (const auto& entry : std::filesystem::recursive_directory_iterator(test::CorpusPath(dir)))
            if (entry.is_regular_file()) images.push_back({entry.path().string(), 0});
    return images;
}

void LoadOnce(std::vector<LevelImage>& images, int64_t& pixels) {
    for (LevelImage& image : images) {
        GLuint name = static_cast<GLuint>(LoadTexture(image.path));
        if (image.pixels == 0 && name != 0) {
            GLint w = 0, h = 0;
            glBindTexture(GL_TEXTURE_2D, name);
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
            image.pixels = static_cast<int64_t>(w) * h;
        }
        pixels += image.pixels;
        glDeleteTextures(1, &name);
    }
}

void BM_LoadLevelTextures(benchmark::State& state) {
    if (!bench::SharedEngine().initialized()) {
        state.SkipWithError("no GL context");
        return;
    }
    // Argument 0: plain textures; 1: S3TC compression where the driver has it.
    EngineState& engineState = State();
    const bool compressionAvailable = korvath::Caps().TextureCompression;
    const bool compressionChosen = korvath::Caps().CompressTextures;
    korvath::Caps().CompressTextures = compressionAvailable && state.range(0) != 0;
    std::vector<LevelImage> images = LevelImages();
    int64_t pixels = 0;
    LoadOnce(images, pixels);  // warm the file cache and learn the sizes
    pixels = 0;
    int64_t loaded = 0;
    for (auto _ : state) {
        LoadOnce(images, pixels);
        glFinish();
        loaded += static_cast<int64_t>(images.size());
    }
    state.counters["images/s"] = benchmark::Counter(static_cast<double>(loaded), benchmark::Counter::kIsRate);
    state.counters["Mpixels/s"] = benchmark::Counter(static_cast<double>(pixels) / 1e6, benchmark::Counter::kIsRate);
    state.counters["images"] = static_cast<double>(images.size());
    korvath::Caps().CompressTextures = compressionChosen;
}
BENCHMARK(BM_LoadLevelTextures)->ArgName("compressed")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace
