// A real window under X: bring the engine up (the whole intro plays), draw frames
// with a known clear colour until the K key arrives from outside, then save the
// cleared frame and check it.
#include <cstdio>
#include <string>

#include "core/Globals.h"
#include "korvath/Korvath.h"
#include "platform/Clock.h"
#include "platform/GL.h"
#include "support/TestSupport.h"

using namespace korvath;

int main(int argc, char** argv) {
    const std::string out = argc > 1 ? argv[1] : ".";
    Window window;
    int32_t handle = window.Load(640, 480);
    Engine engine;
    engine.SetLog(true);
    if (!engine.Initialize(handle, 640, 480, 32)) {
        std::puts("INITIALIZE FAILED");
        return 1;
    }
    State().ConsoleVisible = false;
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    std::puts("READY");
    std::fflush(stdout);

    Keyboard keyboard;
    const int32_t deadline = platform::TickCount() + 30000;
    while (platform::TickCount() < deadline) {
        engine.BeginScene();
        if (keyboard.Check(KEY_K)) {
            bool saved = test::WriteScreenshot(out + "/engine.png", 640, 480);
            std::vector<uint8_t> centre = test::ReadPixels(320, 240, 1, 1);
            engine.EndScene();
            std::printf("KEY SEEN saved=%d centre=%d,%d,%d\n", saved, centre[0], centre[1], centre[2]);
            bool cleared = centre[0] == 51 && centre[1] == 102 && centre[2] == 153;
            engine.UnInitialize();
            while (!engine.Unloaded()) {
                engine.BeginScene();
                engine.EndScene();
            }
            return saved && cleared ? 0 : 3;
        }
        engine.EndScene();
    }
    std::puts("NO KEY");
    return 2;
}
