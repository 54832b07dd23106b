#include "core/ConsoleState.h"
#include "core/LoadingScreen.h"
#include "engine/ConsoleText.h"
#include "input/KeyboardService.h"
#include "korvath/Keyboard.h"

namespace korvath {

namespace {

void RecallOlderLine(ConsoleState& console, Keyboard& keyboard) {
    if (console.HistoryCount <= 0 || console.HistoryIndex <= -1) return;
    if (console.HistoryIndex >= static_cast<int32_t>(console.History.size())) return;
    keyboard.Buffer(console.History[static_cast<size_t>(console.HistoryIndex)]);
    console.HistoryIndex -= 1;
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// A recognised command waits in PendingCommand until the host asks for it; the
// line is not echoed. Anything else non-blank gets the not-found line.
void EnterLine(ConsoleState& console, Keyboard& keyboard) {
    const std::string line = UpperCase(console.InputText);
    const size_t blank = line.find(' ');
    bool found = false;
    for (const std::string& command : console.Commands) {
        if (blank != std::string::npos) {
            if (line.compare(0, blank, command) != 0) continue;
            console.PendingCommand = command;
            console.PendingArgument = line.substr(blank + 1);
            found = true;
        } else if (line == command) {
            console.PendingCommand = line;
            // An argument left from an earlier line must not answer for this one.
            console.PendingArgument.clear();
            found = true;
        }
    }
    if (!IsBlank(console.InputText)) {
        if (!found) {
            Loading().Text = "Error: * \"" + console.InputText + "\" Not Found!";
            Loading().Error = true;
        }
        console.History.push_back(console.InputText);
        console.HistoryIndex = console.HistoryCount;
        console.HistoryCount += 1;
    }
    keyboard.Buffer("");
}

}  // namespace

std::string UpperCase(const std::string& text) {
    std::string upper = text;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

void HandleConsoleKeys() {
    ConsoleState& console = ConsoleData();
    Keyboard& keyboard = EngineKeyboard();
    if (keyboard.Check(KEY_BACKQUOTE)) {
        console.Visible = !console.Visible;
    } else if (keyboard.Check(KEY_UP)) {
        RecallOlderLine(console, keyboard);
    } else if (keyboard.Check(KEY_DOWN)) {
        console.HistoryIndex = console.HistoryCount - 1;
        keyboard.Buffer("");
    } else if (keyboard.Check(KEY_RETURN)) {
        EnterLine(console, keyboard);
    }
}

}  // namespace korvath
