#include "core/Services.h"

#include "korvath/Ext.h"
#include "korvath/Font.h"
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

Timer& EngineTimer() {
    static Timer timer;
    return timer;
}

}  // namespace korvath
