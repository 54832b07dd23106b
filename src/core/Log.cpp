#include "core/Log.h"

#include "platform/Host.h"

namespace korvath {

namespace {
const char* const kStars = "****************************************************************";

void WriteLogLine(const std::string& text) {
    LogState& log = Log();
    if (!log.File) return;
    std::fputs(text.c_str(), log.File);
    std::fputs("\r\n", log.File);
    std::fflush(log.File);
}

void WriteStamp(const char* what) {
    WriteLogLine(kStars);
    WriteLogLine(std::string(" Korvath - ") + what + ": " + platform::DateText() + " | " + platform::TimeText());
    WriteLogLine(kStars);
}
}  // namespace

void OpenLog() {
    LogState& log = Log();
    if (log.File) return;  // a second Engine object shares the open log
    log.Kept = false;
    log.Unlogged.clear();
    log.Path = platform::ExecutableDirectory() + "/Korvath.log";
    log.File = std::fopen(log.Path.c_str(), "wb");
    if (!log.File) {
        const std::string folder = platform::UserStateDirectory("korvath");
        if (folder.empty()) return;
        log.Path = folder + "/Korvath.log";
        log.File = std::fopen(log.Path.c_str(), "wb");
        if (!log.File) return;
        std::fprintf(stderr, "Korvath: the program's folder cannot be written; the log is %s\n", log.Path.c_str());
    }
    WriteStamp("Started");
    WriteLogLine("");
}

void AppendLog(const std::string& text) {
    LogState& log = Log();
    if (log.Enabled || log.Kept) {
        WriteLogLine(text);
        return;
    }
    log.Unlogged.push_back(text);
    if (log.Unlogged.size() > kUnloggedLines) log.Unlogged.pop_front();
}

void KeepLog() {
    LogState& log = Log();
    if (!log.File || log.Kept) return;
    log.Kept = true;
    for (const std::string& line : log.Unlogged) WriteLogLine(line);
    log.Unlogged.clear();
}

void CloseLog() {
    LogState& log = Log();
    if (!log.File) return;
    WriteStamp("Stopped");
    std::fclose(log.File);
    log.File = nullptr;
    if (!log.Enabled && !log.Kept) std::remove(log.Path.c_str());
    log.Unlogged.clear();
}

}  // namespace korvath
