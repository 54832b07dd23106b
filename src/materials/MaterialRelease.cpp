#include "materials/MaterialRelease.h"

#include "core/ExtTable.h"
#include "materials/Materials.h"
#include "materials/Texture.h"
#include "platform/GL.h"

namespace korvath {

void ReleaseTexture(int32_t texture) {
    if (texture <= 0) return;
    ForgetTextureName(texture);  // and the video stream behind it, if any
    const GLuint name = static_cast<GLuint>(texture);
    glDeleteTextures(1, &name);
}

void ReplaceTexture(int32_t& slot, int32_t texture) {
    if (slot != texture) ReleaseTexture(slot);
    slot = texture;
}

// The released names are zeroed in this record, so releasing it twice cannot
// delete a name GL has since handed to another texture. Copies of the record
// still hold the old names, as before.
void FreeMaterial(SHADER& material) {
    for (int32_t& side : material.SkyBox) ReplaceTexture(side, 0);
    if (material.Stages.empty()) return;
    for (SHADER_STAGE& stage : material.Stages)
        for (int32_t& texture : stage.Textures) ReplaceTexture(texture, 0);
    const GLExtFunctions& f = GLExt();
    if (material.Program && f.glDeleteObjectARB) f.glDeleteObjectARB(static_cast<GLhandleARB>(material.Program));
    material.Program = 0;
}

}  // namespace korvath
