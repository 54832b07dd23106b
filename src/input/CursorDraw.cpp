#include "core/Display.h"
#include "core/Lighting.h"
#include "core/Matrix.h"
#include "core/ViewState.h"
#include "input/CursorMaterial.h"
#include "korvath/Cursor.h"
#include "platform/GL.h"
#include "platform/Host.h"

namespace korvath {

namespace {

CursorMaterialPasses g_passes = nullptr;

void DrawQuad(const void* context) {
    const float size = *static_cast<const float*>(context);
    // White from the first corner on: a colour left by earlier drawing would
    // otherwise tint the cursor.
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(1, 1);
    glVertex2f(size, size);
    glTexCoord2f(1, 0);
    glVertex2f(size, -size);
    glTexCoord2f(0, 0);
    glVertex2f(-size, -size);
    glTexCoord2f(0, 1);
    glVertex2f(-size, size);
    glEnd();
}

// Twips across the screen per unit of the translation; none on a screen not set up yet.
float TwipsToUnits(float twips, int32_t pixels) {
    return pixels > 0 ? twips / (static_cast<float>(pixels) / platform::kTwipsPerPixel) : 0.0f;
}

}  // namespace

void SetCursorMaterialPasses(CursorMaterialPasses passes) { g_passes = passes; }
CursorMaterialPasses CursorPasses() { return g_passes; }

void Cursor::Render(float x, float y, float Size) {
    const bool lit = Lighting().Enabled;
    if (lit) glDisable(GL_LIGHTING);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(-TwipsToUnits(x, Display().ScreenWidth), TwipsToUnits(y, Display().ScreenHeight), 0);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    if (g_passes) g_passes(material_, DrawQuad, &Size);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    if (lit) glEnable(GL_LIGHTING);
}

VECTOR3 Cursor::Direction() const {
    ApplyViewTransform(false);
    double model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const CURSOR_AXES at = InWindow();
    const int32_t wx = at.x, wy = viewport[3] - at.y;
    // Outside the window the read leaves the far plane in place.
    float depth = 1;
    if (wx >= 0 && wy >= 0 && wx < viewport[0] + viewport[2] && wy < viewport[1] + viewport[3])
        glReadPixels(wx, wy, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    double px = 0, py = 0, pz = 0;
    gluUnProject(wx, wy, depth, model, projection, viewport, &px, &py, &pz);
    const VECTOR3& eye = View().CameraPosition;
    return {static_cast<float>(px) - eye.x, static_cast<float>(py) - eye.y, static_cast<float>(pz) - eye.z};
}

}  // namespace korvath
