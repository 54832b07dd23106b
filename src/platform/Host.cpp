#include "platform/Host.h"

#include <SDL.h>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Video.h"

namespace korvath::platform {

namespace {
std::string& DirectoryOverride() {
    static std::string directory;
    return directory;
}

std::string FormatNow(const char* format) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}
}  // namespace

std::string ExecutableDirectory() {
    if (!DirectoryOverride().empty()) return DirectoryOverride();
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return ".";
    std::string exe(path, static_cast<size_t>(length));
    size_t slash = exe.find_last_of('/');
    return slash == std::string::npos ? "." : exe.substr(0, slash == 0 ? 1 : slash);
}

void OverrideExecutableDirectory(const std::string& directory) { DirectoryOverride() = directory; }

std::string UserStateDirectory(const std::string& subfolder) {
    std::string base;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/') base = state;
    else if (const char* home = std::getenv("HOME"); home && *home == '/') base = std::string(home) + "/.local/state";
    else return {};
    std::string path = base + "/" + subfolder;
    // Each missing folder on the way in turn; one that exists already is fine.
    for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        struct stat info;
        if (::stat(prefix.c_str(), &info) != 0 && ::mkdir(prefix.c_str(), 0700) != 0) return {};
        if (slash == std::string::npos) break;
    }
    return path;
}

std::string DateText() { return FormatNow("%m-%d-%Y"); }
std::string TimeText() { return FormatNow("%H:%M:%S"); }

std::string ClipboardText() {
    if (!VideoStarted() || !SDL_HasClipboardText()) return {};
    char* text = SDL_GetClipboardText();
    if (!text) return {};
    std::string result(text);
    SDL_free(text);
    return result;
}

bool ScreenSizeInTwips(int32_t& width, int32_t& height) {
    int32_t bits = 0;
    if (!DesktopSize(width, height, bits)) return false;
    width *= kTwipsPerPixel;
    height *= kTwipsPerPixel;
    return true;
}

}  // namespace korvath::platform
