#pragma once
// Row alignment of pixel uploads: device-independent bitmap rows are padded to
// 4 bytes, TGA rows are packed. The previous setting comes back afterwards.
#include "platform/GL.h"

namespace korvath {

class ScopedUnpackAlignment {
public:
    explicit ScopedUnpackAlignment(GLint alignment) {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &saved_);
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    }
    ~ScopedUnpackAlignment() { glPixelStorei(GL_UNPACK_ALIGNMENT, saved_); }
    ScopedUnpackAlignment(const ScopedUnpackAlignment&) = delete;
    ScopedUnpackAlignment& operator=(const ScopedUnpackAlignment&) = delete;

private:
    GLint saved_ = 4;
};

// Padded rows for the bitmap formats, packed rows for everything else.
inline GLint RowAlignmentOf(GLenum format) { return format == GL_BGR_EXT || format == GL_BGRA_EXT ? 4 : 1; }

}  // namespace korvath
