#include "korvath/Console.h"

#include <algorithm>

#include "core/ConsoleState.h"
#include "core/LoadingScreen.h"
#include "engine/ConsoleText.h"

namespace korvath {

void Console::Load(const std::string& Name) {
    ConsoleData().Commands.push_back(UpperCase(Name));
    ConsoleData().CommandCount += 1;
}

void Console::UnLoad(const std::string& Name) {
    auto entry = std::find(ConsoleData().Commands.begin(), ConsoleData().Commands.end(), UpperCase(Name));
    if (entry == ConsoleData().Commands.end()) return;
    ConsoleData().Commands.erase(entry);
    ConsoleData().CommandCount -= 1;
}

void Console::Update(const std::string& Text, bool Error) { ShowLoadStatus(Text, false, 0, Error); }

void Console::Clear() {
    ConsoleData().Lines.clear();
    ConsoleData().History.clear();
    ConsoleData().LineCount = ConsoleData().NextRow = ConsoleData().HistoryCount = ConsoleData().HistoryIndex = 0;
}

SHADER Console::Background() const { return ConsoleData().Background; }
void Console::Background(const SHADER& Material) { ConsoleData().Background = Material; }
SHADER Console::Progress() const { return Loading().Bar; }
void Console::Progress(const SHADER& Material) { Loading().Bar = Material; }
bool Console::Visible() const { return ConsoleData().Visible; }
void Console::Visible(bool Shown) { ConsoleData().Visible = Shown; }

Variant Console::Command(const std::string& Name) {
    const std::string name = UpperCase(Name);
    if (ConsoleData().PendingCommand.empty() || name != ConsoleData().PendingCommand) return {};
    Variant result;
    if (std::find(ConsoleData().Commands.begin(), ConsoleData().Commands.end(), name) != ConsoleData().Commands.end()) {
        if (ConsoleData().PendingArgument.empty()) result = true;
        else result = ConsoleData().PendingArgument;
    }
    ConsoleData().PendingCommand.clear();
    ConsoleData().PendingArgument.clear();
    return result;
}

}  // namespace korvath
