#include "Md5Viewed.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

using namespace korvath;

bool Md5Viewed::Load(const std::string& file, const std::string&) {
    model_.Load(file);
    return model_.Loaded();
}

void Md5Viewed::UseSkin(const std::string& skin) {
    const SHADER material = Shaders().Load(skin);
    for (const std::string& name : model_.MaterialNames()) model_.Shader(name, material);
}

void Md5Viewed::Render(bool Animate) {
    if (Animate) model_.Update();
    model_.Render(Animate && !skeleton_);
    // Render leaves the model's transform on the modelview matrix, outside a
    // shadow pass, which is drawn unanimated.
    if (skeleton_ && Animate) DrawSkeleton();
}

std::vector<VOLUME> Md5Viewed::Volume() const {
    std::vector<VOLUME> volumes = model_.Volume();
    if (volumes.empty()) return {VOLUME{}};
    VOLUME all = volumes[0];
    for (const VOLUME& v : volumes) {
        all.Min = {std::min(all.Min.x, v.Min.x), std::min(all.Min.y, v.Min.y), std::min(all.Min.z, v.Min.z)};
        all.Max = {std::max(all.Max.x, v.Max.x), std::max(all.Max.y, v.Max.y), std::max(all.Max.z, v.Max.z)};
    }
    return {all};
}

void Md5Viewed::Steer(Keyboard& keys) {
    if (!keys.Check(KEY_J)) return;
    ShowSkeleton(!skeleton_);
    std::printf("skeleton: %s\n", skeleton_ ? "shown" : "hidden");
}

// Yellow lines through the model, so joints inside it stay visible.
void Md5Viewed::DrawSkeleton() const {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glLineWidth(2);
    glColor3f(1, 0.9f, 0.1f);
    glBegin(GL_LINES);
    for (int32_t j = 0; j < model_.Joints(); ++j) {
        const JOINT joint = model_.Joint(j);
        if (joint.Parent < 0 || joint.Parent >= model_.Joints()) continue;
        const VECTOR3 parent = model_.Joint(joint.Parent).Position;
        glVertex3f(parent.x, parent.y, parent.z);
        glVertex3f(joint.Position.x, joint.Position.y, joint.Position.z);
    }
    glEnd();
    glPopAttrib();
}
