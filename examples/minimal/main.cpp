// The README's minimal host program, built and run by the tests so that it
// stays true: a window, the engine with its intro, and a frame loop that ends
// with the closing fade once the window is closed (or the program interrupted).
#include <korvath/Korvath.h>

int main() {
    korvath::Window window;
    int32_t handle = window.Load(800, 600);   // hidden until Initialize shows it

    korvath::Engine engine;                   // opens Korvath.log beside the program
    engine.SetLog(true);                      // keep the log (it is deleted otherwise)
    engine.SetPath("/path/to/game/data/");    // relative asset names resolve here
    if (!engine.Initialize(handle, 800, 600, 32)) return 1;   // plays the intro

    bool quitting = false;
    while (!(quitting && engine.Unloaded())) {
        if (korvath::Engine::CloseRequested() && !quitting) {
            engine.UnInitialize();            // starts the closing fade
            quitting = true;
        }
        engine.BeginScene();
        // ... Update and Render what you loaded ...
        engine.EndScene();                    // timing, fades, overlay, swap, events
    }
}                                             // the Engine's destruction tears down
