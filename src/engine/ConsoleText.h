#pragma once
// The console's part of each overlay drawing: the pending status line entering the
// shown lines (word-wrapped to the screen), and the console keys.
#include <string>
#include <vector>

namespace korvath {

// Moves LoadText into the console lines, unless it repeats the newest line.
void AddPendingLine();
// Backquote, history arrows and Enter; only the first key found pressed is handled.
void HandleConsoleKeys();
// Pieces of text no wider than the screen, cut at blanks where one falls in reach.
std::vector<std::string> WrapText(const std::string& text);
// Command names and arguments compare in upper case; bytes past ASCII stay as typed.
std::string UpperCase(const std::string& text);

}  // namespace korvath
