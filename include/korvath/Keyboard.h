#pragma once
#include <cstdint>
#include <string>

#include "korvath/Enums.h"

namespace korvath {

// Key queries by virtual-key code and a one-line text editor driven by them.
class Keyboard {
public:
    // One editing step; Width is the pixel width of the text area.
    void Process(int32_t Width, int32_t Height = 0);
    std::string Text() const;  // the visible tail of the buffer
    // Down now and pressed since the previous query of that key.
    bool Check(KEYBOARD_CONTROLS Button);
    // Down now, or pressed since the previous query.
    bool Button(KEYBOARD_CONTROLS Control);
    std::string Buffer() const { return buffer_; }
    void Buffer(const std::string& value);
    std::string Cursor() const { return caret_; }

    int32_t CursorOffset() const { return cursorOffset_; }
    int32_t VisibleChars() const { return visibleChars_; }

private:
    void TypeCharacters();

    std::string buffer_;
    std::string caret_;
    int32_t visibleChars_ = 0;
    int32_t cursorOffset_ = 0;
    int32_t textWidth_ = 0, textHeight_ = 0;
};

}  // namespace korvath
