#include "core/Display.h"
#include "materials/Texture.h"
#include "platform/GL.h"

namespace korvath {

namespace {

bool g_trilinear = true;

GLenum BindingOf(uint32_t target) {
    return target == GL_TEXTURE_CUBE_MAP ? GL_TEXTURE_BINDING_CUBE_MAP : GL_TEXTURE_BINDING_2D;
}

}  // namespace

int32_t MipmapMinFilter() { return g_trilinear ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_NEAREST; }

bool TrilinearFiltering() { return g_trilinear; }

void SetTrilinearFiltering(bool trilinear) {
    if (trilinear == g_trilinear) return;
    g_trilinear = trilinear;
    if (!Display().RenderContext) return;  // textures are made with the setting
    ForEachMipmappedTexture([](int32_t texture, uint32_t target) {
        // A name deleted since it was made would be brought back by binding it.
        if (!glIsTexture(static_cast<GLuint>(texture))) return;
        GLint bound = 0;
        glGetIntegerv(BindingOf(target), &bound);
        glBindTexture(target, static_cast<GLuint>(texture));
        glTexParameteri(target, GL_TEXTURE_MIN_FILTER, MipmapMinFilter());
        glBindTexture(target, static_cast<GLuint>(bound));
    });
}

}  // namespace korvath
