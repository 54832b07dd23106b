#pragma once
// The log file beside the executable; it survives the run only when the host asked
// for it, or when the engine could not start.
#include <cstdio>
#include <deque>
#include <string>

namespace korvath {

struct LogState {
    bool Enabled = false;
    std::FILE* File = nullptr;
    std::string Path;
    // Lines of a run with logging off, so that a failed start can still leave
    // them behind; the newest kUnloggedLines.
    std::deque<std::string> Unlogged;
    bool Kept = false;  // the log stays whatever Enabled says
};

constexpr size_t kUnloggedLines = 256;

LogState& Log();

// Beside the executable; where that cannot be written, in the user's state
// folder, which the first line on standard error names.
void OpenLog();
void AppendLog(const std::string& text);
// Writes what logging off held back and keeps the log from now on: a host
// whose Initialize failed has a log to read, whatever it asked for.
void KeepLog();
void CloseLog();

}  // namespace korvath
