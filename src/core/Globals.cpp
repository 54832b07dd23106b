#include "core/Globals.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>

#include "platform/Host.h"

namespace korvath {

EngineState& State() {
    static EngineState state;
    return state;
}

std::string VersionText() {
    return "Korvath Engine Version: " + std::to_string(kVersionMajor) + "." +
           std::to_string(kVersionMinor) + " Build " + std::to_string(kVersionRevision);
}

// ---- log -------------------------------------------------------------------

namespace {
const char* const kStars = "****************************************************************";

void WriteLogLine(const std::string& text) {
    EngineState& s = State();
    if (!s.LogFile) return;
    std::fputs(text.c_str(), s.LogFile);
    std::fputs("\r\n", s.LogFile);
    std::fflush(s.LogFile);
}

void WriteStamp(const char* what) {
    WriteLogLine(kStars);
    WriteLogLine(std::string(" Korvath - ") + what + ": " + platform::DateText() + " | " +
                 platform::TimeText());
    WriteLogLine(kStars);
}
}  // namespace

void OpenLog() {
    EngineState& s = State();
    if (s.LogFile) return;  // a second Engine object shares the open log
    s.LogPath = platform::ExecutableDirectory() + "/Korvath.log";
    s.LogFile = std::fopen(s.LogPath.c_str(), "wb");
    if (!s.LogFile) return;
    WriteStamp("Started");
    WriteLogLine("");
}

void AppendLog(const std::string& text) {
    if (State().LogEnabled) WriteLogLine(text);
}

void CloseLog() {
    EngineState& s = State();
    if (!s.LogFile) return;
    WriteStamp("Stopped");
    std::fclose(s.LogFile);
    s.LogFile = nullptr;
    if (!s.LogEnabled) std::remove(s.LogPath.c_str());
}

// ---- paths -----------------------------------------------------------------

bool IsAbsolutePath(const std::string& name) {
    if (name.empty()) return false;
    if (name[0] == '/') return true;
    if (name.size() >= 2 && name[1] == ':') return true;
    return name.size() >= 2 && name[0] == '\\' && name[1] == '\\';
}

std::string ResolvePath(const std::string& name) {
    return IsAbsolutePath(name) ? name : State().EnginePath + name;
}

std::string StripTrailingSlash(const std::string& path) {
    if (!path.empty() && (path.back() == '\\' || path.back() == '/'))
        return path.substr(0, path.size() - 1);
    return path;
}

std::string NormaliseSeparators(const std::string& path) {
    std::string result = path;
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

namespace {
bool Exists(const std::string& path, struct stat* info) { return ::stat(path.c_str(), info) == 0; }
}  // namespace

std::string FindFileIgnoringCase(const std::string& path) {
    std::string wanted = NormaliseSeparators(path);
    struct stat info;
    if (wanted.empty() || Exists(wanted, &info)) return wanted;

    // Walk the components, taking the exact name where it exists and otherwise the
    // first directory entry that matches without regard to case.
    std::string found = wanted[0] == '/' ? "/" : "";
    size_t start = wanted[0] == '/' ? 1 : 0;
    while (start <= wanted.size()) {
        size_t end = wanted.find('/', start);
        if (end == std::string::npos) end = wanted.size();
        std::string part = wanted.substr(start, end - start);
        start = end + 1;
        if (part.empty()) continue;
        std::string exact = found + part;
        if (!Exists(exact, &info)) {
            DIR* dir = ::opendir(found.empty() ? "." : found.c_str());
            if (!dir) return wanted;
            std::string match;
            while (dirent* entry = ::readdir(dir)) {
                if (::strcasecmp(entry->d_name, part.c_str()) == 0) {
                    match = entry->d_name;
                    break;
                }
            }
            ::closedir(dir);
            if (match.empty()) return wanted;
            exact = found + match;
        }
        found = exact;
        if (end < wanted.size()) found += '/';
    }
    return found;
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    struct stat info;
    std::string real = FindFileIgnoringCase(path);
    return Exists(real, &info) && S_ISREG(info.st_mode) && info.st_size > 0;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    std::ifstream in(FindFileIgnoringCase(path), std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) return false;
    in.seekg(0, std::ios::beg);
    bytes.resize(static_cast<size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) {
        bytes.clear();
        return false;
    }
    return true;
}

int32_t CharIndex(const std::string& text, int code) {
    size_t at = text.find(static_cast<char>(code));
    return static_cast<int32_t>(at == std::string::npos ? text.size() : at);
}

std::string CutAtNul(const std::string& text) {
    size_t at = text.find('\0');
    return at == std::string::npos ? std::string() : text.substr(0, at + 1);
}

namespace {
std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
}  // namespace

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string BaseName(const std::string& path) {
    size_t dot = path.rfind('.');
    return Lower(dot == std::string::npos ? path : path.substr(0, dot));
}

std::string ExtensionOf(const std::string& path) {
    size_t dot = path.rfind('.');
    return Lower(dot == std::string::npos ? path : path.substr(dot + 1));
}

// Linux names may carry blanks wherever they are used, so the short form is the
// name itself with separators normalised.
std::string ShortPath(const std::string& path) { return FindFileIgnoringCase(path); }

int32_t RoundHalfEven(double value) { return static_cast<int32_t>(std::nearbyint(value)); }

// ---- line editing ----------------------------------------------------------

namespace {
// The insertion point L + offset, kept inside the text.
size_t InsertionPoint(const std::string& text, int32_t offset) {
    int64_t at = static_cast<int64_t>(text.size()) + offset;
    return static_cast<size_t>(std::clamp<int64_t>(at, 0, static_cast<int64_t>(text.size())));
}
}  // namespace

std::string InsertAtCursor(const std::string& text, const std::string& s, int32_t offset) {
    size_t at = InsertionPoint(text, offset);
    return text.substr(0, at) + s + text.substr(at);
}

std::string DeleteBeforeCursor(const std::string& text, int32_t offset) {
    size_t at = InsertionPoint(text, offset);
    if (at == 0) return text;
    return text.substr(0, at - 1) + text.substr(at);
}

std::string DeleteAtCursor(const std::string& text, int32_t offset) {
    size_t at = InsertionPoint(text, offset);
    if (at >= text.size()) return text;
    return text.substr(0, at) + text.substr(at + 1);
}

}  // namespace korvath
