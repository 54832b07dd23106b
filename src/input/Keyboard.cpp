#include "korvath/Keyboard.h"

#include <algorithm>

#include "core/FrameTiming.h"
#include "core/TextMetrics.h"
#include "input/KeyboardService.h"
#include "input/LineEdit.h"
#include "platform/Host.h"
#include "platform/KeyTable.h"

namespace korvath {

bool Keyboard::Check(KEYBOARD_CONTROLS Button) {
    return platform::Keys().AsyncKeyState(Button) == -32767;
}

bool Keyboard::Button(KEYBOARD_CONTROLS Control) {
    return platform::Keys().AsyncKeyState(Control) != 0;
}

void Keyboard::Buffer(const std::string& value) {
    buffer_ = value;
    cursorOffset_ = 0;
}

std::string Keyboard::Text() const {
    if (visibleChars_ <= 0) return {};
    size_t visible = static_cast<size_t>(visibleChars_);
    return visible >= buffer_.size() ? buffer_ : buffer_.substr(buffer_.size() - visible);
}

void Keyboard::TypeCharacters() {
    auto type = [this](const std::string& s) { buffer_ = InsertAtCursor(buffer_, s, cursorOffset_); };
    auto key = [](int32_t code) { return static_cast<KEYBOARD_CONTROLS>(code); };

    if (Check(KEY_SPACE)) type(" ");

    static const char kShiftedDigits[] = ")!@#$%^&*(";
    for (int32_t code = 48; code <= 57; ++code) {
        if (!Check(key(code))) continue;
        type(std::string(1, Button(KEY_SHIFT) ? kShiftedDigits[code - 48] : static_cast<char>(code)));
    }
    for (int32_t code = 65; code <= 95; ++code)
        if (Check(key(code))) type(std::string(1, static_cast<char>(code)));

    static const char kPunctuation[] = ";=,-./";
    static const char kShiftedPunctuation[] = ":+<_>?";
    for (int32_t code = 186; code <= 191; ++code) {
        if (!Check(key(code))) continue;
        type(std::string(1, (Button(KEY_SHIFT) ? kShiftedPunctuation : kPunctuation)[code - 186]));
    }
    static const char kBrackets[] = "[\\]'";
    static const char kShiftedBrackets[] = "{|}\"";
    for (int32_t code = 219; code <= 222; ++code) {
        if (!Check(key(code))) continue;
        type(std::string(1, (Button(KEY_SHIFT) ? kShiftedBrackets : kBrackets)[code - 219]));
    }
}

void Keyboard::Process(int32_t Width, int32_t Height) {
    const int32_t length = static_cast<int32_t>(buffer_.size());
    if (Check(KEY_RETURN)) {
        // The console reads the buffer itself.
    } else if (Check(KEY_LEFT)) {
        if (length > 0 && cursorOffset_ > -length) --cursorOffset_;
    } else if (Check(KEY_RIGHT)) {
        if (cursorOffset_ < 0) ++cursorOffset_;
    } else if (Check(KEY_ESCAPE)) {
        return;
    } else if (Check(KEY_DELETE)) {
        if (length >= 1 && cursorOffset_ < 0) {
            buffer_ = DeleteAtCursor(buffer_, cursorOffset_);
            ++cursorOffset_;
        }
    } else if (Check(KEY_BACKSPACE)) {
        if (length > 0 && cursorOffset_ > -length) buffer_ = DeleteBeforeCursor(buffer_, cursorOffset_);
    } else if (Button(KEY_CTRL)) {
        if (Check(KEY_V)) buffer_ = InsertAtCursor(buffer_, platform::ClipboardText(), cursorOffset_);
    } else {
        TypeCharacters();
    }

    // Layout of the visible tail and the caret under it.
    int32_t p = std::clamp(cursorOffset_, -std::abs(visibleChars_), std::abs(visibleChars_));
    TextExtent extent = MeasureText(buffer_);
    textWidth_ = extent.Width;
    textHeight_ = extent.Height;
    if (textWidth_ > 0) {
        double average = static_cast<double>(textWidth_) / static_cast<double>(buffer_.size());
        visibleChars_ = static_cast<int32_t>(Width / average) - 2;
    }
    int32_t column = textWidth_ < Width - 40 ? p + static_cast<int32_t>(buffer_.size()) : p + visibleChars_;
    double half = Timing().FramesLastSecond / 2.0;
    if (half < Timing().FrameCount) caret_.clear();
    else if (half > Timing().FrameCount) caret_ = std::string(static_cast<size_t>(std::max(column, 0)), ' ') + "_";
}

}  // namespace korvath

namespace korvath {

Keyboard& EngineKeyboard() {
    static Keyboard keyboard;
    return keyboard;
}

}  // namespace korvath
