#include "EffectsDemo.h"

#include <SDL.h>

#include <cstdio>
#include <variant>

using namespace korvath;

namespace {
void Report(Console& console, const std::string& line) {
    console.Update(line);
    std::printf("%s\n", line.c_str());
}
}  // namespace

void EffectsDemo::Start(Console& console, const Camera& camera) {
    console.Load("BURST");
    sparks_.Load();
    markers_.Place(camera);
    cursor_.Relative(true);  // the pointer moves freely; nothing re-centres it
}

void EffectsDemo::Frame(Map& map, const Camera& camera, Keyboard& keys, Console& console) {
    const bool typed = std::holds_alternative<bool>(console.Command("BURST"));
    if (typed || (!console.Visible() && keys.Check(KEY_F)))
        if (!sparks_.Fire(map, camera)) Report(console, "burst: the view meets no wall");
    if (!console.Visible() && keys.Check(KEY_C)) {
        cursorShown_ = !cursorShown_;
        SDL_ShowCursor(cursorShown_ ? SDL_ENABLE : SDL_DISABLE);
    }

    // The markers are there to be picked: they stand in the view only while the
    // pointer does, and leave the level's own picture alone otherwise.
    if (cursorShown_) markers_.Render();
    sparks_.Render();

    const bool down = cursor_.Button(MOUSE_LEFT);
    if (cursorShown_ && down && !clicked_) {
        const std::string picked = markers_.Pick(cursor_);
        Report(console, "picked: " + (picked.empty() ? std::string("nothing") : picked));
    }
    clicked_ = down;
}
