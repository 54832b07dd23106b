// A material on the host's own geometry: a named material of a ".shader"
// script (by default a sky of three cloud layers, each scrolling its own way)
// drawn on one quad, pass by pass with DrawWithMaterial, the way the engine draws its own
// faces. Any other geometry in immediate mode or arrays works the same.
//
//   materialquad --path DATA_DIR [--script scripts/NAME.shader] [--material NAME]
//                [--frames N] [--screenshot file.png] [--size WxH]
#include <GL/gl.h>
#include <korvath/Korvath.h>
#include <korvath/MaterialPasses.h>

#include <cstdio>
#include <string>

#include "FrameRun.h"
#include "RunOptions.h"

using namespace korvath;

int main(int argc, char** argv) {
    RunOptions run;
    std::string path = ".", script = "scripts/oasky.shader", name = "textures/skies2/ctf6sky", error;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const OptionMatch match = ParseRunOption(argc, argv, i, run, error);
        if (match == OptionMatch::Bad) return std::fprintf(stderr, "materialquad: %s\n", error.c_str()), 2;
        if (match == OptionMatch::Taken) continue;
        if (i + 1 >= argc) return std::fprintf(stderr, "materialquad: %s needs a value\n", arg.c_str()), 2;
        if (arg == "--path") path = argv[++i];
        else if (arg == "--script") script = argv[++i];
        else if (arg == "--material") name = argv[++i];
        else return std::fprintf(stderr, "materialquad: unknown option %s\n", arg.c_str()), 2;
    }

    Window window;
    Engine engine;
    engine.SetLog(true);
    engine.SetPath(path + "/");
    if (!engine.Initialize(window.Load(run.width, run.height), run.width, run.height, 32)) return 1;
    Console console;
    console.Visible(false);
    Camera camera;
    camera.Set3DFieldOfView(70);

    Shaders shaders;
    SHADER material = shaders.Load(script, name);
    if (!material.Found) std::fprintf(stderr, "materialquad: %s is not in %s; drawn as a picture\n", name.c_str(), script.c_str());

    FrameRun frames(run);
    while (!Engine::CloseRequested()) {
        const bool more = frames.Frame(engine, [&] {
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            glTranslatef(0, 0, -2.5f);  // the camera looks down -z
            glEnable(GL_TEXTURE_2D);
            DrawWithMaterial(material, [] {
                glBegin(GL_QUADS);  // clockwise as seen: the engine culls the other side
                glTexCoord2f(0, 0); glVertex3f(-2, 1, 0);
                glTexCoord2f(2, 0); glVertex3f(2, 1, 0);
                glTexCoord2f(2, 1); glVertex3f(2, -1, 0);
                glTexCoord2f(0, 1); glVertex3f(-2, -1, 0);
                glEnd();
            });
            glDisable(GL_TEXTURE_2D);
        });
        if (!more) break;
    }
    shaders.UnLoad(material);
    std::printf("material %s: %zu stages, %d frames\n", material.Name.c_str(), material.Stages.size(), frames.Count());
    return 0;
}
