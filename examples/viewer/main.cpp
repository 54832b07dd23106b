// Placeholder viewer: brings the engine up and draws a few frames.
#include <korvath/Korvath.h>

int main() {
    korvath::Window window;
    int32_t handle = window.Load(640, 480);
    korvath::Engine engine;
    if (!engine.Initialize(handle, 640, 480, 32)) return 1;
    for (int i = 0; i < 10; ++i) {
        engine.BeginScene();
        engine.EndScene();
    }
    return 0;
}
