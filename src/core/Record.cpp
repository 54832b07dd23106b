#include "core/Record.h"

#include "core/Globals.h"
#include "platform/GL.h"
#include "platform/Video.h"

namespace korvath {

void ShowLoadStatus(const std::string& text, bool log, float progress, bool error) {
    EngineState& s = State();
    if (log) AppendLog(text);
    s.LoadText = text;
    s.LoadProgress = progress > 1 ? 1 : progress;
    s.LoadError = error;
    if (s.ConsoleVisible && s.RenderContext) {
        glClear(GL_COLOR_BUFFER_BIT);
        RenderOverlay();
        glFlush();
        platform::SwapWindow(s.DeviceContext);
    }
}

void StartFade(float duration) {
    EngineState& s = State();
    s.FadeActive = true;
    s.FadeOut = duration <= 0;
    s.FadeDuration = duration < 0 ? -duration : duration;
    s.FadeLevel = 0;
}

}  // namespace korvath
