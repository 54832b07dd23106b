#pragma once
#include <string>

namespace korvath {

// Binds the multitexture and GLSL entry points of the current context and answers
// extension-string queries. The bound pointers live in the table of ExtTable.h;
// callers check a pointer before they call it.
class Ext {
public:
    ~Ext();
    bool Patched() const { return patched_; }
    bool PatchGLExt();
    bool UnPatchGLExt();
    // Trims Extension in place, then looks for it in the context's extension string.
    bool IsExtensionSupported(std::string& Extension);
    // The same test on the window-system extension string.
    bool IsWiggleExtensionSupported(std::string& Extension);

private:
    bool patched_ = false;
};

}  // namespace korvath
