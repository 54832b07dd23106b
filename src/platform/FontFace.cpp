#include "platform/FontFace.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace korvath::platform {

namespace {

// Heights beyond this make glyph images of megabytes for no readable gain.
constexpr int32_t kMaxHeight = 512;
// What a zero height asks for, as the platform's default font height would.
constexpr int32_t kDefaultHeight = 16;

// Unicode of the codes 128..159 of Windows-1252; 0 where the code page has none.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Control codes have no picture; they move the pen like a blank.
uint32_t UnicodeOfAnsi(int code) {
    if (code < 32 || code == 127) return 0;
    if (code >= 128 && code < 160) return kCp1252High[code - 128];
    return static_cast<uint32_t>(code);
}

struct FaceFile {
    std::string Path;
    int Index = 0;
    bool Bold = false, Italic = false;  // what the file itself provides
};

FaceFile FindFace(const FontRequest& request) {
    FaceFile face;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return face;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(request.Family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, request.Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, request.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* file = nullptr;
        int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
            face.Path = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(match, FC_INDEX, 0, &face.Index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        // The system's own rules may already promise a synthetic style (emboldening,
        // a shear matrix); the file then lacks it and FreeType has to make it.
        FcBool embolden = FcFalse;
        FcMatrix* shear = nullptr;
        FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
        const bool sheared = FcPatternGetMatrix(match, FC_MATRIX, 0, &shear) == FcResultMatch &&
                             shear != nullptr && shear->xy != 0;
        face.Bold = weight >= FC_WEIGHT_DEMIBOLD && !embolden;
        face.Italic = slant != FC_SLANT_ROMAN && !sheared;
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return face;
}

// Pixel rows [Bottom, Top) above the baseline that a rule (underline, strikeout) fills.
struct Rule {
    int Bottom = 0, Top = 0;
};

struct Style {
    bool Embolden = false, Oblique = false;
    std::vector<Rule> Rules;
};

int Pixels(FT_Face face, FT_Short fontUnits) {
    return static_cast<int>(std::lround(FT_MulFix(fontUnits, face->size->metrics.y_scale) / 64.0));
}

Style StyleFor(FT_Face face, const FontRequest& request, const FaceFile& file) {
    Style style;
    style.Embolden = request.Bold && !file.Bold;
    style.Oblique = request.Italic && !file.Italic;
    const bool scalable = FT_IS_SCALABLE(face);
    const int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    if (request.Underline) {
        int thickness = scalable ? std::max(1, Pixels(face, face->underline_thickness)) : 1;
        int centre = scalable ? Pixels(face, face->underline_position) : -1;
        int top = centre + (thickness + 1) / 2;
        style.Rules.push_back({top - thickness, top});
    }
    if (request.Strikeout) {
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        int thickness = os2 && os2->yStrikeoutSize > 0 ? std::max(1, Pixels(face, os2->yStrikeoutSize)) : 1;
        int top = os2 && os2->yStrikeoutPosition > 0 ? Pixels(face, os2->yStrikeoutPosition) : ascent / 3 + thickness;
        style.Rules.push_back({top - thickness, top});
    }
    return style;
}

// A one-bit image in pen coordinates: x to the right, y up from the baseline.
class GlyphCanvas {
public:
    explicit GlyphCanvas(int advance) { glyph_.Advance = advance; }

    void Include(int left, int bottom, int right, int top) {
        if (right <= left || top <= bottom) return;
        if (empty_) {
            left_ = left, bottom_ = bottom, right_ = right, top_ = top;
            empty_ = false;
            return;
        }
        left_ = std::min(left_, left), bottom_ = std::min(bottom_, bottom);
        right_ = std::max(right_, right), top_ = std::max(top_, top);
    }

    // Call once every part is included, before the first Set.
    void Allocate() {
        if (empty_) return;
        glyph_.Width = right_ - left_;
        glyph_.Rows = top_ - bottom_;
        glyph_.OriginX = static_cast<float>(-left_);
        glyph_.OriginY = static_cast<float>(-bottom_);
        stride_ = (glyph_.Width + 7) / 8;
        glyph_.Bits.assign(static_cast<size_t>(stride_) * glyph_.Rows, 0);
    }

    void Set(int x, int y) {
        if (empty_ || x < left_ || x >= right_ || y < bottom_ || y >= top_) return;
        int column = x - left_;
        glyph_.Bits[static_cast<size_t>(y - bottom_) * stride_ + column / 8] |=
            static_cast<uint8_t>(0x80 >> (column % 8));
    }

    GlyphBitmap Take() { return std::move(glyph_); }

private:
    GlyphBitmap glyph_;
    bool empty_ = true;
    int left_ = 0, bottom_ = 0, right_ = 0, top_ = 0, stride_ = 0;
};

bool RenderSlot(FT_Face face, FT_UInt index, const Style& style) {
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0) return false;
    if (face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (style.Embolden) FT_GlyphSlot_Embolden(face->glyph);
        if (style.Oblique) FT_GlyphSlot_Oblique(face->glyph);
    }
    return FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) == 0 &&
           face->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
}

int Advance(FT_Face face) { return static_cast<int>((face->glyph->advance.x + 32) >> 6); }

GlyphBitmap MakeGlyph(FT_Face face, uint32_t unicode, const Style& style, int blankAdvance) {
    FT_UInt index = unicode ? FT_Get_Char_Index(face, unicode) : 0;
    const bool drawn = index != 0 && RenderSlot(face, index, style);
    const int advance = drawn ? Advance(face) : blankAdvance;
    GlyphCanvas canvas(advance);
    const FT_Bitmap& image = face->glyph->bitmap;
    const int imageLeft = face->glyph->bitmap_left, imageTop = face->glyph->bitmap_top;
    const int imageWidth = static_cast<int>(image.width), imageRows = static_cast<int>(image.rows);
    if (drawn) canvas.Include(imageLeft, imageTop - imageRows, imageLeft + imageWidth, imageTop);
    for (const Rule& rule : style.Rules) canvas.Include(0, rule.Bottom, advance, rule.Top);
    canvas.Allocate();
    if (drawn) {
        for (int row = 0; row < imageRows; ++row) {
            const uint8_t* bits = image.buffer + static_cast<ptrdiff_t>(row) * image.pitch;
            for (int column = 0; column < imageWidth; ++column)
                if (bits[column / 8] & (0x80 >> (column % 8))) canvas.Set(imageLeft + column, imageTop - 1 - row);
        }
    }
    for (const Rule& rule : style.Rules)
        for (int y = rule.Bottom; y < rule.Top; ++y)
            for (int x = 0; x < advance; ++x) canvas.Set(x, y);
    return canvas.Take();
}

bool SetHeight(FT_Face face, int32_t height) {
    const int32_t pixels = std::min(height == 0 ? kDefaultHeight : std::abs(height), kMaxHeight);
    FT_Size_RequestRec size{};
    size.type = height < 0 ? FT_SIZE_REQUEST_TYPE_NOMINAL : FT_SIZE_REQUEST_TYPE_REAL_DIM;
    size.height = static_cast<FT_Long>(pixels) * 64;
    if (FT_Request_Size(face, &size) == 0) return true;
    return face->num_fixed_sizes > 0 && FT_Select_Size(face, 0) == 0;
}

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

}  // namespace

FontGlyphs RasteriseFont(const FontRequest& request) {
    FontGlyphs font;
    FaceFile file = FindFace(request);
    if (file.Path.empty()) return font;

    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) return font;
    std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), file.Path.c_str(), file.Index, &rawFace) != 0) return font;
    std::unique_ptr<FT_FaceRec_, FaceDeleter> face(rawFace);
    FT_Select_Charmap(face.get(), FT_ENCODING_UNICODE);
    if (!SetHeight(face.get(), request.Height)) return font;

    const Style style = StyleFor(face.get(), request, file);
    const GlyphBitmap blank = MakeGlyph(face.get(), ' ', {style.Embolden, style.Oblique, {}}, 0);
    font.Glyphs.reserve(256);
    for (int code = 0; code < 256; ++code)
        font.Glyphs.push_back(MakeGlyph(face.get(), UnicodeOfAnsi(code), style, blank.Advance));
    font.Found = true;
    font.File = file.Path;
    font.Height = static_cast<int32_t>((face->size->metrics.ascender - face->size->metrics.descender) >> 6);
    return font;
}

}  // namespace korvath::platform
