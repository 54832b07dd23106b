// Every kind of content (a level, a video material, a model of every class,
// particles and a looping sound) loaded, drawn and unloaded cycle after cycle;
// memory and live GL objects may not grow. Each class adds its line to
// LoadCycle. A long soak runs by hand:
//   SOAK_CYCLES=20 SOAK_FRAMES=10000 build/tests/test_soak
#include <SDL.h>
#include <malloc.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/ConsoleState.h"
#include "core/Paths.h"
#include "korvath/Camera.h"
#include "korvath/MD2.h"
#include "korvath/MD3.h"
#include "korvath/MD5.h"
#include "korvath/MDL.h"
#include "korvath/Map.h"
#include "korvath/Mesh.h"
#include "korvath/Particles.h"
#include "korvath/Shaders.h"
#include "korvath/Sound.h"
#include "platform/GL.h"
#include "support/TestSupport.h"
#include "support/BspWriter.h"
#include "support/WavWriter.h"

// Bytes allocated and not yet freed, counted by the address sanitizer's
// runtime (absent from plain builds).
extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace korvath::test {
namespace {

int EnvCount(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && std::atoi(text) > 0 ? std::atoi(text) : fallback;
}

// Heap in use, in KiB: what the program and its libraries hold, without what
// the allocator keeps free for later (or, under the address sanitizer, in its
// quarantine).
long HeapKiB() {
    if (kAddressSanitizer && __sanitizer_get_current_allocated_bytes)
        return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
}

// GL names alive, found by asking GL about every name up to the next one it
// would hand out (a driver may never reuse names, so they climb cycle by
// cycle), and at least up to a bound well past what one cycle makes.
struct GlObjects {
    int textures = 0, lists = 0, buffers = 0, programs = 0;
    bool operator==(const GlObjects&) const = default;
};

GlObjects CountGlObjects() {
    using IsName = GLboolean (*)(GLuint);
    using NameFunction = void (*)(GLsizei, GLuint*);
    using ConstNameFunction = void (*)(GLsizei, const GLuint*);
    static const auto isBuffer = reinterpret_cast<IsName>(SDL_GL_GetProcAddress("glIsBufferARB"));
    static const auto genBuffers = reinterpret_cast<NameFunction>(SDL_GL_GetProcAddress("glGenBuffersARB"));
    static const auto deleteBuffers = reinterpret_cast<ConstNameFunction>(SDL_GL_GetProcAddress("glDeleteBuffersARB"));
    static const auto isProgram = reinterpret_cast<IsName>(SDL_GL_GetProcAddress("glIsProgram"));
    GLuint texture = 0, buffer = 0;
    glGenTextures(1, &texture);
    glDeleteTextures(1, &texture);
    const GLuint list = glGenLists(1);
    glDeleteLists(list, 1);
    if (genBuffers && deleteBuffers) {
        genBuffers(1, &buffer);
        deleteBuffers(1, &buffer);
    }
    const GLuint bound = std::max({GLuint{20000}, texture, list, buffer});
    GlObjects alive;
    for (GLuint name = 1; name <= bound; ++name) {
        alive.textures += glIsTexture(name) ? 1 : 0;
        alive.lists += glIsList(name) ? 1 : 0;
        if (isBuffer) alive.buffers += isBuffer(name) ? 1 : 0;
        if (isProgram && name <= 2000) alive.programs += isProgram(name) ? 1 : 0;
    }
    return alive;
}

// One of everything, drawn for a number of frames and unloaded.
void LoadCycle(Engine& engine, int frames, const std::string& videoScript, const std::string& tone) {
    EnginePath() = CorpusPath("q3") + "/";
    Map level;
    level.Load("maps/ps9ctf.bsp");
    ASSERT_TRUE(level.Loaded());
    Shaders shaders;
    SHADER video = shaders.Load(videoScript, "soak/video");
    MD2 model;
    model.Load(CorpusPath("md2/sydney.md2"));
    model.SetShader(shaders.Load(CorpusPath("md2/sydney.bmp")));
    model.SetAnimation("run");
    ASSERT_TRUE(model.Loaded());
    MD3 player;  // lit by the level's light grid
    player.LoadAnimationTable("models/players/tony/animation.cfg");
    player.Load("models/players/tony");
    for (int32_t part = 0; part < 3; ++part)
        player.LoadSkin(part, std::string("models/players/tony/") + (part == 0 ? "lower" : part == 1 ? "upper" : "head") +
                                  "_default.skin");
    player.SetLevelLighting(&level);
    ASSERT_TRUE(player.Loaded());
    MD5 flag;
    flag.Load(CorpusPath("md5/ffflag.md5mesh"));
    flag.LoadAnimation(CorpusPath("md5/ffflag.md5anim"));
    ASSERT_TRUE(flag.Loaded());
    MDL dog;
    dog.Load(CorpusPath("mdl/progs/dog.mdl"));
    dog.SetPalette(CorpusPath("mdl/gfx/palette.lmp"));
    ASSERT_TRUE(dog.Loaded());
    Mesh square;
    for (const auto& [x, y] : {std::pair{-8.0f, -8.0f}, {8.0f, -8.0f}, {8.0f, 8.0f}, {-8.0f, 8.0f}})
        square.SetVertex(0, x, y, 0, 0.5f, 0.5f);
    square.SetTriangle(0, 1, 2, 3);
    square.SetShader(0, video);
    Particles sparks;
    sparks.Load(200);
    Sound sound;
    sound.Load(tone);
    sound.Repeat(tone);

    Camera camera;
    camera.Set3DFieldOfView(70);
    for (int i = 0; i < frames; ++i) {
        engine.BeginScene();
        level.Render();
        model.Render();
        player.Render();
        flag.Render();
        dog.Render();
        square.Render();
        sparks.Update();
        sparks.Render();
        engine.EndScene();
    }
    sound.UnLoad(tone);
    sparks.UnLoad();
    square.SetShader(0, {});  // the video material is the shaders' to free
    square.UnLoad();
    dog.UnLoad();
    flag.UnLoad();
    player.UnLoad();
    model.UnLoad();  // releases its skin too
    shaders.UnLoad(video);
    level.UnLoad();
}

TEST(Soak, NothingGrowsFromCycleToCycle) {
    const int cycles = EnvCount("SOAK_CYCLES", 4), frames = EnvCount("SOAK_FRAMES", 20);
    // Sounds play into a file, so the soak runs without a sound card.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (ProcessDirectory() + "/soak-audio.raw").c_str(), 1);
    // The software driver keeps each frame it has drawn, with a reference to
    // every texture the frame sampled, until it reuses that frame's record.
    // With its rasterizer threads behind (another program on the cores), it
    // opens new records, and the idle ones keep deleted textures of earlier
    // cycles alive: the heap reading then jumped by a whole cycle's textures
    // (13 MiB) and back at random. Rasterizing on this thread keeps a single
    // record, so a reading shows what the engine holds and nothing else.
    setenv("LP_NUM_THREADS", "0", 1);
    OffscreenEngine offscreen(320, 240);
    ASSERT_TRUE(offscreen.initialized());
    ConsoleData().Visible = false;

    const std::string tone = ProcessDirectory() + "/soak-tone.wav";
    WriteBytes(tone, ToneWav(440, 0.5));
    const std::string script = ProcessDirectory() + "/soak-video.shader";
    std::ofstream(script) << "soak/video\n{\n\t{\n\t\tmap " << CorpusPath("video/mjpeg_64x48_10f.avi")
                          << "\n\t}\n}\n";

    std::vector<long> resident, heap;
    std::vector<GlObjects> alive;
    std::printf("cycle  resident KiB  heap KiB  textures  lists  buffers  programs\n");
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        LoadCycle(offscreen.engine(), frames, script, tone);
        if (HasFatalFailure()) return;
        malloc_trim(0);  // what the allocator keeps free is not growth
        resident.push_back(ResidentKilobytes());
        heap.push_back(HeapKiB());
        alive.push_back(CountGlObjects());
        const GlObjects& a = alive.back();
        std::printf("%5d  %12ld  %8ld  %8d  %5d  %7d  %8d\n", cycle, resident.back(), heap.back(), a.textures,
                    a.lists, a.buffers, a.programs);
    }
    // The first cycle warms caches (the font, decoders, the driver's compiled
    // drawing states). After it the heap moves by tens of KiB over twenty
    // cycles; one 256x256 skin left behind per cycle would add 341 KiB a
    // cycle, so half a MiB over the run is growth. GL names must match exactly.
    const long settled = std::max(heap[0], heap.size() > 1 ? heap[1] : 0);
    for (size_t cycle = 2; cycle < alive.size(); ++cycle) {
        EXPECT_EQ(alive[cycle], alive[1]) << "GL objects left after cycle " << cycle + 1;
        EXPECT_LT(heap[cycle] - settled, 512) << "the heap grew by cycle " << cycle + 1;
    }
}

}  // namespace
}  // namespace korvath::test
