#include "core/ViewState.h"
#include "input/SelectionHits.h"
#include "korvath/Cursor.h"
#include "platform/GL.h"

namespace korvath {

namespace {

// The platform code of the first character written in hexadecimal and read back
// as a decimal number: "A" (0x41) is 41. Codes with a letter digit ("J" is 0x4A)
// get 100 + the code, a number no other character reaches.
int32_t PickNumber(const std::string& name) {
    if (name.empty()) throw Error("Cursor: a selection needs a name of at least one character");
    const int32_t code = static_cast<unsigned char>(name[0]);
    const int32_t high = code / 16, low = code % 16;
    return high > 9 || low > 9 ? 100 + code : high * 10 + low;
}

}  // namespace

void Cursor::BeginSelection(const std::string& Name) {
    const int32_t pick = PickNumber(Name);  // may throw: before GL changes mode
    // Within an open selection a new name labels what is drawn next, so one
    // selection can hold several candidates and report the nearest.
    if (selecting_) {
        glLoadName(static_cast<GLuint>(pick));
        return;
    }
    glSelectBuffer(kSelectWords, selectBuffer_);
    glGetIntegerv(GL_VIEWPORT, viewport_);
    glMatrixMode(GL_PROJECTION);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    glLoadName(static_cast<GLuint>(pick));
    glPushMatrix();
    glLoadIdentity();
    const CURSOR_AXES at = InWindow();
    gluPickMatrix(at.x, viewport_[3] - at.y, 1, 1, viewport_);
    gluPerspective(View().FieldOfView, View().AspectRatio, View().NearPlane, View().FarPlane);
    glMatrixMode(GL_MODELVIEW);
    selecting_ = true;
}

void Cursor::EndSelection() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    hits_ = glRenderMode(GL_RENDER);
    glMatrixMode(GL_MODELVIEW);
    selected_ = static_cast<int32_t>(NearestHitName(selectBuffer_, kSelectWords, hits_));
    selecting_ = false;
}

bool Cursor::CheckSelection(const std::string& Name) const { return PickNumber(Name) == selected_; }

}  // namespace korvath
