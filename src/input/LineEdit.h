#pragma once
// Text editing for the keyboard's line editor; offset counts from the end of the
// text (0 is after the last character).
#include <cstdint>
#include <string>

namespace korvath {

std::string InsertAtCursor(const std::string& text, const std::string& s, int32_t offset);
std::string DeleteBeforeCursor(const std::string& text, int32_t offset);
std::string DeleteAtCursor(const std::string& text, int32_t offset);

}  // namespace korvath
