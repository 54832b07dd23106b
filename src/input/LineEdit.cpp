#include "input/LineEdit.h"

#include <algorithm>

namespace korvath {

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
