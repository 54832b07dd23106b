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
    log.Path = platform::ExecutableDirectory() + "/Korvath.log";
    log.File = std::fopen(log.Path.c_str(), "wb");
    if (!log.File) return;
    WriteStamp("Started");
    WriteLogLine("");
}

void AppendLog(const std::string& text) {
    if (Log().Enabled) WriteLogLine(text);
}

void CloseLog() {
    LogState& log = Log();
    if (!log.File) return;
    WriteStamp("Stopped");
    std::fclose(log.File);
    log.File = nullptr;
    if (!log.Enabled) std::remove(log.Path.c_str());
}

}  // namespace korvath
