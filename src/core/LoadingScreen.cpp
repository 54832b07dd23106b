#include "core/LoadingScreen.h"

#include "core/ConsoleState.h"
#include "core/Display.h"
#include "core/Log.h"

namespace korvath {

namespace {
LoadScreenPainter g_painter = nullptr;
}  // namespace

void SetLoadScreenPainter(LoadScreenPainter painter) { g_painter = painter; }

void ShowLoadStatus(const std::string& text, bool log, float progress, bool error) {
    if (log) AppendLog(text);
    LoadingScreen& screen = Loading();
    screen.Text = text;
    screen.Progress = progress > 1 ? 1 : progress;
    screen.Error = error;
    if (ConsoleData().Visible && Display().RenderContext && g_painter) g_painter();
}

}  // namespace korvath
