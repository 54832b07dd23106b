#include "korvath/Font.h"

#include "core/TextMetrics.h"
#include "platform/GL.h"

// Placeholder glyphs until the FreeType rasteriser lands: lists exist, draw nothing,
// and text measures as a fixed-pitch face of the requested size.
namespace korvath {

namespace {
int32_t g_selectedSize = 0;
}

Font::~Font() {
    if (listBase_ != 0 && glIsList(static_cast<GLuint>(listBase_)))
        glDeleteLists(static_cast<GLuint>(listBase_), 255);
}

void Font::Load(const std::string& Name, int32_t Size, bool Bold, bool Italic, bool Underline,
                bool Strikeout) {
    listBase_ = static_cast<int32_t>(glGenLists(255));
    g_selectedSize = Size;
}

void Font::Render(const std::string& Text, float x, float y, float Red, float Green, float Blue,
                  float Alpha) {}

TextExtent MeasureText(const std::string& text) {
    int32_t advance = g_selectedSize > 0 ? (g_selectedSize * 3 + 2) / 5 : 0;
    return {static_cast<int32_t>(text.size()) * advance, g_selectedSize};
}

}  // namespace korvath
