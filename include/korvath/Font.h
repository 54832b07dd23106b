#pragma once
#include <cstdint>
#include <string>

namespace korvath {

// A bitmap font as 255 GL display lists, one per character code 0..254.
// Text positions run from x 0 (left) to 101 (right), y 0 (top) to about 100 (bottom).
class Font {
public:
    ~Font();
    void Load(const std::string& Name, int32_t Size, bool Bold, bool Italic, bool Underline,
              bool Strikeout);
    void Render(const std::string& Text, float x, float y, float Red = 1.0f, float Green = 1.0f,
                float Blue = 1.0f, float Alpha = 1.0f);
    int32_t ListBase() const { return listBase_; }

private:
    int32_t listBase_ = 0;
};

}  // namespace korvath
