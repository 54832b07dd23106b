#pragma once
// What the drop-down console shows and remembers: its lines, the input line, the
// history, the registered commands and the one pending for the host.
#include <cstdint>
#include <string>
#include <vector>

#include "korvath/Material.h"

namespace korvath {

struct ConsoleLine {
    bool Error = false;
    int32_t Row = 0;
    std::string Text;
};

struct ConsoleState {
    bool Visible = false, ShowFPS = false, ShowVersion = false;
    std::vector<ConsoleLine> Lines;
    int32_t LineCount = 0, NextRow = 0;
    std::string InputText;
    std::vector<std::string> History;
    int32_t HistoryCount = 0, HistoryIndex = 0;
    std::vector<std::string> Commands;
    int32_t CommandCount = 0;
    std::string PendingCommand, PendingArgument;
    SHADER Background;
};

ConsoleState& ConsoleData();

}  // namespace korvath
