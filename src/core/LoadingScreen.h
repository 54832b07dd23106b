#pragma once
// The status line and progress bar every loader reports to. Reporting lives here,
// below every loader; drawing the screen needs the overlay, which sits above them,
// so the engine hands its painter in at start-up.
#include <string>

#include "korvath/Material.h"

namespace korvath {

struct LoadingScreen {
    std::string Text;
    float Progress = 0;
    bool Error = false;
    SHADER Bar;  // the material of the progress bar
};

LoadingScreen& Loading();

// Logs the line (when log is set), makes it the pending status and, while the
// console shows, redraws the screen through the painter.
void ShowLoadStatus(const std::string& text, bool log, float progress, bool error);
using LoadScreenPainter = void (*)();
void SetLoadScreenPainter(LoadScreenPainter painter);

}  // namespace korvath
