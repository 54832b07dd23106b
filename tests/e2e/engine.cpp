// A real window under X: bring the engine up (the whole intro plays), draw frames
// with a known clear colour until the K key arrives from outside, then save the
// cleared frame and check it. Then the player opens the console, enters an unknown
// word and a registered command, and types a third line; the console frame is saved
// and checked for the red not-found line, the white input line and the caret.
#include <cstdio>
#include <string>

#include "core/ConsoleState.h"
#include "core/TextMetrics.h"
#include "engine/Overlay.h"
#include "input/KeyboardService.h"
#include "korvath/Korvath.h"
#include "platform/Clock.h"
#include "platform/GL.h"
#include "support/TestSupport.h"

using namespace korvath;

namespace {

constexpr int32_t kWidth = 640, kHeight = 480;

int CountPixels(int32_t x, int32_t y, int32_t width, int32_t height, bool (*test)(const uint8_t*)) {
    std::vector<uint8_t> pixels = test::ReadPixels(x, y, width, height);
    int count = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) count += test(&pixels[i]) ? 1 : 0;
    return count;
}
bool IsRed(const uint8_t* p) { return p[0] > 200 && p[1] < 80 && p[2] < 80; }
bool IsWhite(const uint8_t* p) { return p[0] > 200 && p[1] > 200 && p[2] > 200; }

void CloseDown(Engine& engine) {
    engine.UnInitialize();
    while (!engine.Unloaded()) {
        engine.BeginScene();
        engine.EndScene();
    }
}

bool ClearedFrameOnKey(Engine& engine, const std::string& out) {
    Keyboard keyboard;
    const int32_t deadline = platform::TickCount() + 30000;
    while (platform::TickCount() < deadline) {
        engine.BeginScene();
        if (keyboard.Check(KEY_K)) {
            bool saved = test::WriteScreenshot(out + "/engine.png", kWidth, kHeight);
            std::vector<uint8_t> centre = test::ReadPixels(320, 240, 1, 1);
            engine.EndScene();
            std::printf("KEY SEEN saved=%d centre=%d,%d,%d\n", saved, centre[0], centre[1], centre[2]);
            return saved && centre[0] == 51 && centre[1] == 102 && centre[2] == 153;
        }
        engine.EndScene();
    }
    std::puts("NO KEY");
    return false;
}

bool ConsoleFrameAfterTyping(Engine& engine, const std::string& out) {
    Console console;
    console.Load("map");
    std::puts("CONSOLE READY");
    std::fflush(stdout);
    std::string map;
    const int32_t deadline = platform::TickCount() + 30000;
    while (platform::TickCount() < deadline) {
        engine.BeginScene();
        Variant command = console.Command("map");
        if (std::holds_alternative<std::string>(command)) map = std::get<std::string>(command);
        // Draw the frame EndScene would show into the back buffer while the caret blinks on.
        if (!map.empty() && EngineKeyboard().Buffer() == "ABC" && ConsoleData().Visible) {
            RenderOverlay();
            if (!EngineKeyboard().Cursor().empty()) {
                bool saved = test::WriteScreenshot(out + "/console.png", kWidth, kHeight);
                int red = CountPixels(0, 0, kWidth, kHeight, IsRed);
                int input = CountPixels(0, 8, kWidth, 9, IsWhite);
                const int caretLeft = kWidth / 101 + MeasureText("ABC").Width;
                int caret = CountPixels(caretLeft, 0, MeasureText("_").Width, 8, IsWhite);
                engine.EndScene();
                std::printf("CONSOLE SEEN saved=%d map=%s red=%d input=%d caret=%d\n", saved, map.c_str(),
                            red, input, caret);
                return saved && map == "E1M1" && red > 100 && input > 30 && caret > 3;
            }
        }
        engine.EndScene();
    }
    std::printf("NO CONSOLE map=%s buffer=%s\n", map.c_str(), EngineKeyboard().Buffer().c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string out = argc > 1 ? argv[1] : ".";
    Window window;
    int32_t handle = window.Load(kWidth, kHeight);
    Engine engine;
    engine.SetLog(true);
    if (!engine.Initialize(handle, kWidth, kHeight, 32)) {
        std::puts("INITIALIZE FAILED");
        return 1;
    }
    ConsoleData().Visible = false;
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    std::puts("READY");
    std::fflush(stdout);

    if (!ClearedFrameOnKey(engine, out)) return 2;
    std::fflush(stdout);
    glClearColor(0, 0, 0, 1);
    const bool console = ConsoleFrameAfterTyping(engine, out);
    CloseDown(engine);
    return console ? 0 : 3;
}
