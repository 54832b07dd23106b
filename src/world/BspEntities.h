#pragma once
// The entity text of a level into ENTITY records.
#include <string>
#include <vector>

#include "korvath/Types.h"

namespace korvath {

// Parses line by line; the text after the last line feed is not examined, and a
// value that should be a number but is not ends the parse with what was read.
std::vector<ENTITY> ParseEntities(const std::string& text);

}  // namespace korvath
