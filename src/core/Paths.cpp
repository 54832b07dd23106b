#include "core/Paths.h"

#include <algorithm>
#include <cctype>

namespace korvath {

bool IsAbsolutePath(const std::string& name) {
    if (name.empty()) return false;
    if (name[0] == '/') return true;
    if (name.size() >= 2 && name[1] == ':') return true;
    return name.size() >= 2 && name[0] == '\\' && name[1] == '\\';
}

std::string ResolvePath(const std::string& name) { return IsAbsolutePath(name) ? name : EnginePath() + name; }

std::string StripTrailingSlash(const std::string& path) {
    if (!path.empty() && (path.back() == '\\' || path.back() == '/')) return path.substr(0, path.size() - 1);
    return path;
}

std::string NormaliseSeparators(const std::string& path) {
    std::string result = path;
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
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

std::string BaseName(const std::string& path) {
    size_t dot = path.rfind('.');
    return Lower(dot == std::string::npos ? path : path.substr(0, dot));
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtensionOf(const std::string& path) {
    size_t dot = path.rfind('.');
    return Lower(dot == std::string::npos ? path : path.substr(dot + 1));
}

}  // namespace korvath
