#include "models/Md3Skin.h"

#include <algorithm>
#include <cctype>

namespace korvath {

namespace {

std::string Trimmed(const std::string& text) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

}  // namespace

std::vector<SkinEntry> ParseSkin(const std::string& text) {
    std::vector<SkinEntry> entries;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const size_t comma = line.find(',');
        if (comma == std::string::npos) continue;
        SkinEntry entry{Trimmed(line.substr(0, comma)), Trimmed(line.substr(comma + 1))};
        if (!entry.Surface.empty() && !entry.Image.empty()) entries.push_back(std::move(entry));
    }
    return entries;
}

bool SkinNames(const std::string& skinSurface, const std::string& surface) {
    return std::equal(skinSurface.begin(), skinSurface.end(), surface.begin(), surface.end(),
                      [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}

}  // namespace korvath
