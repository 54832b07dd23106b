#include "models/Md5Text.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

namespace korvath {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }
bool IsBracket(char c) { return c == '(' || c == ')' || c == '{' || c == '}'; }

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

Md5Lines::Md5Lines(std::string_view text) : text_(text), tokens_(32) {}

bool Md5Lines::Next() {
    if (at_ >= text_.size()) return false;
    size_t end = text_.find('\n', at_);
    if (end == std::string_view::npos) end = text_.size();
    line_ = text_.substr(at_, end - at_);
    if (!line_.empty() && line_.back() == '\r') line_.remove_suffix(1);
    at_ = end + 1;
    Split();
    return true;
}

void Md5Lines::Split() {
    count_ = 0;
    const std::string_view line = line_;
    size_t at = 0;
    while (at < line.size()) {
        const char c = line[at];
        if (IsBlank(c)) {
            ++at;
        } else if (c == '"') {
            const size_t close = line.find('"', at + 1);
            const size_t end = close == std::string_view::npos ? line.size() : close;
            Add(line.substr(at + 1, end - at - 1), true);
            at = end + 1;
        } else if (IsBracket(c)) {
            Add(line.substr(at, 1), false);
            ++at;
        } else if (c == '/' && at + 1 < line.size() && line[at + 1] == '/') {
            break;
        } else {
            size_t end = at;
            while (end < line.size() && !IsBlank(line[end]) && !IsBracket(line[end]) && line[end] != '"') ++end;
            Add(line.substr(at, end - at), false);
            at = end;
        }
    }
}

bool IsKeyword(Md5Tokens tokens, size_t index, std::string_view keyword) {
    return index < tokens.size() && !tokens[index].Quoted && SameLetters(tokens[index].Text, keyword);
}

bool OpensBlock(Md5Tokens tokens, std::string_view keyword) {
    return tokens.size() == 2 && IsKeyword(tokens, 0, keyword) && IsKeyword(tokens, 1, "{");
}

bool ClosesBlock(Md5Tokens tokens) { return tokens.size() == 1 && IsKeyword(tokens, 0, "}"); }

bool IsVersionLine(Md5Tokens tokens) {
    return tokens.size() == 2 && IsKeyword(tokens, 0, "MD5Version") && IsKeyword(tokens, 1, "10");
}

bool ParseNumber(std::string_view text, double& value) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && std::isfinite(value);
}

bool ParseWholeNumber(std::string_view text, int32_t& value) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

float RoundedCoordinate(double value) {
    // Beyond 1e15 a Single has no decimals left to round.
    if (std::fabs(value) > 1e15) return static_cast<float>(std::clamp<double>(value, -FLT_MAX, FLT_MAX));
    return static_cast<float>(std::nearbyint(value * 1e7) / 1e7);
}

bool NumbersFrom(Md5Tokens tokens, size_t index, double* out, size_t count) {
    size_t taken = 0;
    for (size_t i = index; i < tokens.size() && taken < count; ++i) {
        const Md5Token& token = tokens[i];
        if (!token.Quoted && token.Text.size() == 1 && IsBracket(token.Text[0])) continue;
        if (token.Quoted || !ParseNumber(token.Text, out[taken])) return false;
        ++taken;
    }
    return taken == count;
}

}  // namespace korvath
