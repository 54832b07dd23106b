#pragma once
// The animation table of a Quake 3 player (animation.cfg): one line of four
// whole numbers per animation, in the order of the MD3 animation enums.
#include <string>
#include <vector>

#include "korvath/MD3.h"

namespace korvath {

// The entries every table must reach: the legs animations start at 13.
constexpr size_t kMd3MinimumAnimations = 14;

// Reads the table from text with CRLF or LF ends. A comment ("//" to the end
// of the line), an empty line, and a line whose first four fields (split at
// TABs and blanks) are not whole numbers are skipped: real tables carry sex,
// footsteps, headoffset, fixedtorso and fixedlegs lines. With at least 14
// entries the legs entries are moved to where the legs file keeps them, every
// frame count above 1 is reduced by 1, and the result is true; with fewer the
// entries stay as read and the result is false.
bool ParseAnimationTable(const std::string& text, std::vector<MD3_ANIMATION>& table);

}  // namespace korvath
