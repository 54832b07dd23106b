#include "core/Globals.h"
#include "korvath/Ext.h"
#include "korvath/Font.h"
#include "korvath/Frustum.h"
#include "korvath/Keyboard.h"
#include "korvath/Timer.h"

namespace korvath {

Ext& EngineExt() {
    static Ext ext;
    return ext;
}

Font& EngineFont() {
    static Font font;
    return font;
}

Frustum& EngineFrustum() {
    static Frustum frustum;
    return frustum;
}

Keyboard& EngineKeyboard() {
    static Keyboard keyboard;
    return keyboard;
}

Timer& EngineTimer() {
    static Timer timer;
    return timer;
}

}  // namespace korvath
