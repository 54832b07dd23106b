#pragma once
// Skin files of Quake 3 players ("lower_default.skin"): which picture each
// surface of a part wears, one "surface,image" line per surface.
#include <string>
#include <vector>

namespace korvath {

struct SkinEntry {
    std::string Surface;
    std::string Image;
};

// The surface lines of a skin's text (CRLF or LF, last line with or without
// an end). Tag lines ("tag_head," with nothing after the comma) name no
// picture and are left out, as are lines without a comma.
std::vector<SkinEntry> ParseSkin(const std::string& text);

// Whether a surface name is the one a skin line names: skins are written by
// hand on systems that ignore case.
bool SkinNames(const std::string& skinSurface, const std::string& surface);

}  // namespace korvath
