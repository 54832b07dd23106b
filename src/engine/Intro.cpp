#include <cmath>

#include "core/Display.h"
#include "core/FlatDrawing.h"
#include "core/FrameTiming.h"
#include "core/Services.h"
#include "korvath/Engine.h"
#include "korvath/Timer.h"
#include "materials/MaterialRelease.h"
#include "materials/Texture.h"
#include "platform/Events.h"
#include "platform/GL.h"

namespace korvath {

namespace {

// A 512 x 512 quad at the origin; the intro centres it with a translation.
void DrawPicture(GLuint texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    DrawTexturedRect(512, 512);
}

struct IntroPictures {
    GLuint logo, title, shadow, intro;
};

void DrawIntroFrame(const IntroPictures& pictures, bool showIntro, bool showShadow, bool showTitle) {
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    PushOrtho(0, Display().ScreenWidth, 0, Display().ScreenHeight);
    glTranslatef(Display().ScreenWidth / 2.0f - 256, Display().ScreenHeight / 2.0f - 256, 0);

    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    float alpha = Timing().FadeOut ? std::abs(1 - Timing().FadeLevel) : std::abs(Timing().FadeLevel);
    glColor4f(1, 1, 1, alpha);
    if (showTitle) {
        glBlendFunc(GL_ONE, GL_ONE);
        DrawPicture(pictures.title);
    }
    if (showShadow) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        DrawPicture(pictures.shadow);
    }
    if (showShadow) glBlendFunc(GL_ONE, GL_ONE);
    else glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawPicture(showIntro && !showShadow ? pictures.intro : pictures.logo);

    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    PopOrtho();
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
}

}  // namespace

// The logo fades in over 0.5 s, its shadow fades in under it over 1 s, then the
// intro picture fades out over 0.5 s while the title is added and stays for 4 s.
void Engine::PlayIntro() {
    Timer& timer = EngineTimer();
    IntroPictures pictures{
        static_cast<GLuint>(LoadResourceTexture("KORVATH.LOGO", ".JPG")),
        static_cast<GLuint>(LoadResourceTexture("KORVATH.TITLE", ".JPG")),
        static_cast<GLuint>(LoadResourceTexture("KORVATH.SHADOW", ".JPG")),
        static_cast<GLuint>(LoadResourceTexture("KORVATH.INTRO", ".JPG")),
    };
    bool waiting = false, showIntro = false, showShadow = false, showTitle = false;
    do {
        BeginScene();
        DrawIntroFrame(pictures, showIntro, showShadow, showTitle);
        EndScene();
        if (!Timing().FadeActive) {
            if (waiting) {
                if (timer.Stopped()) {
                    showShadow = true;
                    waiting = false;
                    showIntro = true;
                    StartFade(1000);
                }
            } else if (!showIntro) {
                waiting = true;
                StartFade(500);
                timer.Interval(0.5f);
            }
        }
        if (showShadow && showIntro && !Timing().FadeActive) {
            showShadow = false;
            showTitle = true;
            StartFade(-500);
            timer.Interval(4.0f);
        }
        // A window closed during the intro ends it; the host sees the request.
        if (platform::CloseRequested()) break;
    } while (!(timer.Stopped() && showTitle));

    for (GLuint name : {pictures.logo, pictures.title, pictures.shadow, pictures.intro})
        ReleaseTexture(static_cast<int32_t>(name));
    StartFade(500);
    Timing().IntroDone = true;
}

}  // namespace korvath
