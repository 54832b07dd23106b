#include "engine/Overlay.h"

#include <algorithm>
#include <cmath>

#include "core/ConsoleState.h"
#include "core/Display.h"
#include "core/FlatDrawing.h"
#include "core/FrameTiming.h"
#include "core/Lighting.h"
#include "core/LoadingScreen.h"
#include "core/Services.h"
#include "core/Version.h"
#include "engine/ConsoleText.h"
#include "input/KeyboardService.h"
#include "korvath/Font.h"
#include "korvath/Keyboard.h"
#include "materials/Materials.h"
#include "platform/GL.h"
#include "platform/Video.h"

namespace korvath {

namespace {

// The console shows the newest twelve lines; rows are 3 text units apart.
constexpr int32_t kShownLines = 12;

bool FirstStageHasTexture(const SHADER& material) {
    return !material.Stages.empty() && !material.Stages[0].Textures.empty() &&
           material.Stages[0].Textures[0] != 0;
}

// A console material is drawn with its first stage, or whole when it has a program.
// A material without stages draws plain colour.
void SetUpMaterial(SHADER& material) {
    if (material.Program != 0) BindMaterial(material);
    else if (!material.Stages.empty()) ApplyStage(material.Stages[0]);
}

void UndoMaterial(SHADER& material) {
    if (material.Program != 0) UnbindMaterial(material);
    else if (!material.Stages.empty()) ResetStage(material.Stages[0]);
}

void DrawFadeCurtain(const FrameTiming& timing, SHADER& background) {
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    SetUpMaterial(background);
    // An untextured curtain is black. The level is not clamped: after an opening
    // fade the curtain is transparent up to the last frame's overshoot.
    const float c = FirstStageHasTexture(background) ? 1.0f : 0.0f;
    glColor4f(c, c, c, timing.FadeOut ? timing.FadeLevel : std::abs(1 - timing.FadeLevel));
    DrawTexturedRect(2, 2);
    UndoMaterial(background);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
}

void DrawLoadingBar(LoadingScreen& loading) {
    glEnable(GL_TEXTURE_2D);
    SetUpMaterial(loading.Bar);
    if (!FirstStageHasTexture(loading.Bar)) glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    DrawTexturedRect(2 * loading.Progress, 0.05f);
    UndoMaterial(loading.Bar);
    glDisable(GL_TEXTURE_2D);
}

// Only the newest lines can reach the screen, so a long console costs no more to
// draw than a short one.
void DrawConsoleLines(const ConsoleState& console) {
    const int32_t n = std::min(console.LineCount, static_cast<int32_t>(console.Lines.size()));
    for (int32_t i = std::max(0, n - kShownLines); i < n; ++i) {
        const ConsoleLine& line = console.Lines[static_cast<size_t>(i)];
        const float y = static_cast<float>(96 - (3 * n - line.Row));
        if (y <= 60) continue;
        if (line.Error) EngineFont().Render(line.Text, 1, y, 1, 0, 0, 1);
        else EngineFont().Render(line.Text, 1, y, 1, 1, 1, 1);
    }
}

}  // namespace

void RenderOverlay() {
    ConsoleState& console = ConsoleData();
    LoadingScreen& loading = Loading();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    PushOrtho(0, 2, 0, 2);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    if (Timing().IntroDone) DrawFadeCurtain(Timing(), console.Background);
    if (loading.Progress > 0) DrawLoadingBar(loading);
    if (console.ShowVersion) EngineFont().Render(VersionText(), 1, 1, 1, 1, 1, 1);
    DrawConsoleLines(console);

    AddPendingLine();
    HandleConsoleKeys();
    Keyboard& keyboard = EngineKeyboard();
    keyboard.Process(Display().ScreenWidth - 1);
    if (loading.Progress == 0) {
        console.InputText = keyboard.Buffer();
        EngineFont().Render(keyboard.Text(), 1, 99, 1, 1, 1, 1);
        EngineFont().Render(keyboard.Cursor(), 1, 99, 1, 1, 1, 1);
    }

    PopOrtho();
    if (Lighting().Enabled) glEnable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
}

void PaintLoadingScreen() {
    glClear(GL_COLOR_BUFFER_BIT);
    RenderOverlay();
    glFlush();
    platform::SwapWindow(Display().DeviceContext);
}

}  // namespace korvath
