#include "korvath/Font.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>

#include "core/Display.h"
#include "core/FlatDrawing.h"
#include "core/Lighting.h"
#include "core/TextMetrics.h"
#include "platform/FontFace.h"
#include "platform/GL.h"

namespace korvath {

namespace {

constexpr GLsizei kLists = 255;
// Has no list of its own: the list after the last one may belong to anybody.
constexpr unsigned char kNoGlyph = 255;

// The metrics of the font made last, which stays "selected" for measuring text.
struct SelectedFont {
    std::array<int32_t, 256> Advances{};
    int32_t Height = 0;
};
SelectedFont g_selected;

void CompileGlyphs(GLuint listBase, const platform::FontGlyphs& font) {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    for (GLsizei code = 0; code < kLists; ++code) {
        const platform::GlyphBitmap& glyph = font.Glyphs[static_cast<size_t>(code)];
        glNewList(listBase + static_cast<GLuint>(code), GL_COMPILE);
        if (glyph.Bits.empty()) {
            // Mesa cannot record an empty bitmap in a list (it reports running out of
            // memory); one clear bit draws nothing and still moves the raster position.
            static const GLubyte kClear = 0;
            glBitmap(1, 1, 0, 0, static_cast<GLfloat>(glyph.Advance), 0, &kClear);
        } else {
            glBitmap(glyph.Width, glyph.Rows, glyph.OriginX, glyph.OriginY, static_cast<GLfloat>(glyph.Advance), 0,
                     glyph.Bits.data());
        }
        glEndList();
    }
    glPopClientAttrib();
}

}  // namespace

Font::~Font() { DeleteLists(); }

// Lists die with their context; only lists of the live context are ours to delete.
void Font::DeleteLists() {
    if (listBase_ != 0 && context_ != nullptr && context_ == Display().RenderContext &&
        glIsList(static_cast<GLuint>(listBase_)))
        glDeleteLists(static_cast<GLuint>(listBase_), kLists);
    listBase_ = 0;
    context_ = nullptr;
}

void Font::Load(const std::string& Name, int32_t Size, bool Bold, bool Italic, bool Underline,
                bool Strikeout) {
    DeleteLists();
    listBase_ = static_cast<int32_t>(glGenLists(kLists));
    context_ = Display().RenderContext;

    platform::FontGlyphs font = platform::RasteriseFont({Name, Size, Bold, Italic, Underline, Strikeout});
    g_selected = {};
    if (!font.Found) return;
    g_selected.Height = font.Height;
    for (size_t code = 0; code < g_selected.Advances.size(); ++code)
        g_selected.Advances[code] = font.Glyphs[code].Advance;
    if (listBase_ != 0) CompileGlyphs(static_cast<GLuint>(listBase_), font);
}

void Font::Render(const std::string& Text, float x, float y, float Red, float Green, float Blue,
                  float Alpha) {
    // Without lists of its own the list base would run other objects' lists.
    if (Text.empty() || listBase_ == 0) return;
    std::string codes;
    codes.reserve(Text.size());
    std::copy_if(Text.begin(), Text.end(), std::back_inserter(codes),
                 [](char c) { return static_cast<unsigned char>(c) != kNoGlyph; });

    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glColor4f(Red, Green, Blue, Alpha);
    PushOrtho(-1, 1, -1, 1);
    glRasterPos2f(x / 50.5f - 1, 0.97f - y / 51);

    glPushAttrib(GL_LIST_BIT);
    glListBase(static_cast<GLuint>(listBase_));
    glCallLists(static_cast<GLsizei>(codes.size()), GL_UNSIGNED_BYTE, codes.data());
    glPopAttrib();

    PopOrtho();
    glColor3f(1, 1, 1);
    glEnable(GL_DEPTH_TEST);
    // Lighting comes back only for a scene that uses it; an unlit scene stays unlit.
    if (Lighting().Enabled) glEnable(GL_LIGHTING);
}

TextExtent MeasureText(const std::string& text) {
    int64_t width = 0;
    for (char c : text) width += g_selected.Advances[static_cast<unsigned char>(c)];
    width = std::min<int64_t>(width, std::numeric_limits<int32_t>::max());
    return {static_cast<int32_t>(width), g_selected.Height};
}

}  // namespace korvath
