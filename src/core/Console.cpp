#include "korvath/Console.h"

#include <algorithm>

#include "core/ConsoleText.h"
#include "core/Globals.h"
#include "core/Record.h"

namespace korvath {

void Console::Load(const std::string& Name) {
    EngineState& s = State();
    s.Commands.push_back(UpperCase(Name));
    s.CommandCount += 1;
}

void Console::UnLoad(const std::string& Name) {
    EngineState& s = State();
    auto entry = std::find(s.Commands.begin(), s.Commands.end(), UpperCase(Name));
    if (entry == s.Commands.end()) return;
    s.Commands.erase(entry);
    s.CommandCount -= 1;
}

void Console::Update(const std::string& Text, bool Error) { ShowLoadStatus(Text, false, 0, Error); }

void Console::Clear() {
    EngineState& s = State();
    s.ConsoleLines.clear();
    s.History.clear();
    s.LineCount = s.NextRow = s.HistoryCount = s.HistoryIndex = 0;
}

SHADER Console::Background() const { return State().Background; }
void Console::Background(const SHADER& Material) { State().Background = Material; }
SHADER Console::Progress() const { return State().Progress; }
void Console::Progress(const SHADER& Material) { State().Progress = Material; }
bool Console::Visible() const { return State().ConsoleVisible; }
void Console::Visible(bool Shown) { State().ConsoleVisible = Shown; }

Variant Console::Command(const std::string& Name) {
    EngineState& s = State();
    const std::string name = UpperCase(Name);
    if (s.PendingCommand.empty() || name != s.PendingCommand) return {};
    Variant result;
    if (std::find(s.Commands.begin(), s.Commands.end(), name) != s.Commands.end()) {
        if (s.PendingArgument.empty()) result = true;
        else result = s.PendingArgument;
    }
    s.PendingCommand.clear();
    s.PendingArgument.clear();
    return result;
}

}  // namespace korvath
