#include "models/Md3AnimationTable.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string_view>

namespace korvath {

namespace {

bool IsBlank(char c) { return c == '\t' || c == ' ' || c == '\r'; }

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && IsBlank(line[at])) ++at;
        const size_t start = at;
        while (at < line.size() && !IsBlank(line[at])) ++at;
        if (at > start) fields.push_back(line.substr(start, at - start));
    }
    return fields;
}

// A whole number filling the field; one out of 32-bit range is no number.
bool WholeNumber(std::string_view field, int32_t& value) {
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value);
    return error == std::errc() && stop == end;
}

bool EntryOf(std::string_view line, MD3_ANIMATION& entry) {
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() < 4) return false;
    return WholeNumber(fields[0], entry.FirstFrame) && WholeNumber(fields[1], entry.NumFrames) &&
           WholeNumber(fields[2], entry.LoopingFrames) && WholeNumber(fields[3], entry.FrameRate);
}

int32_t Saturated(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max()));
}

}  // namespace

bool ParseAnimationTable(const std::string& text, std::vector<MD3_ANIMATION>& table) {
    table.clear();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        line = line.substr(0, line.find("//"));
        MD3_ANIMATION entry;
        if (EntryOf(line, entry)) table.push_back(entry);
        start = end + 1;
    }
    if (table.size() < kMd3MinimumAnimations) return false;

    // The legs file holds the death frames and then the legs frames, which the
    // table numbers after the torso frames.
    const int64_t shift = int64_t{table[LEGS_WALKCR].FirstFrame} - table[TORSO_GESTURE].FirstFrame;
    for (size_t i = LEGS_WALKCR; i < table.size(); ++i) table[i].FirstFrame = Saturated(table[i].FirstFrame - shift);
    for (MD3_ANIMATION& entry : table)
        if (entry.NumFrames > 1) --entry.NumFrames;
    return true;
}

}  // namespace korvath
