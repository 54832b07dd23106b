#pragma once
// Glyph bitmaps of a system font: the face is found by family name through
// fontconfig and rasterised by FreeType into one-bit images laid out for glBitmap.
#include <cstdint>
#include <string>
#include <vector>

namespace korvath::platform {

struct FontRequest {
    std::string Family;
    int32_t Height = 0;  // cell height in pixels; negative asks for the em height instead
    bool Bold = false, Italic = false, Underline = false, Strikeout = false;
};

// One glyph as glBitmap takes it: rows bottom to top, each (Width + 7) / 8 bytes,
// the leftmost pixel in the most significant bit.
struct GlyphBitmap {
    int32_t Width = 0, Rows = 0;
    float OriginX = 0, OriginY = 0;  // offset of the image's lower left corner from the pen, negated
    int32_t Advance = 0;             // pixels the pen moves right
    std::vector<uint8_t> Bits;
};

struct FontGlyphs {
    bool Found = false;
    std::string File;   // the face file the family resolved to
    int32_t Height = 0; // ascent plus descent in pixels
    std::vector<GlyphBitmap> Glyphs;  // 256 entries, one per ANSI (Windows-1252) code
};

// Empty Glyphs when no face could be opened at all.
FontGlyphs RasteriseFont(const FontRequest& request);

}  // namespace korvath::platform
