#pragma once
// The log file beside the executable; it survives the run only when the host asked
// for it.
#include <cstdio>
#include <string>

namespace korvath {

struct LogState {
    bool Enabled = false;
    std::FILE* File = nullptr;
    std::string Path;
};

LogState& Log();

void OpenLog();
void AppendLog(const std::string& text);
void CloseLog();

}  // namespace korvath
