#include "core/ConsoleText.h"
#include "core/Globals.h"
#include "korvath/Keyboard.h"

namespace korvath {

namespace {

void RecallOlderLine(EngineState& s, Keyboard& keyboard) {
    if (s.HistoryCount <= 0 || s.HistoryIndex <= -1) return;
    if (s.HistoryIndex >= static_cast<int32_t>(s.History.size())) return;
    keyboard.Buffer(s.History[static_cast<size_t>(s.HistoryIndex)]);
    s.HistoryIndex -= 1;
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// A recognised command waits in PendingCommand until the host asks for it; the
// line is not echoed. Anything else non-blank gets the not-found line.
void EnterLine(EngineState& s, Keyboard& keyboard) {
    const std::string line = UpperCase(s.InputText);
    const size_t blank = line.find(' ');
    bool found = false;
    for (const std::string& command : s.Commands) {
        if (blank != std::string::npos) {
            if (line.compare(0, blank, command) != 0) continue;
            s.PendingCommand = command;
            s.PendingArgument = line.substr(blank + 1);
            found = true;
        } else if (line == command) {
            s.PendingCommand = line;
            // An argument left from an earlier line must not answer for this one.
            s.PendingArgument.clear();
            found = true;
        }
    }
    if (!IsBlank(s.InputText)) {
        if (!found) {
            s.LoadText = "Error: * \"" + s.InputText + "\" Not Found!";
            s.LoadError = true;
        }
        s.History.push_back(s.InputText);
        s.HistoryIndex = s.HistoryCount;
        s.HistoryCount += 1;
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
    EngineState& s = State();
    Keyboard& keyboard = EngineKeyboard();
    if (keyboard.Check(KEY_BACKQUOTE)) {
        s.ConsoleVisible = !s.ConsoleVisible;
    } else if (keyboard.Check(KEY_UP)) {
        RecallOlderLine(s, keyboard);
    } else if (keyboard.Check(KEY_DOWN)) {
        s.HistoryIndex = s.HistoryCount - 1;
        keyboard.Buffer("");
    } else if (keyboard.Check(KEY_RETURN)) {
        EnterLine(s, keyboard);
    }
}

}  // namespace korvath
