#include "materials/ScriptText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/Math.h"

namespace korvath {

void ScriptText::SkipDelimiter() {
    if (AtEnd()) return;
    const char c = text_[at_++];
    if (c == '\r' && !AtEnd() && text_[at_] == '\n') ++at_;
}

void ScriptText::SkipToDelimiter() {
    while (!AtEnd() && text_[at_] != ',' && !IsLineBreak()) ++at_;
}

std::string_view ScriptText::NextField() {
    while (!AtEnd() && (text_[at_] == ' ' || text_[at_] == '\t' || IsLineBreak())) ++at_;
    if (AtEnd()) return {};

    std::string_view field;
    if (text_[at_] == '"') {
        const size_t start = ++at_;
        while (!AtEnd() && text_[at_] != '"') ++at_;
        field = text_.substr(start, at_ - start);
        SkipToDelimiter();
    } else {
        const size_t start = at_;
        SkipToDelimiter();
        size_t end = at_;
        while (end > start && (text_[end - 1] == ' ' || text_[end - 1] == '\t')) --end;
        field = text_.substr(start, end - start);
    }
    SkipDelimiter();
    return field;
}

std::string_view ScriptText::NextLine() {
    const size_t start = at_;
    while (!AtEnd() && !IsLineBreak()) ++at_;
    const std::string_view line = text_.substr(start, at_ - start);
    SkipDelimiter();
    return line;
}

std::string NormaliseLine(std::string_view raw) {
    // Tabs vanish first, so a tab next to a blank cannot stop the trim.
    std::string untabbed;
    untabbed.reserve(raw.size());
    for (char c : raw)
        if (c != '\t') untabbed += c;
    const size_t first = untabbed.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const size_t last = untabbed.find_last_not_of(' ');

    std::string line;
    line.reserve(last - first + 1);
    for (size_t i = first; i <= last; ++i) {
        const char c = untabbed[i];
        if (c == ' ' && line.back() == ' ') continue;
        line += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return line;
}

std::vector<std::string_view> SplitBlanks(std::string_view text) {
    std::vector<std::string_view> tokens;
    size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        const size_t end = std::min(text.find(' ', at), text.size());
        tokens.push_back(text.substr(at, end - at));
        at = end;
    }
    return tokens;
}

std::string_view RestAfter(std::string_view line, std::string_view keyword) {
    return line.size() > keyword.size() + 1 ? line.substr(keyword.size() + 1) : std::string_view();
}

namespace {
std::optional<double> ToDouble(std::string_view token) {
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    double value = 0;
    const char* end = token.data() + token.size();
    const auto [stop, error] = std::from_chars(token.data(), end, value);
    if (token.empty() || error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}
}  // namespace

std::optional<float> ToSingle(std::string_view token) {
    const std::optional<double> value = ToDouble(token);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*value);
}

std::optional<int32_t> ToLong(std::string_view token) {
    const std::optional<double> value = ToDouble(token);
    if (!value || *value < -2147483648.5 || *value >= 2147483647.5) return std::nullopt;
    return RoundHalfEven(*value);
}

}  // namespace korvath
