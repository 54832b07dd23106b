#pragma once
// Per virtual-key state as the keyboard queries see it: down now, and pressed since
// the last query of that key. Fed by the message pump; tests press keys directly.
#include <cstdint>

namespace korvath::platform {

class KeyTable {
public:
    // 0x8000 when down now, | 1 when pressed since the previous query; the query
    // consumes the pressed bit, as the asynchronous key state does.
    int16_t AsyncKeyState(int32_t virtualKey);
    void Press(int32_t virtualKey);
    void Release(int32_t virtualKey);
    void ReleaseAll();

private:
    static constexpr int kKeys = 256;
    bool down_[kKeys] = {};
    bool pressed_[kKeys] = {};
};

KeyTable& Keys();

// The virtual-key code (US layout) of an SDL scancode; 0 for keys the engine does not know.
int32_t VirtualKeyOfScancode(int scancode);

}  // namespace korvath::platform
