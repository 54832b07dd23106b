#include "core/Capabilities.h"
#include "core/FrameTiming.h"
#include "materials/Texture.h"
#include "materials/TextureUpload.h"
#include "platform/Events.h"
#include "platform/GL.h"

namespace korvath {

namespace {

bool HasAlpha(int32_t format) { return format == GL_RGBA || format == GL_BGRA_EXT; }

GLint InternalFormat(int32_t format, bool compress) {
    if (compress) return HasAlpha(format) ? GL_COMPRESSED_RGBA_S3TC_DXT5_EXT : GL_COMPRESSED_RGB_S3TC_DXT1_EXT;
    return HasAlpha(format) ? 4 : 3;
}

// The pixels GL will read for the image, or null when the buffer is too short
// for its size (or the image is empty): such a texture gets no pixels at all.
const void* UploadablePixels(int32_t format, const IMAGE& image) {
    if (image.Width <= 0 || image.Height <= 0) return nullptr;
    const size_t packed = static_cast<size_t>(image.Width) * (HasAlpha(format) ? 4 : 3);
    const size_t alignment = static_cast<size_t>(RowAlignmentOf(format));
    const size_t rowBytes = (packed + alignment - 1) / alignment * alignment;
    return image.Pixels.size() >= rowBytes * image.Height ? image.Pixels.data() : nullptr;
}

void BuildMipmaps(GLenum target, GLint internalFormat, int32_t format, const IMAGE& image) {
    const void* pixels = UploadablePixels(format, image);
    if (!pixels) return;
    ScopedUnpackAlignment alignment(RowAlignmentOf(format));
    gluBuild2DMipmaps(target, internalFormat, image.Width, image.Height, format, GL_UNSIGNED_BYTE, pixels);
}

bool g_skipMipmaps = false;

}  // namespace

void SkipMipmapsForNextTexture(bool skip) { g_skipMipmaps = skip; }
bool NextTextureSkipsMipmaps() { return g_skipMipmaps; }

// Pictures made before the intro has ended are never compressed.
int32_t CreateTexture(int32_t format, const IMAGE& image) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    RegisterTextureName(static_cast<int32_t>(texture));
    const GLint internalFormat = InternalFormat(format, Timing().IntroDone && Caps().CompressTextures);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    if (!UploadablePixels(format, image)) MarkTextureEmpty(static_cast<int32_t>(texture));
    if (!g_skipMipmaps) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, MipmapMinFilter());
        MarkTextureMipmapped(static_cast<int32_t>(texture), GL_TEXTURE_2D);
        BuildMipmaps(GL_TEXTURE_2D, internalFormat, format, image);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        if (const void* pixels = UploadablePixels(format, image)) {
            ScopedUnpackAlignment alignment(RowAlignmentOf(format));
            glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, image.Width, image.Height, 0, format, GL_UNSIGNED_BYTE,
                         pixels);
        }
    }
    g_skipMipmaps = false;
    platform::PumpMessages();
    return static_cast<int32_t>(texture);
}

// Slot i of faces goes to GL_TEXTURE_CUBE_MAP_POSITIVE_X + i; cube maps always
// get mipmaps.
int32_t CreateCubeTexture(int32_t format, const IMAGE (&faces)[6]) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_CUBE_MAP, texture);
    RegisterTextureName(static_cast<int32_t>(texture));
    const GLint internalFormat = InternalFormat(format, Caps().CompressTextures);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, MipmapMinFilter());
    MarkTextureMipmapped(static_cast<int32_t>(texture), GL_TEXTURE_CUBE_MAP);
    for (int face = 0; face < 6; ++face)
        BuildMipmaps(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, internalFormat, format, faces[face]);
    platform::PumpMessages();
    return static_cast<int32_t>(texture);
}

}  // namespace korvath
