#include "core/FlatDrawing.h"

#include "platform/GL.h"

namespace korvath {

void PushOrtho(double left, double right, double bottom, double top) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(left, right, bottom, top);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void PopOrtho() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void DrawTexturedRect(float right, float top) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0); glVertex2f(0, 0);
    glTexCoord2f(1, 0); glVertex2f(right, 0);
    glTexCoord2f(1, 1); glVertex2f(right, top);
    glTexCoord2f(0, 1); glVertex2f(0, top);
    glEnd();
}

}  // namespace korvath
