#pragma once
#include <cstdint>
#include <string>

namespace korvath {

// A bitmap font as 255 GL display lists, one per character code 0..254 of the ANSI
// (Windows-1252) code page. Text positions run from x 0 (left edge) to 101 (right
// edge) and from y 0 (just under the top edge) to about 100 (bottom edge).
class Font {
public:
    Font() = default;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font();

    // The face of that family name nearest to the request, Size pixels high. The font
    // made last is also the one text is measured in (console wrap, line editor).
    void Load(const std::string& Name, int32_t Size, bool Bold, bool Italic, bool Underline,
              bool Strikeout);
    // Draws Text with its baseline at (x, y); code 255 has no glyph and draws nothing.
    void Render(const std::string& Text, float x, float y, float Red = 1.0f, float Green = 1.0f,
                float Blue = 1.0f, float Alpha = 1.0f);
    int32_t ListBase() const { return listBase_; }

private:
    void DeleteLists();

    int32_t listBase_ = 0;
    void* context_ = nullptr;  // the GL context the lists belong to
};

}  // namespace korvath
